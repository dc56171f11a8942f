#pragma once
// The result of preparing a definition: device-independent pages that are
// shown, printed, exported, and saved to and loaded from a file of our own.

#include "reportengine/preparedpage.h"

#include <QIODevice>

namespace report {

class PreparedReport {
public:
    QList<PreparedPage> pages;

    bool isEmpty() const { return pages.isEmpty(); }
    bool operator==(const PreparedReport&) const = default;

    // Both throw EError naming the file when it cannot be written or read,
    // or when it holds no prepared report of a version we know.
    void save(const QString& fileName) const;
    static PreparedReport load(const QString& fileName);

    void write(QIODevice& device) const;
    static PreparedReport read(QIODevice& device); // throws EError
};

} // namespace report
