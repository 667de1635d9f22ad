#pragma once
#include <QRect>
#include <QString>

// A window's outer frame as stored in the configuration file:
// "Left:Top:Width:Height" in pixels.
QString PlacementText(const QRect& frame);

// The frame a stored placement gives a window whose frame is now `current`,
// kept within reach of the screen's work area: a left edge beyond the work
// area's width brings the current width back inside it, a negative top
// becomes 0, a width or height larger than the work area is cut to it; a
// negative left edge stays. Fewer than four pieces leave `current` as it is.
// Throws polyx::Error naming the first piece that is not an integer.
QRect PlacementFromText(const QString& stored, const QRect& current, const QRect& workArea);
