#pragma once
// The tasks the program does without a window, for the set-up scripts and
// the package, under the account of the Firebird client's ISC_USER and
// ISC_PASSWORD (the server's administrator), so that no password is ever
// written on a command line: "marvok --upgrade-database [DATABASE]" brings
// a database up to the program's schema version; "marvok
// --create-administrator NAME [DATABASE]" makes its first administrator,
// whose password comes on standard input.

namespace app {

// True when the arguments ask for such a task (or for --help, --version);
// anything else starts the program's window, as always.
bool isCommandLineTask(int argc, char** argv);

// Runs the task in the QCoreApplication that exists; returns the exit code.
int runCommandLineTask();

} // namespace app
