#include "reports/definitionrelatorio.h"

#include "reports/layoutkit.h"
#include "store/tdm.h"

#include <QApplication>

DefinitionRelatorio::DefinitionRelatorio(Tdm& dm, const QString& name, QString title)
    : m_dm(dm), m_title(std::move(title)), m_definition(name)
{
}

QString DefinitionRelatorio::documentTitle() const
{
    const QString number = m_dm.PacienteNumeroTexto();
    if (number.isEmpty())
        return m_title;
    const QString name = m_dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString();
    return QStringLiteral("%1 - %2 %3").arg(m_title, number, name).trimmed();
}

bool DefinitionRelatorio::SetObjectText(const QString& objectName, const QString& text)
{
    report::TextBox* box = m_definition.findText(objectName);
    if (!box)
        return false;
    box->setText(text);
    return true;
}

void DefinitionRelatorio::PrepareReport()
{
    reports::applyPracticeHeading(m_definition, m_dm.DadosConsultorio());
    m_definition.setDocumentTitle(documentTitle());
    m_definition.prepare();
}

void DefinitionRelatorio::ShowPreparedReport(const std::function<void(const QString& what)>& handedOut)
{
    m_definition.showPrepared(QApplication::activeWindow(), [this, handedOut](const QString& file) {
        if (handedOut)
            handedOut(file.isEmpty() ? m_title + QStringLiteral(" impresso")
                                     : m_title + QStringLiteral(" exportado para ") + file);
    });
}
