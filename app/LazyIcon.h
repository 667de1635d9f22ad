#pragma once
#include <QIcon>

#include <functional>

// Icons made only when first painted. The window carries some fifty icons
// and shows a dozen at start; reading and decoding them all, and loading the
// image plugins for it, took a fifth of the start-up.
QIcon LazyIcon(std::function<QIcon()> make);

// An icon drawn from an SVG file, read when first painted; null when the
// file does not exist.
QIcon SvgIcon(const QString& path);
