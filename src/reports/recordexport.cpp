#include "reports/recordexport.h"

#include "core/clock.h"
#include "core/eerror.h"
#include "reportengine/exporter.h"
#include "reportengine/textlayout.h"
#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "reports/storedzip.h"
#include "store/tdm.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <algorithm>

namespace reports {

const QString RecordExport::kPdfName = QStringLiteral("prontuario.pdf");
const QString RecordExport::kJsonName = QStringLiteral("prontuario.json");

namespace {

// Every dated entry, whatever its date.
const TPeriodo kWholePeriod{QDate(1, 1, 1), QDate(9999, 12, 31)};

// A stored value as JSON: numbers, texts, dates and times in ISO 8601, null.
QJsonValue jsonValue(const ds::Field& field)
{
    if (field.isNull())
        return QJsonValue::Null;
    switch (field.type()) {
    case ds::FieldType::Integer:
        return field.asInteger();
    case ds::FieldType::Float:
        return field.value().toDouble();
    case ds::FieldType::Date:
        return field.asDate().toString(Qt::ISODate);
    case ds::FieldType::Time: {
        const QTime time = field.asTime();
        return time.toString(time.msec() ? Qt::ISODateWithMs : Qt::ISODate);
    }
    case ds::FieldType::DateTime:
        return field.value().toDateTime().toString(Qt::ISODateWithMs);
    case ds::FieldType::Text:
    case ds::FieldType::Memo:
        return field.value().toString();
    }
    return QJsonValue::Null;
}

QString key(QString column) { return column.toLower(); }

// The columns of the current row, named in lower case; the patient's number
// is left out of the rows that belong to the patient anyway.
QJsonObject rowObject(const ds::DataSet& rows)
{
    QJsonObject row;
    for (const auto& field : rows.fields())
        if (field->name() != QStringLiteral("PACIENTE") || field->type() != ds::FieldType::Integer)
            row.insert(key(field->name()), jsonValue(*field));
    return row;
}

QJsonArray rowsOf(ds::DataSet& rows, const std::function<void(QJsonObject&)>& amend = {})
{
    QJsonArray list;
    for (rows.first(); !rows.eof(); rows.next()) {
        QJsonObject row = rowObject(rows);
        if (amend)
            amend(row);
        list.append(row);
    }
    return list;
}

// Father and mother side by side in one row: each parent on its own, or null.
QJsonValue parent(const ds::DataSet& parents, bool mother)
{
    if (parents.isEmpty())
        return QJsonValue::Null;
    QJsonObject one;
    for (const auto& field : parents.fields()) {
        const bool ofMother = field->name().endsWith(QStringLiteral("_1"));
        if (ofMother == mother)
            one.insert(key(ofMother ? field->name().chopped(2) : field->name()), jsonValue(*field));
    }
    return one.value(QStringLiteral("nome")).isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(one);
}

// "Página N de M" below the rows of every sheet.
void numberPages(report::PreparedReport& whole)
{
    const report::TextFont font = arial(9);
    const QRectF box(20.00, 297.00 - kSheetBottomMargin + 1.50, 170.00, 5.00);
    const auto count = whole.pages.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QString text = QStringLiteral(u"Página %1 de %2").arg(i + 1).arg(count);
        const report::WrappedText wrapped = report::TextLayout::wrap(text, font, box.width(), report::TextFlow::NoWrap);
        report::PreparedItem item;
        item.name = QStringLiteral("PageNumber");
        item.rect = box;
        item.font = font;
        item.ascent = wrapped.ascent;
        item.lineHeight = wrapped.lineSpacing;
        item.lines = report::TextLayout::place(wrapped, 1, box.size(), Qt::AlignHCenter | Qt::AlignTop);
        whole.pages[i].items.push_back(std::move(item));
    }
}

// The list reports cut their one-line columns at the column's edge; in the
// record every value prints whole: across the given width, smaller where it
// does not fit, and its row growing below the smallest size.
void printWhole(report::Definition& definition, const QString& name, double width)
{
    report::TextBox* box = definition.findText(name);
    box->setRect(QRectF(box->rect().topLeft(), QSizeF(width, box->rect().height())));
    box->setFlow(report::TextFlow::Fit).setMinimumPointSize(kSmallestValuePoints);
}

QString cannotWrite(const QString& file, const QString& reason)
{
    return QStringLiteral(u"Não foi possível gravar o arquivo %1:\r%2").arg(file, reason);
}

} // namespace

// One part of the record: the report that prints it and what it adds to the JSON
// while its data sets are open.
struct RecordExport::Part {
    Part(Tdm& dm, TRelTipo kind, const QString& name, const QString& title) : tipo(kind), report(dm, name, title) {}
    TRelTipo tipo;
    DefinitionRelatorio report;
    std::function<void(QJsonObject&)> read;
};

RecordExport::RecordExport(Tdm& dm) : m_dm(dm)
{
    auto add = [&](TRelTipo tipo, const char* name, const QString& title) -> Part& {
        m_parts.push_back(std::make_unique<Part>(dm, tipo, QString::fromLatin1(name), title));
        return *m_parts.back();
    };

    Part& ficha = add(TRelTipo::Ficha, "repFicha", QStringLiteral("Dados Gerais"));
    buildRepFicha(ficha.report.definition(), dm);
    addEmailLine(ficha.report.definition());
    ficha.read = [&dm](QJsonObject& json) {
        QJsonObject patient = dm.qryRelFicha.isEmpty() ? QJsonObject() : rowObject(dm.qryRelFicha);
        patient.insert(QStringLiteral("email"), jsonValue(dm.qryPaciente.fieldByName(QStringLiteral("EMAIL"))));
        json.insert(QStringLiteral("paciente"), patient);
        json.insert(QStringLiteral("pai"), parent(dm.qryRelPais, false));
        json.insert(QStringLiteral("mae"), parent(dm.qryRelPais, true));
        json.insert(QStringLiteral("irmaos"), rowsOf(dm.qryRelIrmaos));
    };

    Part& sessions = add(TRelTipo::Sessoes, "repSessoes", QStringLiteral(u"Sessões"));
    buildRepSessoes(sessions.report.definition(), dm);
    sessions.read = [&dm](QJsonObject& json) {
        json.insert(QStringLiteral("sessoes"), rowsOf(dm.qryRelSessoes, [](QJsonObject& session) {
                        // The toys' names, one a line, as a list in alphabetical order.
                        QStringList toys = session.value(QStringLiteral("brinquedos"))
                                               .toString()
                                               .split(u'\n', Qt::SkipEmptyParts);
                        std::sort(toys.begin(), toys.end(),
                                  [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
                        session.insert(QStringLiteral("brinquedos"), QJsonArray::fromStringList(toys));
                    }));
    };

    const struct {
        TRelTipo tipo;
        const char* name;
        const char16_t* title;
        void (*build)(report::Definition&, Tdm&);
        ds::SqlDataSet Tdm::*rows;
        const char* key;
    } notes[] = {
        {TRelTipo::Reavaliacoes, "repReavaliacao", u"Reavaliações", buildRepReavaliacao, &Tdm::qryRelReavaliacao,
         "reavaliacoes"},
        {TRelTipo::Indicacoes, "repIndicacao", u"Indicações", buildRepIndicacao, &Tdm::qryRelIndicacao, "indicacoes"},
        {TRelTipo::Orientacoes, "repOrientacoes", u"Orientações", buildRepOrientacoes, &Tdm::qryRelOrientacoes,
         "orientacoes"},
        {TRelTipo::Historico, "repHistorico", u"Histórico", nullptr, &Tdm::qryRelHistorico, "historico"},
    };
    for (const auto& n : notes) {
        Part& part = add(n.tipo, n.name, QString::fromUtf16(n.title));
        if (n.build)
            n.build(part.report.definition(), dm);
        else
            buildRepHistorico(part.report.definition(), dm, true);
        if (n.tipo == TRelTipo::Indicacoes) // nothing stands right of the referral
            printWhole(part.report.definition(), QStringLiteral("frxIndicacaoINDICACAO"), 140.00);
        if (n.tipo == TRelTipo::Orientacoes)
            printWhole(part.report.definition(), QStringLiteral("frxOrientacoesDESCRICAO"), 50.00);
        part.read = [&dm, rows = n.rows, name = QString::fromLatin1(n.key)](QJsonObject& json) {
            json.insert(name, rowsOf(dm.*rows));
        };
    }
}

RecordExport::~RecordExport() = default;

QString RecordExport::proposedFileName() const
{
    QString number = m_dm.PacienteNumeroTexto();
    number.replace(u'/', u'-');
    const QString name = m_dm.qryPaciente.isActive() && !m_dm.qryPaciente.isEmpty()
                             ? m_dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString()
                             : QString();
    QString file = QStringLiteral(u"Prontuário %1 %2").arg(number, name).simplified();
    // Characters no file system of the practice's takes.
    static const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar& c : file)
        if (kForbidden.contains(c) || c.category() == QChar::Other_Control)
            c = u'-';
    return file + QStringLiteral(".zip");
}

void RecordExport::write(const QString& zipFile)
{
    if (m_dm.PacienteNumeroTexto().isEmpty())
        throw EError(QStringLiteral(u"Não há paciente para exportar."));
    const QDateTime now = Clock::now();
    QJsonObject json{{QStringLiteral("documento"), QStringLiteral(u"Prontuário")},
                     {QStringLiteral("gerado_em"), now.toString(Qt::ISODate)}};

    if (const TConsultorio practice = m_dm.DadosConsultorio(); !practice.isEmpty()) {
        auto text = [](const QString& t) { return t.trimmed().isEmpty() ? QJsonValue() : QJsonValue(t.trimmed()); };
        json.insert(QStringLiteral("consultorio"), QJsonObject{{QStringLiteral("nome"), text(practice.Nome)},
                                                               {QStringLiteral("endereco"), text(practice.Endereco)},
                                                               {QStringLiteral("telefone"), text(practice.Telefone)},
                                                               {QStringLiteral("registro"), text(practice.Registro)}});
    }
    m_parts.front()->report.SetObjectText(QStringLiteral("MemoEmail"),
                                          m_dm.qryPaciente.fieldByName(QStringLiteral("EMAIL")).asString());
    report::PreparedReport whole;
    for (const auto& part : m_parts) {
        TRelOpcoes opcoes;
        opcoes.periodo = kWholePeriod;
        opcoes.emOrdemDeData = true;
        opcoes.comDadosAbertos = [&] { part->read(json); };
        m_dm.PrepareRel(part->tipo, part->report, opcoes);
        whole.pages += part->report.definition().prepared().pages;
    }
    numberPages(whole);

    const QString title = QStringLiteral(u"Prontuário - %1 %2")
                              .arg(m_dm.PacienteNumeroTexto(),
                                   m_dm.qryPaciente.fieldByName(QStringLiteral("NOME")).asString());
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        report::Exporter::toPdf(whole, buffer, title);
    }

    // Written under a temporary name beside the chosen one and renamed over it when complete.
    QSaveFile file(zipFile);
    if (!file.open(QIODevice::WriteOnly))
        throw EError(cannotWrite(zipFile, file.errorString()));
    StoredZip zip(file);
    zip.add(kPdfName, pdf, now);
    zip.add(kJsonName, QJsonDocument(json).toJson(QJsonDocument::Indented), now);
    zip.finish();
    if (!file.commit())
        throw EError(cannotWrite(zipFile, file.errorString()));
}

} // namespace reports
