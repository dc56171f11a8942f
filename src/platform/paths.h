#pragma once
// Where the program finds the files it reads besides its database: the help
// collection and the report language file. In a build folder they lie beside
// the program (bin/help/Marvok.qhc, bin/Brazil.frc); installed, in the
// system's data folders (/usr/share/marvok), found through QStandardPaths.
// The one place that knows which of the two the program is.

#include <QString>

namespace platform {

// True when the program runs from a build folder: its help collection lies
// beside it. An installed program finds nothing beside /usr/bin/marvok.
bool runsFromBuildFolder();

// A file by its path below the program's data ("help/Marvok.qhc"): beside
// the program in a build folder, otherwise "marvok/<path>" in the first of
// the standard data folders that holds it; when none does, where the
// system's own data folder would hold it (for the message that it is missing).
QString dataFile(const QString& path);
// The same for a program in programFolder (tests).
QString dataFile(const QString& path, const QString& programFolder);

} // namespace platform
