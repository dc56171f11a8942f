// The printed pages of the six reports, read back from real PDFs: every
// caption and value where its layout puts it (within half a millimetre), the
// fonts, the shading drawn, and nothing the user wrote cut off the sheet.

#include "reportsfixture.h"

#include <QFontInfo>
#include <QImage>

using pdffile::Word;

namespace {

constexpr double kMm = 0.5; // how far a printed word may stand from its place

struct Placed {
    const char16_t* text;
    double left;
    double top;
    int page = 0;
    int nth = 0; // the nth time the text stands on that sheet
};

// The name under which a family's font lands in the PDF (Arial may be Liberation Sans).
QString pdfFontName(const QString& family, bool bold)
{
    QFont font(family);
    font.setBold(bold);
    QString name = QFontInfo(font).family().remove(u' ');
    return bold ? name + QStringLiteral("-Bold") : name;
}

class LayoutTest : public ReportsTest {
protected:
    LayoutTest()
    {
        Clock::set(QDateTime(QDate(2011, 3, 5), QTime(10, 0)));
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (1, 'Superior')"));
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (2, 'Fundamental')"));
        db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (3, 'Escola Sol')"));
        db.exec(QStringLiteral("INSERT INTO CARATER (ID, CARATER) VALUES (4, 'Particular')"));
        db.exec(QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (5, 'Dra. Lia')"));
        db.exec(QStringLiteral(
            "INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, SAIDA, STATUS, FONE, FONE2, ENDERECO, BAIRRO, CIDADE, "
            "UF, CEP, INSTRUCAO, ESCOLA, TERAPEUTA, CARATER, PROCEDENCIA) VALUES (57, 'Ana Souza', '2003-02-01', "
            "'2008-04-10', '2011-01-31', 'S', '1134567890', '11987654321', 'Rua A, 1', 'Centro', 'Campinas', 'SP', "
            "'13010000', 2, 3, 5, 4, 'Vizinho')"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, FONE_RES, "
                               "FONE_PROF, FONE_CEL) VALUES (57, 'P', 'Paulo', '1970-05-06', 'Médico', 1, '1130001111', "
                               "'1130002222', '1199998888')"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, FONE_RES, "
                               "FONE_CEL) VALUES (57, 'M', 'Maria', '1972-07-08', 'Artista', 2, '1140004444', "
                               "'21912345678')"));
        dm.qryPaciente.open();
    }

    void addSiblings(int count)
    {
        for (int i = 1; i <= count; ++i) // inserted youngest first
            db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (%1, 57, 'Irmão %2', '%3')")
                        .arg(100 + i)
                        .arg(count + 1 - i)
                        .arg(QDate(2000, 1, 1).addDays((count - i) * 40).toString(Qt::ISODate)));
    }

    // Runs the command and reads the words of the report it showed.
    QList<Word> wordsOf(const std::function<void()>& command, const char* name, bool period = false)
    {
        m_pdf = file(QString::fromLatin1(name) + QStringLiteral(".pdf"));
        if (period)
            runPeriodReport(command, m_pdf, QStringLiteral("01/01/2011"), QStringLiteral("31/12/2011"));
        else
            runReport(command, m_pdf);
        return pdffile::pdfWords(m_pdf);
    }

    static void expectPlaced(const QList<Word>& words, const Placed& p)
    {
        const QString text = QString::fromUtf16(p.text);
        const QRectF at = pdffile::findPhrase(words, text, p.page, p.nth);
        ASSERT_FALSE(at.isEmpty()) << text.toStdString() << " not printed on sheet " << p.page + 1;
        EXPECT_NEAR(at.left(), p.left, kMm) << text.toStdString();
        EXPECT_NEAR(at.top(), p.top, kMm) << text.toStdString();
    }
    static void expectPlaced(const QList<Word>& words, std::initializer_list<Placed> placed)
    {
        for (const Placed& p : placed)
            expectPlaced(words, p);
    }
    // A title centred in its box.
    static void expectCentred(const QList<Word>& words, const char16_t* title, double left, double width, double top)
    {
        const QRectF at = pdffile::findPhrase(words, QString::fromUtf16(title));
        ASSERT_FALSE(at.isEmpty());
        EXPECT_NEAR(at.center().x(), left + width / 2, kMm);
        EXPECT_NEAR(at.top(), top, kMm);
    }
    QImage sheet(int page = 0) const { return pdffile::pdfPageImage(m_pdf, page, 100); }
    static QColor at(const QImage& image, double xMm, double yMm)
    {
        return image.pixelColor(qRound(xMm / 25.4 * 100), qRound(yMm / 25.4 * 100));
    }
    QStringList fonts() const { return pdffile::pdfFonts(m_pdf); }

    QString m_pdf;
};

} // namespace

TEST_F(LayoutTest, PatientFileStandsWhereItsFormPutsIt)
{
    addSiblings(3);
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelFicha(); }, "ficha");
    expectCentred(w, u"Dados Gerais", 30, 160, 20);
    expectPlaced(w, {{u"Dados em", 30, 41}, {u"05 de março de 2011", 55.94, 41}});
    expectPlaced(w, {{u"ID", 30, 49},           {u"57", 75.5, 48},
                     {u"NOME", 30, 54},         {u"Ana Souza", 75.5, 54},
                     {u"NASCIMENTO", 30, 60},   {u"01/02/2003", 75.5, 60},
                     {u"ENTRADA", 30, 66},      {u"10/04/2008", 75.5, 66},
                     {u"SAÍDA", 30, 72},        {u"31/01/2011", 75.5, 72},
                     {u"STATUS", 30, 78},       {u"Suspenso", 75.5, 78},
                     {u"FONE", 30, 84},         {u"(11) 3456-7890", 75.5, 84},
                     {u"FONE (2)", 30, 90},     {u"(11) 98765-4321", 75.5, 90},
                     {u"ENDEREÇO", 30, 96},     {u"Rua A, 1", 75.5, 96},
                     {u"BAIRRO", 30, 102},      {u"Centro", 75.5, 102},
                     {u"CIDADE", 30, 108},      {u"Campinas", 75.5, 108},
                     {u"UF", 30, 114},          {u"SP", 75.5, 114},
                     {u"CEP", 30, 120},         {u"13010-000", 75.5, 120},
                     {u"PROCEDÊNCIA", 30, 126}, {u"Vizinho", 75.5, 126},
                     {u"INSTRUÇÃO", 30, 132},   {u"Fundamental", 75.5, 132},
                     {u"ESCOLA", 30, 138},      {u"Escola Sol", 75.5, 138},
                     {u"CARÁTER", 30, 144},     {u"Particular", 75.5, 144},
                     {u"TERAPEUTA", 29.74, 150.12}, {u"Dra. Lia", 76, 150}});
    expectPlaced(w, {{u"PAIS", 30, 164},
                     {u"PAI", 30, 170.47},              {u"Paulo", 71, 170.41},
                     {u"NASCIMENTO", 30, 175.83, 0, 1}, {u"06/05/1970", 71, 175.83},
                     {u"FONE", 30, 181.56, 0, 2},       {u"(res/prof/cel)", 46, 181.30},
                     {u"(11) 3000-1111", 71, 181.56},   {u"(11) 3000-2222", 111, 181.56},
                     {u"(11) 9999-8888", 152, 181.56},
                     {u"PROFISSÃO", 30, 186.77},        {u"Médico", 71, 186.77},
                     {u"INSTRUÇÃO", 30, 192.24, 0, 1},  {u"Superior", 71, 192.24},
                     {u"MÃE", 30, 201.59},              {u"Maria", 71, 201.59},
                     {u"NASCIMENTO", 30, 206.80, 0, 2}, {u"08/07/1972", 71, 206.80},
                     {u"FONE", 30, 212.27, 0, 3},       {u"(res/prof/cel)", 46, 212.27, 0, 1},
                     {u"(11) 4000-4444", 71, 212.27},   {u"(21) 91234-5678", 152, 212.27},
                     {u"PROFISSÃO", 30, 217.74, 0, 1},  {u"Artista", 71, 217.74},
                     {u"INSTRUÇÃO", 30, 223.21, 0, 2},  {u"Fundamental", 71, 223.21, 0, 1}});
    // Siblings oldest first, one row each 6 mm below the rule.
    expectPlaced(w, {{u"IRMÃOS", 30, 234.21},
                     {u"Irmão 1", 30, 240.94}, {u"01/01/2000", 151, 240.94},
                     {u"Irmão 2", 30, 246.94}, {u"Irmão 3", 30, 252.94}});
    const QStringList used = fonts();
    for (const QString& font : {pdfFontName(QStringLiteral("Arial"), false), pdfFontName(QStringLiteral("Verdana"), false),
                                pdfFontName(QStringLiteral("Verdana"), true)})
        EXPECT_TRUE(used.contains(font)) << font.toStdString() << " in " << used.join(u',').toStdString();
    // The rules below the title and the two headings, 160 mm long.
    const QImage page = sheet();
    for (double y : {47.0, 170.0, 240.21}) {
        int darkest = 255;
        for (double dy = -0.3; dy <= 0.3; dy += 0.1)
            darkest = std::min(darkest, at(page, 100, y + dy).lightness());
        EXPECT_LT(darkest, 160) << y;
    }
}

TEST_F(LayoutTest, SiblingsBeyondTheFirstSheetContinueOnASecond)
{
    addSiblings(12);
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelFicha(); }, "irmaos");
    EXPECT_EQ(pdffile::pdfPageCount(m_pdf), 2);
    // The first sheet holds seven above its bottom margin; the rest go on below the top margin of the next.
    expectPlaced(w, {{u"Irmão 7", 30, 240.94 + 6 * 6}, {u"Irmão 8", 30, 14, 1}, {u"Irmão 12", 30, 38, 1}});
}

TEST_F(LayoutTest, AParentAloneStillPrintsInTheParentsBlock)
{
    db.exec(QStringLiteral("DELETE FROM PAIS WHERE TIPO = 'P'"));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelFicha(); }, "mae");
    expectPlaced(w, {{u"Maria", 71, 201.59}, {u"MÃE", 30, 201.59}});
    EXPECT_TRUE(pdffile::findPhrase(w, QStringLiteral("Paulo")).isEmpty());
}


TEST_F(LayoutTest, SessionReportGrowsWithItsObservationsAndToysOntoFurtherSheets)
{
    for (int i = 0; i < 14; ++i)
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (%1, 'Brinquedo %2')").arg(200 + i).arg(i + 1));
    addSession(30, 57, "2011-03-08", "14:05:30");
    QStringList paragraphs;
    for (int i = 1; i <= 70; ++i)
        paragraphs << QStringLiteral("Parágrafo %1 da observação da terapeuta.").arg(i);
    db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = '%1' WHERE ID = 30").arg(paragraphs.join(u'\n')));
    for (int i = 0; i < 14; ++i)
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (%1, 30)").arg(200 + i));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    dm.qryConsulta.close(); // opened before the session existed: the report takes the latest session
    const QList<Word> w = wordsOf([&] { dm.OpenRelSessao(); }, "sessao");
    expectCentred(w, u"Sessão", 53, 104, 14);
    expectPlaced(w, {{u"Data", 21, 33},           {u"08/03/2011 14:05", 35 + 1.2, 33},
                     {u"Paciente", 79, 33},       {u"Ana Souza", 101, 33},
                     {u"Brinquedos", 21, 41},     {u"Observações", 90, 41},
                     {u"Parágrafo 1 da", 90, 48.21}});
    // Every toy, 6 mm apart, and every paragraph: the row grew onto a second sheet.
    QList<double> toyTops;
    for (int i = 0; i < 14; ++i) {
        const QRectF toy = pdffile::findPhrase(w, QStringLiteral("Brinquedo %1").arg(i + 1));
        ASSERT_FALSE(toy.isEmpty()) << i;
        EXPECT_NEAR(toy.left(), 20, kMm);
        toyTops << toy.top();
    }
    EXPECT_NEAR(toyTops.first(), 48.21, kMm);
    EXPECT_NEAR(toyTops.last() - toyTops.first(), 13 * 6, kMm);
    ASSERT_EQ(pdffile::pdfPageCount(m_pdf), 2);
    const QString text = pdffile::pdfText(m_pdf);
    for (int i = 1; i <= 70; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("Parágrafo %1 da").arg(i))) << i;
    // The second sheet repeats the captions below its top margin and goes on below them.
    expectPlaced(w, {{u"Brinquedos", 21, 14, 1}});
    EXPECT_FALSE(pdffile::findPhrase(w, QStringLiteral("Parágrafo 70 da"), 1).isEmpty());
}

TEST_F(LayoutTest, ReEvaluationRowsGrowWithTheirObservations)
{
    const QString longText = QStringLiteral("Muito bem. ").repeated(40);
    db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (40, 57, '2011-03-10', '%1')")
                .arg(longText));
    db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (41, 57, '2011-04-10', "
                           "'Segunda')"));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelReavaliacoes(); }, "reavaliacoes", true);
    expectCentred(w, u"Reavaliações", 53, 104, 14);
    expectPlaced(w, {{u"Paciente", 21, 33}, {u"57/08", 44, 33}, {u"Ana Souza", 66, 33},
                     {u"DATA", 21, 41},     {u"OBSERVAÇÕES", 58, 41},
                     {u"10/03/2011", 21, 47}, {u"Muito bem.", 58, 47}});
    const QRectF second = pdffile::findPhrase(w, QStringLiteral("Segunda"));
    const QRectF lastOfFirst = pdffile::findPhrase(w, QStringLiteral("Muito bem."), 0, 39);
    ASSERT_FALSE(lastOfFirst.isEmpty()) << "the whole observation is printed";
    EXPECT_GT(second.top(), lastOfFirst.bottom());
    EXPECT_NEAR(pdffile::findPhrase(w, QStringLiteral("10/04/2011")).top(), second.top(), kMm);
}

TEST_F(LayoutTest, ReferralsShadeTheirOddRowsAndGrowWithTheirObservations)
{
    const QString longText = QStringLiteral("Procurar a fonoaudióloga indicada. ").repeated(12);
    const std::tuple<int, const char*, const char*, QString> rows[] = {
        {50, "2011-03-01", "Fono", longText}, {51, "2011-03-02", "Psicopedagogia", QStringLiteral("Breve")},
        {52, "2011-03-03", "Neuro", QString()}};
    for (const auto& [id, date, referral, note] : rows)
        db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) VALUES (%1, 57, '%2', "
                               "'%3', %4)")
                    .arg(id)
                    .arg(QString::fromLatin1(date), QString::fromLatin1(referral),
                         note.isEmpty() ? QStringLiteral("NULL") : u'\'' + note + u'\''));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelIndicacoes(); }, "indicacoes", true);
    expectCentred(w, u"Indicações", 50.89, 108.21, 14);
    expectPlaced(w, {{u"57/08", 44, 33},     {u"DATA", 21, 41},  {u"INDICAÇÃO", 51, 41},
                     {u"01/03/2011", 21, 47}, {u"Fono", 51, 47},
                     {u"Observações:", 21, 53}, {u"Procurar a", 51, 53}});
    const QRectF second = pdffile::findPhrase(w, QStringLiteral("02/03/2011"));
    const QRectF third = pdffile::findPhrase(w, QStringLiteral("03/03/2011"));
    EXPECT_GT(second.top(), 47 + 12 + 4) << "the first row grew";
    EXPECT_NEAR(third.top() - second.top(), 12, kMm) << "rows without a long text are 12 mm";
    EXPECT_TRUE(fonts().contains(pdfFontName(QStringLiteral("Courier New"), false)));

    // Shading on the first and third rows, over their whole height; the second plain.
    const QImage page = sheet();
    const double firstBottom = second.top() - 0.5;
    for (double y : {47.5, firstBottom - 1})
        EXPECT_EQ(at(page, 188, y), QColor(239, 239, 239)) << y;
    EXPECT_EQ(at(page, 188, second.top() + 5.8), QColor(Qt::white));
    EXPECT_EQ(at(page, 188, third.top() + 5.8), QColor(239, 239, 239));
    // The observations in navy blue.
    const QRectF note = pdffile::findPhrase(w, QStringLiteral("Breve"));
    bool navy = false;
    for (double x = note.left(); x < note.right() && !navy; x += 0.1)
        for (double y = note.top(); y < note.bottom() && !navy; y += 0.1) {
            const QColor c = at(page, x, y);
            navy = c.blue() > 90 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_TRUE(navy);
}

TEST_F(LayoutTest, GuidanceNotesStandByTypeWithOddRowsShaded)
{
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (10, 'Pais')"));
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (11, 'Escola')"));
    db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (60, 10, 57, '2011-03-01', 'Rotina')"));
    db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (61, 11, 57, '2011-03-09', 'Lição')"));
    db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (62, 11, 57, '2011-03-02', 'Sala')"));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelOrientacoes(); }, "orientacoes", true);
    expectCentred(w, u"Orientações", 50.89, 108.21, 14);
    expectPlaced(w, {{u"TIPO DE ORIENTAÇÃO", 21, 41}, {u"DATA", 72, 41}, {u"ORIENTAÇÃO", 101, 41, 0, 1},
                     {u"Escola", 21, 47},             {u"02/03/2011", 72, 47}, {u"Sala", 101, 47},
                     {u"Escola", 21, 53.15, 0, 1},    {u"Lição", 101, 53.15},
                     {u"Pais", 21, 59.30},            {u"Rotina", 101, 59.30}});
    // Sampled below the text of each row.
    const QImage page = sheet();
    EXPECT_EQ(at(page, 188, 47 + 5.8), QColor(239, 239, 239));
    EXPECT_EQ(at(page, 188, 53.15 + 5.8), QColor(Qt::white));
    EXPECT_EQ(at(page, 188, 59.3 + 5.8), QColor(239, 239, 239));
}

TEST_F(LayoutTest, HistoryNotesAlternateTheirShadingAndKeepToOneLine)
{
    for (int i = 1; i <= 4; ++i)
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (%1, 57, '2011-03-0%1', '%2')")
                    .arg(i)
                    .arg(i == 2 ? QStringLiteral("Nota longa ").repeated(10) : QStringLiteral("Nota %1").arg(i)));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelHistorico(); }, "historico");
    expectCentred(w, u"Histórico", 53, 104, 14);
    expectPlaced(w, {{u"Paciente", 21, 33},    {u"57/08", 44, 33},   {u"Ana Souza", 66, 33},
                     {u"DATA", 21, 41},        {u"NOTA", 66, 41},
                     {u"01/03/2011", 21, 47},  {u"Nota 1", 66, 47},
                     {u"02/03/2011", 21, 53},  {u"Nota longa", 66, 53},
                     {u"03/03/2011", 21, 59},  {u"Nota 3", 66, 59}});
    EXPECT_NEAR(pdffile::findPhrase(w, QStringLiteral("Nota longa"), 0, 6).top(), 53, kMm) << "cut to one line";
    EXPECT_TRUE(pdffile::findPhrase(w, QStringLiteral("Nota longa"), 0, 9).isEmpty());
    // Sampled below the text of each row.
    const QImage page = sheet();
    EXPECT_EQ(at(page, 188, 47 + 5.7), QColor(238, 238, 238));
    EXPECT_EQ(at(page, 188, 53 + 5.7), QColor(Qt::white));
    EXPECT_EQ(at(page, 188, 59 + 5.7), QColor(238, 238, 238));
    EXPECT_EQ(at(page, 188, 65 + 5.7), QColor(Qt::white));
    const QStringList used = fonts();
    EXPECT_TRUE(used.contains(pdfFontName(QStringLiteral("Arial"), true)));
    EXPECT_TRUE(used.contains(pdfFontName(QStringLiteral("Verdana"), false)));
}

TEST_F(LayoutTest, AReportWithoutRowsStillPrintsItsTitleAndCaptions)
{
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    const QList<Word> w = wordsOf([&] { dm.OpenRelHistorico(); }, "vazio");
    expectPlaced(w, {{u"Paciente", 21, 33}, {u"DATA", 21, 41}, {u"NOTA", 66, 41}});
    EXPECT_EQ(at(sheet(), 188, 50), QColor(Qt::white));
}
