#pragma once
// The font of the program's windows: Tahoma 8 pt.

#include <QFont>

namespace platform {

// Tahoma at the given size. Debian ships Tahoma with Wine's fonts, in a folder
// that the font configuration does not scan, so it is loaded from there once.
QFont windowFont(qreal pointSize = 8);
// A bold face for headings, at the window font's size. Tahoma's bold face as
// it is installed here (Wine's) draws strokes no heavier than the regular
// one, so the heading takes DejaVu Sans, whose bold reads as bold.
QFont headingFont(qreal pointSize = 8);

} // namespace platform
