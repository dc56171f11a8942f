#pragma once
// Why a backup or a restore failed, in the program's words first and with
// the words of the server or the system that failed below them.

#include "backup/backuppipe.h"
#include "backup/outcome.h"

#include <exception>

namespace failures {

// The reason, and the error's own message as details.
Failure of(const QString& reason, std::exception_ptr error);

// Why a backup carried into a restore of the server failed. source: the
// reason when the backup could not be read or made; checking: the restore
// checks a backup just written (else it reads one the user chose).
Failure ofCarrying(const Carried& carried, const QString& source, bool checking);

} // namespace failures
