// The whole-record export: a real ZIP file read back by unzip, its PDF read
// by poppler and its JSON compared with the database; a failure midway
// leaves the folder as it was; the command of the main window.

#include "fb/failpoint.h"
#include "mainwin/tfrmclin.h"
#include "reports/recordexport.h"
#include "reportsfixture.h"
#include "support/scriptedfiledialogs.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using reports::RecordExport;

namespace {

// A note longer than a line, accents and all.
const QString kLongNote = QStringLiteral(u"Brincou com a família de bonecos, organizou a casinha e conversou sobre a "
                                         u"escola; ação e atenção melhores que na sessão anterior. ")
                              .repeated(12)
                              .trimmed();

// Runs unzip with the arguments; its output, and the exit code in `code`.
QByteArray unzip(const QStringList& arguments, int* code = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    if (code)
        *code = process.exitCode();
    return process.readAllStandardOutput();
}

// A value of the database as the export writes it in JSON.
QJsonValue asJson(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QJsonValue::Null;
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::Int:
    case QMetaType::LongLong:
        return v.toInt();
    default:
        if (v.canConvert<QTime>() && v.toTime().isValid() && v.typeId() != QMetaType::QString)
            return v.toTime().toString(Qt::ISODate);
        return v.toString();
    }
}

class RecordExportTest : public ReportsTest {
protected:
    RecordExportTest()
    {
        Clock::set(QDateTime(QDate(2024, 5, 6), QTime(9, 30)));
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (1, '4º ano do Ensino Fundamental')"));
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (2, 'Pós-graduação')"));
        db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (3, 'Escola Estadual São João')"));
        db.exec(QStringLiteral("INSERT INTO CARATER (ID, CARATER) VALUES (4, 'Convênio')"));
        db.exec(QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (5, 'Dra. Lúcia Araújo')"));
        db.exec(QStringLiteral(
            "INSERT INTO PACIENTE (ID, NOME, EMAIL, NASCIMENTO, CADASTRO, SAIDA, STATUS, FONE, FONE2, ENDERECO, "
            "BAIRRO, CIDADE, UF, CEP, INSTRUCAO, ESCOLA, TERAPEUTA, CARATER, PROCEDENCIA) VALUES (57, 'Ana Conceição "
            "Souza', 'familia.souza@exemplo.com.br', '2014-02-01', '2020-04-10', '2023-12-15', 'F', '1134567890', "
            "'1932109876', 'Rua Três Corações, 45', 'Jardim Paraíso', 'São José dos Campos', 'SP', '12233897', 1, 3, "
            "5, 4, 'Indicação da escola')"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, FONE_RES, "
                               "FONE_PROF, FONE_CEL) VALUES (57, 'P', 'José Souza', '1980-05-06', 'Mecânico', 2, "
                               "'1130001111', '1130002222', '1199998888')"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, FONE_CEL) VALUES (57, "
                               "'M', 'Márcia Conceição', '1982-07-08', 'Professora', '1198887777')"));
        db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (10, 57, 'Lúcio', '2016-09-09')"));
        db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (11, 57, 'Iara', '2010-01-02')"));
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (20, 'Massinha')"));
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (21, 'Fantoches')"));
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (22, 'Quebra-cabeça')"));
        // Sessions entered out of order; one without toys or observations.
        addSession(31, 57, "2021-03-08", "14:05:30");
        addSession(30, 57, "2021-03-01", "09:00:00");
        addSession(32, 57, "2021-03-15");
        db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = '%1' WHERE ID = 31").arg(kLongNote));
        db.exec(QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = 'Chegou chorando; acalmou-se com a música.' WHERE "
                               "ID = 30"));
        for (const auto& [toy, session] : {std::pair{20, 31}, {21, 31}, {22, 31}, {20, 30}})
            db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (%1, %2)")
                        .arg(toy)
                        .arg(session));
        // Notes entered out of date order; one long before the period dialog's years.
        db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (41, 57, "
                               "'2022-06-01', '%1')")
                    .arg(kLongNote));
        db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (40, 57, "
                               "'1850-01-01', 'Data digitada errada, mas no prontuário.')"));
        db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO, OBSERVACOES) VALUES (50, 57, "
                               "'2021-05-05', 'Fonoaudiólogo', 'Avaliar a fala.')"));
        db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO) VALUES (51, 57, '2021-04-04', "
                               "'NEUROPEDIATRIA - HOSPITAL DAS CLÍNICAS')"));
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (60, 'Família')"));
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (61, 'Escola: coordenação pedagógica e família')"));
        db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (70, 60, 57, "
                               "'2021-07-07', 'Rotina de sono às 21h.')"));
        db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (71, 61, 57, "
                               "'2021-08-08', '%1')")
                    .arg(kLongNote));
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (80, 57, '2021-09-09', '%1')")
                    .arg(kLongNote.left(120).trimmed()));
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (81, 57, '2020-04-10', "
                               "'Primeira entrevista com a mãe.')"));
        // Another patient, who must not appear.
        addPatient(58, "Bruno Lima");
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (90, 58, '2021-09-09', "
                               "'Nota de outro paciente')"));
        dm.qryPaciente.open();
        EXPECT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 57));
    }

    // The rows of the patient, each as its columns, read apart from the program.
    QList<QVariantList> rows(const QString& sql) const { return db.rows(sql.arg(57)); }

    // The JSON objects hold the columns of the rows, in that order.
    static void expectRows(const QJsonValue& json, const QList<QVariantList>& rows, const QStringList& keys)
    {
        ASSERT_TRUE(json.isArray());
        const QJsonArray list = json.toArray();
        ASSERT_EQ(list.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            for (qsizetype k = 0; k < keys.size(); ++k)
                EXPECT_EQ(list[i].toObject().value(keys[k]), asJson(rows[i][k])) << keys[k].toStdString() << " of row " << i;
    }

    QString zip() const { return file(QStringLiteral(u"Prontuário 57-20 Ana.zip")); }
};

} // namespace

TEST_F(RecordExportTest, ThePdfAndTheJsonHoldEveryValueOfThePatientsRecord)
{
    RecordExport record(dm);
    EXPECT_EQ(record.proposedFileName(), QStringLiteral(u"Prontuário 57-20 Ana Conceição Souza.zip"));
    record.write(zip());
    if (const QString keep = qEnvironmentVariable("MARVOK_KEEP_REPORTS"); !keep.isEmpty())
        QFile::copy(zip(), keep + QStringLiteral("/prontuario.zip"));

    int code = -1;
    unzip({QStringLiteral("-t"), zip()}, &code);
    EXPECT_EQ(code, 0) << "unzip finds the archive whole";
    EXPECT_EQ(QString::fromUtf8(unzip({QStringLiteral("-Z1"), zip()})).split(u'\n', Qt::SkipEmptyParts),
              (QStringList{RecordExport::kPdfName, RecordExport::kJsonName}));

    // The JSON, compared with the database.
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(unzip({QStringLiteral("-p"), zip(), RecordExport::kJsonName}), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QStringList patientKeys = {"id", "nome", "email", "nascimento", "cadastro", "saida", "status", "fone", "fone2",
                                     "endereco", "bairro", "cidade", "uf", "cep", "procedencia", "instrucao", "escola",
                                     "carater", "terapeuta"};
    expectRows(QJsonArray{json.value(QStringLiteral("paciente"))},
               rows(QStringLiteral("SELECT P.ID, P.NOME, P.EMAIL, P.NASCIMENTO, P.CADASTRO, P.SAIDA, P.STATUS, P.FONE, "
                                   "P.FONE2, P.ENDERECO, P.BAIRRO, P.CIDADE, P.UF, P.CEP, P.PROCEDENCIA, I.DESCRICAO, "
                                   "E.NOME, C.CARATER, T.NOME FROM PACIENTE P JOIN INSTRUCAO I ON I.ID = P.INSTRUCAO "
                                   "JOIN ESCOLA E ON E.ID = P.ESCOLA JOIN CARATER C ON C.ID = P.CARATER JOIN TERAPEUTA T "
                                   "ON T.ID = P.TERAPEUTA WHERE P.ID = %1")),
               patientKeys);
    const QStringList parentKeys = {"nome", "nascimento", "residencial", "profissional", "celular", "profissao", "instrucao"};
    const QString parents = QStringLiteral("SELECT P.NOME, P.NASCIMENTO, P.FONE_RES, P.FONE_PROF, P.FONE_CEL, "
                                           "P.PROFISSAO, I.DESCRICAO FROM PAIS P LEFT JOIN INSTRUCAO I ON I.ID = "
                                           "P.INSTRUCAO WHERE P.PACIENTE = %1 AND P.TIPO = '%2'");
    expectRows(QJsonArray{json.value(QStringLiteral("pai"))}, rows(parents.arg(QStringLiteral("%1"), QStringLiteral("P"))), parentKeys);
    expectRows(QJsonArray{json.value(QStringLiteral("mae"))}, rows(parents.arg(QStringLiteral("%1"), QStringLiteral("M"))), parentKeys);
    expectRows(json.value(QStringLiteral("irmaos")),
               rows(QStringLiteral("SELECT NOME, NASCIMENTO FROM IRMAO WHERE PACIENTE = %1 ORDER BY NASCIMENTO")),
               {"nome", "nascimento"});
    expectRows(json.value(QStringLiteral("sessoes")),
               rows(QStringLiteral("SELECT ID, DATA, HORA, OBSERVACOES FROM CONSULTA WHERE PACIENTE = %1 ORDER BY DATA")),
               {"id", "data", "hora", "observacoes"});
    const QJsonArray sessions = json.value(QStringLiteral("sessoes")).toArray();
    ASSERT_EQ(sessions.size(), 3);
    for (const QJsonValue& session : sessions) {
        QStringList toys;
        for (const QVariantList& row :
             db.rows(QStringLiteral("SELECT B.BRINQUEDO FROM BRINQUEDO_NA_CONSULTA N JOIN BRINQUEDO B ON B.ID = "
                                    "N.BRINQUEDO WHERE N.CONSULTA = %1")
                         .arg(session.toObject().value(QStringLiteral("id")).toInt())))
            toys << row[0].toString();
        toys.sort();
        QStringList exported;
        for (const QJsonValue& toy : session.toObject().value(QStringLiteral("brinquedos")).toArray())
            exported << toy.toString();
        exported.sort();
        EXPECT_EQ(exported, toys);
    }
    expectRows(json.value(QStringLiteral("reavaliacoes")),
               rows(QStringLiteral("SELECT ID, DATA, OBSERVACOES FROM REAVALIACAO WHERE PACIENTE = %1 ORDER BY DATA")),
               {"id", "data", "observacoes"});
    expectRows(json.value(QStringLiteral("indicacoes")),
               rows(QStringLiteral("SELECT ID, DATA, INDICACAO, OBSERVACOES FROM INDICACAO WHERE PACIENTE = %1 ORDER "
                                   "BY DATA")),
               {"id", "data", "indicacao", "observacoes"});
    expectRows(json.value(QStringLiteral("orientacoes")),
               rows(QStringLiteral("SELECT T.DESCRICAO, O.DATA, O.CONTEUDO FROM ORIENTACAO O JOIN TIPO_ORIENTACAO T ON "
                                   "T.ID = O.TIPO WHERE O.PACIENTE = %1 ORDER BY O.DATA")),
               {"descricao", "data", "conteudo"});
    expectRows(json.value(QStringLiteral("historico")),
               rows(QStringLiteral("SELECT DATA, NOTA FROM HISTORICO WHERE PACIENTE = %1 ORDER BY DATA")),
               {"data", "nota"});
    EXPECT_EQ(json.value(QStringLiteral("gerado_em")).toString(), QStringLiteral("2024-05-06T09:30:00"));
    EXPECT_FALSE(json.contains(QStringLiteral("consultorio"))) << "no practice data entered";

    // The PDF: every value as it prints, long notes whole, every sheet numbered.
    const QString pdf = file(QStringLiteral("prontuario.pdf"));
    {
        QFile out(pdf);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(unzip({QStringLiteral("-p"), zip(), RecordExport::kPdfName}));
    }
    QProcess raw;
    raw.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(raw.waitForFinished(60000));
    const QString text = QString::fromUtf8(raw.readAllStandardOutput()).simplified();
    const char16_t* printed[] = {
        u"Ana Conceição Souza", u"familia.souza@exemplo.com.br", u"01/02/2014", u"10/04/2020", u"15/12/2023",
        u"Finalizado", u"(11) 3456-7890", u"(19) 3210-9876", u"Rua Três Corações, 45", u"Jardim Paraíso",
        u"São José dos Campos", u"SP", u"12233-897", u"Indicação da escola", u"4º ano do Ensino Fundamental",
        u"Escola Estadual São João", u"Convênio", u"Dra. Lúcia Araújo",
        u"José Souza", u"06/05/1980", u"(11) 3000-1111", u"(11) 3000-2222", u"(11) 9999-8888", u"Mecânico",
        u"Pós-graduação", u"Márcia Conceição", u"08/07/1982", u"Professora",
        u"Iara", u"02/01/2010", u"Lúcio", u"09/09/2016",
        u"08/03/2021", u"14:05", u"Massinha", u"Fantoches", u"Quebra-cabeça", u"Chegou chorando; acalmou-se com a música.",
        u"01/01/1850", u"Data digitada errada, mas no prontuário.", u"01/06/2022",
        u"Fonoaudiólogo", u"Avaliar a fala.", u"NEUROPEDIATRIA - HOSPITAL DAS CLÍNICAS", u"Família", u"Rotina de sono às 21h.",
        u"Escola: coordenação pedagógica e família", // a referral and a guidance type longer than their columns
        u"Primeira entrevista com a mãe.",
    };
    for (const char16_t* value : printed)
        EXPECT_TRUE(text.contains(QString::fromUtf16(value))) << QString::fromUtf16(value).toStdString();
    EXPECT_GE(text.count(kLongNote), 3) << "the long session, re-evaluation and guidance notes whole";
    EXPECT_TRUE(text.contains(kLongNote.left(120).trimmed())) << "the history note whole";
    EXPECT_FALSE(text.contains(QStringLiteral("Bruno"))) << "nothing of another patient";
    EXPECT_FALSE(text.contains(QStringLiteral("outro paciente")));
    // In date order: the 1850 re-evaluation before the one of 2022, the session of 01/03 before 08/03.
    EXPECT_LT(text.indexOf(QStringLiteral("01/01/1850")), text.indexOf(QStringLiteral("01/06/2022")));
    EXPECT_LT(text.indexOf(QStringLiteral("01/03/2021")), text.indexOf(QStringLiteral("08/03/2021")));
    const int sheets = pdffile::pdfPageCount(pdf);
    ASSERT_GE(sheets, 6) << "one part of the record a sheet at least";
    const QStringList pages = pdffile::pdfText(pdf).split(u'\f');
    for (int i = 0; i < sheets; ++i)
        EXPECT_TRUE(pages[i].simplified().contains(QStringLiteral(u"Página %1 de %2").arg(i + 1).arg(sheets))) << i;
    EXPECT_FALSE(anyReportDataSetOpen());
}

TEST_F(RecordExportTest, ThePracticeHeadsEverySheetAndTheJson)
{
    enterPractice({QStringLiteral(u"Clínica Crescer"), QStringLiteral(u"Rua das Flores, 10 - São Paulo"),
                   QStringLiteral("(11) 3232-4545"), QStringLiteral("CRP 06/123456"), {}});
    RecordExport(dm).write(zip());
    const QJsonObject json = QJsonDocument::fromJson(unzip({QStringLiteral("-p"), zip(), RecordExport::kJsonName})).object();
    EXPECT_EQ(json.value(QStringLiteral("consultorio")).toObject(),
              (QJsonObject{{QStringLiteral("nome"), QStringLiteral(u"Clínica Crescer")},
                           {QStringLiteral("endereco"), QStringLiteral(u"Rua das Flores, 10 - São Paulo")},
                           {QStringLiteral("telefone"), QStringLiteral("(11) 3232-4545")},
                           {QStringLiteral("registro"), QStringLiteral("CRP 06/123456")}}));
    const QString pdf = file(QStringLiteral("com-consultorio.pdf"));
    {
        QFile out(pdf);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(unzip({QStringLiteral("-p"), zip(), RecordExport::kPdfName}));
    }
    const QList<pdffile::Word> words = pdffile::pdfWords(pdf);
    const int sheets = pdffile::pdfPageCount(pdf);
    ASSERT_GE(sheets, 6);
    for (int sheet = 0; sheet < sheets; ++sheet) {
        const QRectF heading = pdffile::findPhrase(words, QStringLiteral(u"Clínica Crescer"), sheet);
        ASSERT_FALSE(heading.isEmpty()) << sheet;
        EXPECT_NEAR(heading.top(), 8, 1.0) << sheet;
        // A one-line address: the contact line right below it, no blank line between.
        const QRectF address = pdffile::findPhrase(words, QStringLiteral("Rua das Flores,"), sheet);
        const QRectF contact = pdffile::findPhrase(words, QStringLiteral(u"Tel. (11) 3232-4545 · CRP 06/123456"), sheet);
        ASSERT_FALSE(address.isEmpty() || contact.isEmpty()) << sheet;
        EXPECT_NEAR(contact.top() - address.top(), 4, 0.5) << sheet;
        EXPECT_FALSE(pdffile::findPhrase(words, QStringLiteral(u"Página %1 de %2").arg(sheet + 1).arg(sheets), sheet)
                         .isEmpty());
    }
}

TEST_F(RecordExportTest, AFailureMidwayLeavesTheFolderAsItWas)
{
    {
        QFile before(zip());
        ASSERT_TRUE(before.open(QIODevice::WriteOnly));
        before.write("antes");
    }
    const QDir folder(dir.path());
    const QStringList filesBefore = folder.entryList(QDir::Files | QDir::Hidden);
    // The server goes away while the sessions' observations are read, after the patient file was prepared.
    fb::armFailPoint(fb::FailPoint::BlobRead);
    EXPECT_THROW(RecordExport(dm).write(zip()), EError);
    fb::disarmFailPoints();
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden), filesBefore);
    QFile after(zip());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), QByteArray("antes"));
    after.close();

    // A folder that cannot be written: nothing there either, and the user is told why.
    const QString missing = file(QStringLiteral("não existe/prontuario.zip"));
    try {
        RecordExport(dm).write(missing);
        ADD_FAILURE() << "no error";
    } catch (const EError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral(u"Não foi possível gravar o arquivo"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(missing));

    // The next export, with the server back, replaces the file.
    RecordExport(dm).write(zip());
    int code = -1;
    unzip({QStringLiteral("-t"), zip()}, &code);
    EXPECT_EQ(code, 0);
}

TEST_F(RecordExportTest, TheReportsMenuExportsTheRecordToTheFileTheUserNames)
{
    ScriptedFileDialogs dialogs;
    TfrmClin w(dm);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.popRelat->actions().contains(w.Exportarprontuario1));
    EXPECT_EQ(w.Exportarprontuario1->text(), QStringLiteral(u"Exportar prontuário"));
    // What is typed on screen and not yet saved goes into the export.
    QTest::mouseClick(w.DBEdit9, Qt::LeftButton);
    QTest::keyClick(w.DBEdit9, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w.DBEdit9, QStringLiteral("Vila Nova"));

    dialogs.answers << zip();
    w.Exportarprontuario1->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].request.fileName, QStringLiteral(u"Prontuário 57-20 Ana Conceição Souza.zip"));
    EXPECT_EQ(dialogs.asked[0].request.defaultSuffix, QStringLiteral("zip"));
    const QJsonObject json =
        QJsonDocument::fromJson(unzip({QStringLiteral("-p"), zip(), RecordExport::kJsonName})).object();
    EXPECT_EQ(json.value(QStringLiteral("paciente")).toObject().value(QStringLiteral("bairro")).toString(),
              QStringLiteral("Vila Nova"));
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_TRUE(messages.requests[0].text.startsWith(QStringLiteral(u"Prontuário exportado em")));
    const QString logged = QStringLiteral("select USUARIO || ' ' || PACIENTE || ' ' || DETALHE from ACESSO "
                                          "where EVENTO = 'EXPORTACAO'");
    const QVariantList once{dm.account().user + u" 57 "_qs + QDir::toNativeSeparators(zip())};
    EXPECT_EQ(db.column(logged), once);

    // An existing file is replaced only when the user says so.
    const QByteArray first = unzip({QStringLiteral("-p"), zip(), RecordExport::kJsonName});
    db.exec(QStringLiteral("UPDATE PACIENTE SET PROCEDENCIA = 'Outra' WHERE ID = 57"));
    dialogs.answers << zip();
    messages.answers << platform::MsgButton::No;
    w.Exportarprontuario1->trigger();
    ASSERT_EQ(messages.requests.size(), 2);
    EXPECT_EQ(messages.requests[1].type, platform::MsgType::Confirmation);
    EXPECT_TRUE(messages.requests[1].text.contains(QStringLiteral(u"já existe")));
    EXPECT_EQ(unzip({QStringLiteral("-p"), zip(), RecordExport::kJsonName}), first);

    // Cancelling the file dialog writes nothing and says nothing.
    w.Exportarprontuario1->trigger();
    EXPECT_EQ(messages.requests.size(), 2);
    EXPECT_EQ(db.column(logged), once);   // neither the refused nor the cancelled export is logged
}
