#pragma once
// A new file written beside the one it is to replace, under a name of its
// own; it takes the chosen name only when it is complete. Until then the
// chosen file stays as it was, and a pending file that is not committed is
// deleted.

#include <QString>

class PendingFile {
public:
    explicit PendingFile(QString target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Empty when the pending file could be created; else the system's words why not.
    const QString& error() const { return m_error; }
    const QString& path() const { return m_path; }

    // Puts the pending file on the disk and gives it the chosen name in one
    // step, with the permissions of the file it replaces. Empty when done,
    // else the system's words why not.
    QString commit();

private:
    QString m_target;
    QString m_path;
    QString m_error;
};
