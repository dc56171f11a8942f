#pragma once
// One of the program's reports as the data module reaches it: a report
// definition of the engine, with the practice's heading when the practice's
// data was entered, shown in the preview under the report's title and the
// current patient.

#include "reportengine/definition.h"
#include "store/trelatorio.h"

class Tdm;

class DefinitionRelatorio : public TRelatorio {
public:
    // name: the definition's name (repFicha); title: the report's title as the user knows it (Dados Gerais).
    DefinitionRelatorio(Tdm& dm, const QString& name, QString title);

    report::Definition& definition() { return m_definition; }
    const QString& title() const { return m_title; }
    // The report's title and the current patient: "Histórico - 57/08 Ana Souza".
    QString documentTitle() const;

    bool SetObjectText(const QString& objectName, const QString& text) override;
    // The document title is that of the patient current while preparing.
    void PrepareReport() override;
    // handedOut hears "Dados Gerais impresso" or "Dados Gerais exportado para <file>".
    void ShowPreparedReport(const std::function<void(const QString& what)>& handedOut = {}) override;

private:
    Tdm& m_dm;
    QString m_title;
    report::Definition m_definition;
};
