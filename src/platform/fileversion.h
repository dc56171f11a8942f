#pragma once
// The version of a program file, as the version record embedded at build time states it.

#include <QString>

namespace platform {

// "major.minor.release.build", or an empty text when the file carries no
// version record or cannot be read.
QString fileVersionText(const QString& path);

} // namespace platform
