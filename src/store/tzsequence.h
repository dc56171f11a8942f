#pragma once
// Draws the next value of a database generator.

#include <QString>

namespace ds {
class Connection;
}

class TZSequence {
public:
    TZSequence() = default;
    ds::Connection* Connection() const { return FConnection; }
    void setConnection(ds::Connection* connection) { FConnection = connection; }
    const QString& SequenceName() const { return FSequenceName; }
    void setSequenceName(const QString& name) { FSequenceName = name; }

    // Advances the generator by one and returns the new value; raises the database's error.
    int GetNextValue();

private:
    ds::Connection* FConnection = nullptr;
    QString FSequenceName;
};
