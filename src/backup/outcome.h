#pragma once
// What a backup or a restore hands back to its window, which tells the user:
// the backup layer shows no message itself. A failure gives its reason in the
// program's own words first and, below them, what the server or the system
// said, when it said anything.

#include <QString>
#include <exception>

struct Failure {
    QString reason;    // Portuguese, whole sentences
    QString details;   // the server's or the system's own words; may be empty

    bool isEmpty() const { return reason.isEmpty(); }
};

struct BackupOutcome {
    enum class Result { Created, IsTheDatabase, Failed };
    Result result = Result::Failed;
    Failure failure;
    bool oldFileKept = false;   // a file of that name was there before and is as it was
    // The database could not be opened again afterwards: the window shows
    // this error after the outcome.
    std::exception_ptr reopenError;

    bool created() const { return result == Result::Created; }
};

struct RestoreOutcome {
    // Where the live database stands after a failure.
    enum class Database {
        Unchanged,      // never touched
        PutBack,        // replaced, then given back its previous contents
        PreviousKept,   // could not be given back: the previous contents are in `previous`
    };
    bool restored = false;
    Failure failure;
    Database database = Database::Unchanged;
    // The database as it was before, kept beside it, as the server names it;
    // empty when there was none.
    QString previous;
    std::exception_ptr reopenError;
};
