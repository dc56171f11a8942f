#pragma once
// A backup carried from where it comes from (the server, or a file on this
// PC) into a restore the server makes, and on the way into a file on this PC
// when one is given. Only as much of it as the restore is ready for is held
// in memory. Runs aside (it waits for the server).

#include "backup/aside.h"

#include <QByteArray>
#include <exception>
#include <memory>

class QFileDevice;

namespace fb {
class BackupStream;
class RestoreStream;
} // namespace fb

// Where a backup comes from.
class BackupSource {
public:
    virtual ~BackupSource() = default;
    // The next piece; empty at the end. Raises EError when it cannot be read.
    virtual QByteArray read() = 0;
    // Whether the rest must be read after the restore is done: a backup the
    // server makes tells whether it succeeded only at its end.
    virtual bool readToTheEnd() const = 0;
};

// A backup the server makes of a database.
class ServerBackup : public BackupSource {
public:
    explicit ServerBackup(fb::BackupStream& stream) : m_stream(stream) {}
    QByteArray read() override;
    bool readToTheEnd() const override { return true; }

private:
    fb::BackupStream& m_stream;
};

// A backup file on this PC, already open for reading.
class FileBackup : public BackupSource {
public:
    explicit FileBackup(QFileDevice& file) : m_file(file) {}
    QByteArray read() override;
    bool readToTheEnd() const override { return false; }

private:
    QFileDevice& m_file;
};

struct Carried {
    enum class Side { None, Source, Copy, Restore };
    Side failed = Side::None;
    std::exception_ptr error;   // what the failing side raised

    bool succeeded() const { return failed == Side::None; }
};

// Hands the source to the restore until the restore is done, writing every
// byte of it to copy as well when copy is given (all of it, also what the
// restore did not need). Every line the restore tells goes to report. When
// one side fails, the restore is told that the backup has ended and is
// waited for, so that the server no longer works on its database when this
// returns.
Carried carryBackup(BackupSource& source, fb::RestoreStream& restore, QFileDevice* copy, const LineReport& report);
