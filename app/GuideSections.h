#pragma once
#include <QString>
#include <QStringList>
#include <span>

namespace polyx {

// The guide's pages, in the order of its contents; the first is its start.
std::span<const char* const> GuidePages();

// The page (and "#" part) of the guide that speaks of a part of the window,
// from the object names of the widget with the focus and its parents,
// innermost first; the guide's start for anything else. The report window
// speaks of the batch translation while it shows a batch's report.
QString GuideSectionFor(const QStringList& objectNames, bool batchReport);

} // namespace polyx
