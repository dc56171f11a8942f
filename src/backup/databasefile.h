#pragma once
// Tells a database file from a backup file by its first bytes: a database
// begins with its header page (page type 1, the page size, the on-disk
// structure version with Firebird's flag). The database a restore keeps is
// such a file, and it is restored like a backup.

#include <QString>

bool isDatabaseFile(const QString& path);
