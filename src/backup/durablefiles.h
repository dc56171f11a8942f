#pragma once
// Files that must be on the disk, whole, before the program says so.

#include <QString>

namespace durable {

// Writes the file's data to the disk; empty when done, else why not.
QString sync(const QString& file);
// Gives the file another name in one step, which replaces nothing: "to"
// must not exist. The folder's entry reaches the disk too. Empty when done.
QString rename(const QString& from, const QString& to);
// Like rename(), but an existing "to" is replaced in the same step.
QString replace(const QString& from, const QString& to);

} // namespace durable
