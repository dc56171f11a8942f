#pragma once
// What the reliability tests do to a test database besides reading it: forced
// writes on, as the practice's own file has them, the server's full
// validation, and the end of the attachments a killed driver left behind.

#include "support/testdatabase.h"

#include <QString>

// Every page written to the disk before a commit returns (gfix -write sync).
void setForcedWrites(const TestDatabase& db);
// The server's full validation (gfix -v -full); empty when it found nothing.
QString validate(const TestDatabase& db);
// Ends the attachments that other programs hold on this database.
void endOtherAttachments(const TestDatabase& db);
// A driver program, built next to the test program.
QString driverProgram(const char* name);
