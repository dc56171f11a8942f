#pragma once
// The whole record of the current patient for the family or another
// professional: one PDF with every part of the record over the whole period
// (the patient file, every session, every note of every kind in full and in
// date order, each sheet numbered "Página N de M"), and beside it the same
// data as JSON, both in one ZIP file that appears only once it is complete.

#include "reports/definitionrelatorio.h"

#include <QJsonObject>
#include <memory>
#include <vector>

class Tdm;

namespace reports {

class RecordExport {
public:
    explicit RecordExport(Tdm& dm);
    ~RecordExport();
    RecordExport(const RecordExport&) = delete;
    RecordExport& operator=(const RecordExport&) = delete;

    // The file name proposed for the current patient: "Prontuário 57-08 Ana Souza.zip".
    QString proposedFileName() const;

    // Writes the current patient's record into zipFile, replacing a file of
    // that name only once the new one is complete. Throws EError; after a
    // failure the folder holds what it held before.
    void write(const QString& zipFile);

    // The names of the two files inside the ZIP file.
    static const QString kPdfName;
    static const QString kJsonName;

private:
    struct Part;
    Tdm& m_dm;
    std::vector<std::unique_ptr<Part>> m_parts;
};

} // namespace reports
