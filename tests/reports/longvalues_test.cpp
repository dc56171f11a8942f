// The six reports of a patient whose every text holds as much as its column
// takes, read back from real PDFs: no sheet prints near its edges, where a
// printer cannot reach, the sheets after the first begin below a top margin,
// and every value of the patient file prints whole.

#include "reportsfixture.h"

#include <QBuffer>

using pdffile::Word;

namespace {

constexpr double kEdge = 7.0; // mm a printer may leave blank at each edge
constexpr double kSlackMm = 0.5;

// Words of a record, accents and all, cut to exactly `length` characters
// (a text never ends in a blank); `first` makes the text one of its own.
QString longText(const QString& first, int length)
{
    static const QStringList words = {
        QStringLiteral(u"ação"),    QStringLiteral(u"Conceição"), QStringLiteral(u"Araújo"),
        QStringLiteral(u"família"), QStringLiteral(u"brincadeira"), QStringLiteral(u"São"),
        QStringLiteral(u"atenção"), QStringLiteral(u"Ensino"),    QStringLiteral(u"Fundamental"),
        QStringLiteral(u"médio"),   QStringLiteral(u"experiência"), QStringLiteral(u"Guimarães")};
    QString text = first;
    for (int i = 0; text.size() < length; ++i)
        text += u' ' + words[i % words.size()];
    text.truncate(length);
    if (text.endsWith(u' '))
        text[length - 1] = u'x';
    return text;
}

QString quoted(const QString& text) { return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\''; }

// A value of the patient file and the box it prints in (mm).
struct Value {
    QString text;
    double left;
    double top;
    double width;
    double room; // down to the next line of the form
};

class LongValuesTest : public ReportsTest {
protected:
    LongValuesTest()
    {
        Clock::set(QDateTime(QDate(2011, 3, 5), QTime(10, 0)));
        instrucao = longText(QStringLiteral(u"4º ano do Ensino Fundamental"), width("INSTRUCAO", "DESCRICAO"));
        escola = longText(QStringLiteral("Escola"), width("ESCOLA", "NOME"));
        carater = longText(QStringLiteral("Particular"), width("CARATER", "CARATER"));
        terapeuta = longText(QStringLiteral("Dra."), width("TERAPEUTA", "NOME"));
        nome = longText(QStringLiteral("Ana"), width("PACIENTE", "NOME"));
        endereco = longText(QStringLiteral("Rua"), width("PACIENTE", "ENDERECO"));
        bairro = longText(QStringLiteral("Jardim"), width("PACIENTE", "BAIRRO"));
        cidade = longText(QStringLiteral("Santa"), width("PACIENTE", "CIDADE"));
        procedencia = longText(QStringLiteral("Indicada"), width("PACIENTE", "PROCEDENCIA"));
        pai = longText(QStringLiteral("Paulo"), width("PAIS", "NOME"));
        mae = longText(QStringLiteral("Maria"), width("PAIS", "NOME"));
        profissao = longText(QStringLiteral("Engenheiro"), width("PAIS", "PROFISSAO"));
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (1, %1)").arg(quoted(instrucao)));
        db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (2, %1)").arg(quoted(escola)));
        db.exec(QStringLiteral("INSERT INTO CARATER (ID, CARATER) VALUES (3, %1)").arg(quoted(carater)));
        db.exec(QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (4, %1)").arg(quoted(terapeuta)));
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, SAIDA, STATUS, FONE, FONE2, "
                               "ENDERECO, BAIRRO, CIDADE, UF, CEP, INSTRUCAO, ESCOLA, TERAPEUTA, CARATER, PROCEDENCIA) "
                               "VALUES (57, %1, '2003-02-01', '2008-04-10', '2011-01-31', 'F', '1134567890', "
                               "'1934567890', %2, %3, %4, 'SP', '13233897', 1, 2, 4, 3, %5)")
                    .arg(quoted(nome), quoted(endereco), quoted(bairro), quoted(cidade), quoted(procedencia)));
        for (const auto& [tipo, name] : {std::pair{"P", pai}, std::pair{"M", mae}})
            db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, "
                                   "FONE_RES, FONE_PROF, FONE_CEL) VALUES (57, '%1', %2, '1970-05-06', %3, 1, "
                                   "'1130001111', '1130002222', '1199998888')")
                        .arg(QString::fromLatin1(tipo), quoted(name), quoted(profissao)));
        for (int i = 1; i <= 12; ++i)
            db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (%1, 57, %2, '%3')")
                        .arg(100 + i)
                        .arg(quoted(longText(QStringLiteral(u"Irmão%1").arg(i), width("IRMAO", "NOME"))))
                        .arg(QDate(2000, 1, 1).addDays(i * 40).toString(Qt::ISODate)));

        addSession(30, 57, "2011-03-08", "14:05:30");
        db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = %1 WHERE ID = 30")
                    .arg(quoted(longText(QStringLiteral(u"Observação"), 9000))));
        for (int i = 0; i < 14; ++i) {
            db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (%1, %2)")
                        .arg(200 + i)
                        .arg(quoted(longText(QStringLiteral("B%1").arg(i), width("BRINQUEDO", "BRINQUEDO")))));
            db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (%1, 30)").arg(200 + i));
        }
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (10, %1)")
                    .arg(quoted(longText(QStringLiteral("Pais"), width("TIPO_ORIENTACAO", "DESCRICAO")))));
        for (int i = 0; i < 12; ++i) {
            const QString date = QDate(2011, 3, 1).addDays(i).toString(Qt::ISODate);
            db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (%1, 57, '%2', %3)")
                        .arg(300 + i)
                        .arg(date, quoted(longText(QStringLiteral("R%1").arg(i), 1500))));
            db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) VALUES (%1, 57, "
                                   "'%2', %3, %4)")
                        .arg(400 + i)
                        .arg(date, quoted(longText(QStringLiteral("I%1").arg(i), width("INDICACAO", "INDICACAO"))),
                             quoted(longText(QStringLiteral("O%1").arg(i), 1200))));
            db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (%1, 10, 57, "
                                   "'%2', %3)")
                        .arg(500 + i)
                        .arg(date, quoted(longText(QStringLiteral("G%1").arg(i), 1200))));
        }
        for (int i = 0; i < 60; ++i)
            db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (%1, 57, '%2', %3)")
                        .arg(600 + i)
                        .arg(QDate(2011, 1, 1).addDays(i).toString(Qt::ISODate),
                             quoted(longText(QStringLiteral("H%1").arg(i), width("HISTORICO", "NOTA")))));
        dm.qryPaciente.open();
        EXPECT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    }

    // How many characters the column takes.
    int width(const char* table, const char* column) const
    {
        return db.scalar(QStringLiteral("SELECT F.RDB$CHARACTER_LENGTH FROM RDB$RELATION_FIELDS R JOIN RDB$FIELDS F ON "
                                        "F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE WHERE R.RDB$RELATION_NAME = '%1' AND "
                                        "R.RDB$FIELD_NAME = '%2'")
                             .arg(QString::fromLatin1(table), QString::fromLatin1(column)))
            .toInt();
    }

    QList<Word> wordsOf(const std::function<void()>& command, const QString& name, bool period = false)
    {
        const QString pdf = file(QStringLiteral("longo-") + name + QStringLiteral(".pdf"));
        if (period)
            runPeriodReport(command, pdf, QStringLiteral("01/01/2011"), QStringLiteral("31/12/2011"));
        else
            runReport(command, pdf);
        return pdffile::pdfWords(pdf);
    }

    QString instrucao, escola, carater, terapeuta, nome, endereco, bairro, cidade, procedencia, pai, mae, profissao;
};

// The words printed inside a box, line by line, joined by single blanks.
QString printedIn(const QList<Word>& words, int page, const QRectF& box)
{
    QList<Word> inside;
    for (const Word& w : words)
        if (w.page == page && box.contains(w.rectMm.center()))
            inside << w;
    std::sort(inside.begin(), inside.end(), [](const Word& a, const Word& b) {
        return std::abs(a.rectMm.top() - b.rectMm.top()) > kSlackMm ? a.rectMm.top() < b.rectMm.top()
                                                               : a.rectMm.left() < b.rectMm.left();
    });
    QStringList texts;
    for (const Word& w : inside)
        texts << w.text;
    return texts.join(u' ');
}

// The words that lie closer to an edge of their sheet than a printer reaches.
QStringList nearEdges(const QList<Word>& words)
{
    QStringList near;
    for (const Word& w : words) {
        const QRectF& r = w.rectMm;
        if (!(r.left() >= kEdge && r.top() >= kEdge && r.right() <= 210 - kEdge && r.bottom() <= 297 - kEdge))
            near << QStringLiteral("%1 (sheet %2, %3 to %4 mm from the top)")
                        .arg(w.text)
                        .arg(w.page + 1)
                        .arg(r.top(), 0, 'f', 1)
                        .arg(r.bottom(), 0, 'f', 1);
    }
    return near;
}

// The six reports, each with the first column caption that every later sheet repeats.
struct ReportCase {
    const char* name;
    void (Tdm::*command)();
    bool period;
    const char16_t* title;
    const char16_t* caption;
    double left; // of the report's printed width, where the practice's heading begins
};
const ReportCase kReports[] = {
    {"ficha", &Tdm::OpenRelFicha, false, u"Dados Gerais", nullptr, 30},
    {"sessao", &Tdm::OpenRelSessao, false, u"Sessão", u"Brinquedos", 20},
    {"reavaliacoes", &Tdm::OpenRelReavaliacoes, true, u"Reavaliações", u"DATA", 21},
    {"indicacoes", &Tdm::OpenRelIndicacoes, true, u"Indicações", u"DATA", 21},
    {"orientacoes", &Tdm::OpenRelOrientacoes, true, u"Orientações", u"TIPO DE ORIENTAÇÃO", 21},
    {"historico", &Tdm::OpenRelHistorico, false, u"Histórico", u"DATA", 21},
};

} // namespace

TEST_F(LongValuesTest, NoSheetOfAnyReportPrintsNearItsEdgesAndLaterSheetsBeginBelowATopMargin)
{
    for (const ReportCase& c : kReports) {
        SCOPED_TRACE(c.name);
        const QList<Word> words = wordsOf([&] { (dm.*c.command)(); }, QString::fromLatin1(c.name), c.period);
        ASSERT_FALSE(words.isEmpty());
        const int sheets = words.last().page + 1;
        EXPECT_GE(sheets, 2) << "the fixture fills more than one sheet";
        const QStringList near = nearEdges(words);
        EXPECT_TRUE(near.isEmpty()) << near.size() << " words near an edge, such as "
                                    << near.mid(0, 3).join(QStringLiteral("; ")).toStdString();
        if (!c.caption)
            continue;
        for (int sheet = 1; sheet < sheets; ++sheet) {
            const QRectF at = pdffile::findPhrase(words, QString::fromUtf16(c.caption), sheet);
            ASSERT_FALSE(at.isEmpty()) << "captions on sheet " << sheet + 1;
            EXPECT_NEAR(at.top(), 14, kSlackMm) << "sheet " << sheet + 1;
        }
    }
}

TEST_F(LongValuesTest, EveryValueOfThePatientFilePrintsWholeInItsPlace)
{
    // A value alone on its line may run to the right end of the form's rules.
    const QList<Word> words = wordsOf([&] { dm.OpenRelFicha(); }, QStringLiteral("ficha"));
    const Value values[] = {
        {nome, 75.5, 54, 114.5, 6},          {QStringLiteral("Finalizado"), 75.5, 78, 114.5, 6},
        {endereco, 75.5, 96, 114.5, 6},      {bairro, 75.5, 102, 114.5, 6},
        {cidade, 75.5, 108, 114.5, 6},       {QStringLiteral("SP"), 75.5, 114, 114.5, 6},
        {QStringLiteral("13233-897"), 75.5, 120, 114.5, 6},
        {procedencia, 75.5, 126, 114.5, 6},  {instrucao, 75.5, 132, 114.5, 6},
        {escola, 75.5, 138, 114.5, 6},       {carater, 75.5, 144, 114.5, 6},
        {terapeuta, 76, 150, 114, 6},
        {pai, 71, 170.41, 119, 5.42},      {profissao, 71, 186.77, 119, 5.47},
        {instrucao, 71, 192.24, 119, 6},
        {mae, 71, 201.59, 119, 5.21},      {profissao, 71, 217.74, 119, 5.47},
        {instrucao, 71, 223.21, 119, 6},
    };
    for (const Value& v : values) {
        SCOPED_TRACE(v.text.toStdString());
        const QRectF box(v.left - kSlackMm, v.top - kSlackMm, v.width + 2 * kSlackMm, v.room + kSlackMm);
        EXPECT_EQ(printedIn(words, 0, box).toStdString(), v.text.toStdString());
    }
    // The siblings, the first on the form and the last on the sheet it runs on to.
    for (int i : {1, 12}) {
        const QString sibling = longText(QStringLiteral(u"Irmão%1").arg(i), width("IRMAO", "NOME"));
        const QRectF at = pdffile::findPhrase(words, sibling.section(u' ', 0, 0), i == 1 ? 0 : 1);
        ASSERT_FALSE(at.isEmpty()) << i;
        const QRectF box(30 - kSlackMm, at.top() - kSlackMm, 118 + 2 * kSlackMm, 6);
        EXPECT_EQ(printedIn(words, i == 1 ? 0 : 1, box).toStdString(), sibling.toStdString());
    }
}

TEST_F(LongValuesTest, ThePracticeHeadingStandsAtTheTopOfEverySheetOfEveryReport)
{
    QImage logo(400, 200, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");
    const TConsultorio practice{longText(QStringLiteral(u"Consultório"), width("CONSULTORIO", "NOME")),
                                longText(QStringLiteral("Avenida"), width("CONSULTORIO", "ENDERECO")),
                                QStringLiteral("(19) 3232-4545"), QStringLiteral("CRP 06/123456"), png};
    enterPractice(practice);

    for (const ReportCase& c : kReports) {
        SCOPED_TRACE(c.name);
        const QString name = QStringLiteral("consultorio-") + QString::fromLatin1(c.name);
        const QList<Word> words = wordsOf([&] { (dm.*c.command)(); }, name, c.period);
        const QString pdf = file(QStringLiteral("longo-") + name + QStringLiteral(".pdf"));
        const int sheets = words.last().page + 1;
        ASSERT_GE(sheets, 2);
        const QStringList near = nearEdges(words);
        EXPECT_TRUE(near.isEmpty()) << near.mid(0, 3).join(QStringLiteral("; ")).toStdString();
        for (int sheet = 0; sheet < sheets; ++sheet) {
            SCOPED_TRACE(sheet + 1);
            // Name, address and contact, right of the logo, above everything else of the sheet.
            const QRectF named = pdffile::findPhrase(words, QStringLiteral(u"Consultório"), sheet);
            ASSERT_FALSE(named.isEmpty());
            EXPECT_NEAR(named.top(), 8, 1.0);
            EXPECT_GT(named.left(), c.left + 20);
            EXPECT_FALSE(pdffile::findPhrase(words, QStringLiteral("Avenida"), sheet).isEmpty());
            // The contact line right below the address as it printed, however small.
            const QRectF contact = pdffile::findPhrase(words, QStringLiteral(u"Tel. (19) 3232-4545 · CRP 06/123456"), sheet);
            ASSERT_FALSE(contact.isEmpty());
            double addressBottom = 0;
            for (const Word& w : words)
                if (w.page == sheet && w.rectMm.top() > named.bottom() - kSlackMm && w.rectMm.bottom() < contact.top() + kSlackMm)
                    addressBottom = std::max(addressBottom, w.rectMm.bottom());
            EXPECT_GT(addressBottom, named.bottom()) << "the address between name and contact";
            EXPECT_LT(contact.top() - addressBottom, 1.5) << "no blank line above the contact";
            double firstBelow = 297;
            for (const Word& w : words)
                if (w.page == sheet && w.rectMm.top() > 23)
                    firstBelow = std::min(firstBelow, w.rectMm.top());
            EXPECT_GE(firstBelow, 25 - 0.01) << "the rest of the sheet below the heading";
            if (sheet == 0) {
                EXPECT_GE(pdffile::findPhrase(words, QString::fromUtf16(c.title)).top(), 25 - 0.01);
            }
            const QImage page = pdffile::pdfPageImage(pdf, sheet, 50);
            const QColor drawn = page.pixelColor(qRound((c.left + 5) / 25.4 * 50), qRound(12 / 25.4 * 50));
            EXPECT_TRUE(drawn.red() > 200 && drawn.green() < 80) << "the logo";
        }
    }
}
