// The patient file: a fixed form on one A4 sheet with the registration
// record, father and mother side by side, and the list of siblings. No value
// the user wrote is cut: one that does not fit its box prints smaller.

#include "reports/layoutkit.h"
#include "reports/reportlayouts.h"
#include "store/tdm.h"

#include <algorithm>
#include <iterator>

namespace reports {

namespace {

using report::Band;

struct RecordLine {
    const char16_t* caption;
    double captionWidth;
    double captionTop;
    const char* column;
    double valueTop;
    double captionLeft = 30.00;
    double valueLeft = 75.50;
};

const RecordLine kRecord[] = {
    {u"ID", 21.00, 49.00, "ID", 48.00},
    {u"NOME", 21.00, 54.00, "NOME", 54.00},
    {u"NASCIMENTO", 34.00, 60.00, "NASCIMENTO", 60.00},
    {u"ENTRADA", 38.00, 66.00, "CADASTRO", 66.00},
    {u"SAÍDA", 38.00, 72.00, "SAIDA", 72.00},
    {u"STATUS", 38.00, 78.00, "STATUS", 78.00},
    {u"FONE", 38.00, 84.00, "FONE", 84.00},
    {u"FONE (2)", 38.00, 90.00, "FONE2", 90.00},
    {u"ENDEREÇO", 38.00, 96.00, "ENDERECO", 96.00},
    {u"BAIRRO", 40.00, 102.00, "BAIRRO", 102.00},
    {u"CIDADE", 38.00, 108.00, "CIDADE", 108.00},
    {u"UF", 38.00, 114.00, "UF", 114.00},
    {u"CEP", 38.00, 120.00, "CEP", 120.00},
    {u"PROCEDÊNCIA", 38.00, 126.00, "PROCEDENCIA", 126.00},
    {u"INSTRUÇÃO", 38.00, 132.00, "INSTRUCAO", 132.00},
    {u"ESCOLA", 38.00, 138.00, "ESCOLA", 138.00},
    {u"CARÁTER", 38.00, 144.00, "CARATER", 144.00},
    {u"TERAPEUTA", 44.00, 150.12, "TERAPEUTA", 150.00, 29.74, 76.00},
};

struct ParentValue {
    const char* column;
    double left;
    double width;
};

struct ParentLine {
    const char16_t* caption;
    double captionTop;
    std::vector<ParentValue> values;
    double valueTop;
    double phonesNoteTop = -1; // "(res/prof/cel)" after the caption FONE
};

const ParentLine kParents[] = {
    {u"PAI", 170.47, {{"NOME", 71.00, 119.00}}, 170.41},
    {u"NASCIMENTO", 175.83, {{"NASCIMENTO", 71.00, 59.00}}, 175.83},
    {u"FONE", 181.56, {{"RESIDENCIAL", 71.00, 38.00}, {"PROFISSIONAL", 111.00, 38.00}, {"CELULAR", 152.00, 38.00}},
     181.56, 181.30},
    {u"PROFISSÃO", 186.77, {{"PROFISSAO", 71.00, 85.00}}, 186.77},
    {u"INSTRUÇÃO", 192.24, {{"INSTRUCAO", 71.00, 85.00}}, 192.24},
    {u"MÃE", 201.59, {{"NOME_1", 71.00, 119.00}}, 201.59},
    {u"NASCIMENTO", 206.80, {{"NASCIMENTO_1", 71.00, 60.00}}, 206.80},
    {u"FONE", 212.27,
     {{"RESIDENCIAL_1", 71.00, 38.00}, {"PROFISSIONAL_1", 111.00, 38.00}, {"CELULAR_1", 152.00, 38.00}}, 212.27,
     212.27},
    {u"PROFISSÃO", 217.74, {{"PROFISSAO_1", 71.00, 85.00}}, 217.74},
    {u"INSTRUÇÃO", 223.21, {{"INSTRUCAO_1", 71.00, 85.00}}, 223.21},
};

// Where the values of the form end: the right end of its rules. A value
// alone on its line may use all of it before it prints smaller.
constexpr double kValueRight = 190.00;

// The room of a value: down to the next line of the form, a row at most.
double roomBelow(double top, double nextTop) { return std::clamp(nextTop - top, 5.00, 6.00); }

// A value of the form, shown whole in its room: smaller where it does not fit.
report::TextBox& addValue(Band& band, const QString& name, double left, double top, double width, double room,
                          const QString& text)
{
    return addText(band, name, QRectF(left, top, width, room), text, arial(12))
        .setFlow(report::TextFlow::Fit)
        .setMinimumPointSize(kSmallestValuePoints);
}

void addHeading(Band& sheet, const char* memo, const char16_t* text, double top, const char* line, double lineTop)
{
    addText(sheet, QString::fromLatin1(memo), QRectF(30.00, top, 51.00, 5.00), QString::fromUtf16(text),
            verdana(12, true));
    sheet.addRule(QString::fromLatin1(line), 30.00, lineTop, 160.00);
}

} // namespace

void buildRepFicha(report::Definition& definition, Tdm& dm)
{
    definition.bindDataSet(QStringLiteral("frxFicha"), dm.qryRelFicha);
    definition.bindDataSet(QStringLiteral("frxIrmaos"), dm.qryRelIrmaos);
    definition.bindDataSet(QStringLiteral("frxPais"), dm.qryRelPais);
    definition.setMainDataSet(QStringLiteral("frxFicha"));
    definition.setScript(QStringLiteral("begin\r\n\r\nend."));
    definition.setPreviewButtons(kPreviewCommands);

    report::Page& page1 = addSheet(definition, QStringLiteral("Page1"));
    // Page2 only lists the siblings inside Subreport1; on the sheets they run
    // on to, its margins hold them.
    report::Page& page2 = definition.addPage(QStringLiteral("Page2"));
    page2.setMargins(QMarginsF(10, 10, 10, kSheetBottomMargin));
    page2.setDefaultFont(arial(12));
    Band& sheet = page1.sheet();
    addPracticeHeading(page1, 30.00, 160.00);

    addText(sheet, QStringLiteral("Memo1"), QRectF(30.00, 20.00, 160.00, 19.00), QStringLiteral("Dados Gerais"),
            verdana(36))
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    addText(sheet, QStringLiteral("Memo3"), QRectF(30.00, 41.00, 26.00, 5.00), QStringLiteral("Dados em [(<Date>)]"),
            verdana(12, true));
    addText(sheet, QStringLiteral("Date"), QRectF(55.94, 41.00, 133.00, 5.00), QStringLiteral("[Date]"),
            verdana(12, true))
        .setDisplayFormat(report::DisplayFormat::date(QStringLiteral("dd \"de\" mmmm \"de\" yyyy")));
    sheet.addRule(QStringLiteral("Line1"), 30.00, 47.00, 160.00);

    for (const RecordLine& l : kRecord) {
        const QString name = QString::fromLatin1(l.column);
        addText(sheet, QStringLiteral("Caption") + name, QRectF(l.captionLeft, l.captionTop, l.captionWidth, 5.00),
                QString::fromUtf16(l.caption), arial(12));
        // A telephone prints as its column shows it (the data module lays it out).
        const double next = &l + 1 == std::end(kRecord) ? l.valueTop + 6.00 : (&l + 1)->valueTop;
        addValue(sheet, QStringLiteral("frxFicha") + name, l.valueLeft, l.valueTop, kValueRight - l.valueLeft,
                 roomBelow(l.valueTop, next), columnOf("frxFicha", l.column));
    }

    addHeading(sheet, "Memo21", u"PAIS", 164.00, "Line2", 170.00);
    int line = 0;
    for (const ParentLine& l : kParents) {
        const double next = &l + 1 == std::end(kParents) ? l.valueTop + 6.00 : (&l + 1)->valueTop;
        addText(sheet, QStringLiteral("CaptionPais%1").arg(++line), QRectF(30.00, l.captionTop, 38.00, 5.00),
                QString::fromUtf16(l.caption), arial(12));
        if (l.phonesNoteTop >= 0)
            addText(sheet, QStringLiteral("CaptionFones%1").arg(line), QRectF(46.00, l.phonesNoteTop, 23.00, 5.00),
                    QStringLiteral("(res/prof/cel)"), arial(10));
        for (const ParentValue& v : l.values)
            addValue(sheet, QStringLiteral("frxPais") + QString::fromLatin1(v.column), v.left, l.valueTop,
                     l.values.size() == 1 ? kValueRight - v.left : v.width, roomBelow(l.valueTop, next),
                     columnOf("frxPais", v.column));
    }

    addHeading(sheet, "Memo22", u"IRMÃOS", 234.21, "Line3", 240.21);
    sheet.addSubList(QStringLiteral("Subreport1"), QRectF(30.00, 240.94, 160.00, 5.00), page2);
    Band& siblings = page2.addBand(report::BandKind::MasterData, QStringLiteral("MasterData1"), 6.00);
    siblings.setDataSet(QStringLiteral("frxIrmaos"));
    addValue(siblings, QStringLiteral("frxIrmaosNOME"), 0.00, 0.00, 118.00, 6.00, columnOf("frxIrmaos", "NOME"));
    addValue(siblings, QStringLiteral("frxIrmaosNASCIMENTO"), 121.00, 0.00, 51.00, 6.00,
             columnOf("frxIrmaos", "NASCIMENTO"));
}

void addEmailLine(report::Definition& repFicha)
{
    Band& sheet = repFicha.findPage(QStringLiteral("Page1"))->sheet();
    addText(sheet, QStringLiteral("CaptionEMAIL"), QRectF(30.00, 156.00, 38.00, 5.00), QStringLiteral("E-MAIL"),
            arial(12));
    addValue(sheet, QStringLiteral("MemoEmail"), 75.50, 156.00, 114.00, 6.00, QString()).setAllowExpressions(false);
}

} // namespace reports
