#pragma once
// The main routine: the about box as a splash screen while the data module,
// the user's login and the main window come into being, then the about box
// with its OK button, then the main window and the event loop until it
// closes. A user who gives up the login ends the program.

#include <QString>

namespace app {

// Runs the program in the application object that exists; programFolder is
// where marvok.fdb lies (empty: the running program's folder). Returns the
// event loop's exit code (0 when the user gave up the login).
int runMarvok(const QString& programFolder = {});

} // namespace app
