// The report data sets: statements, columns, binding to the current patient,
// session and period, against a real database.

#include "storefixture.h"

namespace {

class ReportDataTest : public StoreTest {
protected:
    ReportDataTest()
    {
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (1, 'Superior completo')"));
        db.exec(QStringLiteral("INSERT INTO INSTRUCAO (ID, DESCRICAO) VALUES (2, 'Médio')"));
        db.exec(QStringLiteral("INSERT INTO ESCOLA (ID, NOME) VALUES (3, 'Escola Sol')"));
        db.exec(QStringLiteral("INSERT INTO CARATER (ID, CARATER) VALUES (4, 'Particular')"));
        db.exec(QStringLiteral("INSERT INTO TERAPEUTA (ID, NOME) VALUES (5, 'Dra. Lia')"));
        // Ana: both parents, every reference; Bia: only a mother; Caio: nobody.
        db.exec(QStringLiteral(
            "INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, SAIDA, STATUS, FONE, FONE2, ENDERECO, BAIRRO, CIDADE, "
            "UF, CEP, INSTRUCAO, ESCOLA, TERAPEUTA, CARATER, PROCEDENCIA) VALUES (57, 'Ana', '2003-02-01', '2008-04-10', "
            "NULL, 'A', '1134567890', '34567890', 'Rua A, 1', 'Centro', 'Campinas', 'SP', '13010000', 2, 3, 5, 4, "
            "'Escola')"));
        addPatient(58, "Bia", "2010-01-01");
        addPatient(59, "Caio", "2000-01-01");
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, FONE_RES, "
                               "FONE_PROF, FONE_CEL) VALUES (57, 'P', 'Paulo', '1970-05-06', 'Médico', 1, '1130001111', "
                               "'1130002222', '1199998888')"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME, NASCIMENTO, PROFISSAO, INSTRUCAO, FONE_RES) "
                               "VALUES (57, 'M', 'Maria', '1972-07-08', 'Artista', 2, '1140004444')"));
        db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (58, 'M', 'Marta')"));
    }

    void openPatients(int current)
    {
        dm.qryPaciente.open();
        ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), current));
    }

    static QStringList texts(ds::DataSet& d, const char* column)
    {
        QStringList out;
        for (d.first(); !d.eof(); d.next())
            out << field(d, column).displayText();
        return out;
    }
    static QStringList names(const ds::DataSet& d)
    {
        QStringList out;
        for (const auto& f : d.fields())
            out << f->name();
        return out;
    }
};

} // namespace

TEST_F(ReportDataTest, PatientFileReadsTheReferenceTextsAndTheStatusWord)
{
    openPatients(57);
    dm.qryRelFicha.open();
    ASSERT_EQ(dm.qryRelFicha.recordCount(), 1);
    EXPECT_EQ(names(dm.qryRelFicha),
              QStringList({"ID", "NOME", "NASCIMENTO", "CADASTRO", "SAIDA", "STATUS", "FONE", "FONE2", "ENDERECO",
                           "BAIRRO", "CIDADE", "UF", "CEP", "PROCEDENCIA", "INSTRUCAO", "ESCOLA", "CARATER",
                           "TERAPEUTA"}));
    EXPECT_EQ(value(dm.qryRelFicha, "ID").toInt(), 57);
    EXPECT_EQ(field(dm.qryRelFicha, "STATUS").displayText(), QStringLiteral("Ativo"));
    EXPECT_EQ(value(dm.qryRelFicha, "INSTRUCAO").toString(), QStringLiteral(u"Médio"));
    EXPECT_EQ(value(dm.qryRelFicha, "ESCOLA").toString(), QStringLiteral("Escola Sol"));
    EXPECT_EQ(value(dm.qryRelFicha, "CARATER").toString(), QStringLiteral("Particular"));
    EXPECT_EQ(value(dm.qryRelFicha, "TERAPEUTA").toString(), QStringLiteral("Dra. Lia"));
    EXPECT_EQ(field(dm.qryRelFicha, "NASCIMENTO").displayText(), QStringLiteral("01/02/2003"));
    // Telephones print as the parents' always did; a number without area code too.
    EXPECT_EQ(field(dm.qryRelFicha, "FONE").displayText(), QStringLiteral("(11) 3456-7890"));
    EXPECT_EQ(field(dm.qryRelFicha, "FONE2").displayText(), QStringLiteral("(  ) 3456-7890"));

    // Each opening reads the patient that is current then.
    dm.qryRelFicha.close();
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 58));
    dm.qryRelFicha.open();
    EXPECT_EQ(value(dm.qryRelFicha, "NOME").toString(), QStringLiteral("Bia"));
    for (const char* reference : {"INSTRUCAO", "ESCOLA", "CARATER", "TERAPEUTA"})
        EXPECT_TRUE(field(dm.qryRelFicha, reference).isNull()) << reference;
}

TEST_F(ReportDataTest, StatusLettersPrintAsWords)
{
    const std::pair<const char*, const char*> cases[] = {
        {"A", "Ativo"}, {"S", "Suspenso"}, {"F", "Finalizado"}, {"X", ""}};
    for (auto [letter, word] : cases) {
        db.exec(QStringLiteral("UPDATE PACIENTE SET STATUS = '%1' WHERE ID = 59").arg(QString::fromLatin1(letter)));
        dm.qryPaciente.close();
        openPatients(59);
        dm.qryRelFicha.close();
        dm.qryRelFicha.open();
        EXPECT_EQ(field(dm.qryRelFicha, "STATUS").displayText(), QString::fromLatin1(word)) << letter;
    }
}

TEST_F(ReportDataTest, ParentsStandSideBySideAndOneRecordedParentStillPrints)
{
    dm.qryRelPais.paramByName(QStringLiteral("ID")).setAsInteger(57);
    dm.qryRelPais.open();
    ASSERT_EQ(dm.qryRelPais.recordCount(), 1);
    EXPECT_EQ(names(dm.qryRelPais),
              QStringList({"NOME", "NASCIMENTO", "RESIDENCIAL", "PROFISSIONAL", "CELULAR", "PROFISSAO", "INSTRUCAO",
                           "NOME_1", "NASCIMENTO_1", "RESIDENCIAL_1", "PROFISSIONAL_1", "CELULAR_1", "PROFISSAO_1",
                           "INSTRUCAO_1"}));
    EXPECT_EQ(value(dm.qryRelPais, "NOME").toString(), QStringLiteral("Paulo"));
    EXPECT_EQ(value(dm.qryRelPais, "NOME_1").toString(), QStringLiteral("Maria"));
    EXPECT_EQ(value(dm.qryRelPais, "INSTRUCAO").toString(), QStringLiteral("Superior completo"));
    EXPECT_EQ(value(dm.qryRelPais, "INSTRUCAO_1").toString(), QStringLiteral(u"Médio"));
    EXPECT_EQ(field(dm.qryRelPais, "RESIDENCIAL").displayText(), QStringLiteral("(11) 3000-1111"));
    EXPECT_EQ(field(dm.qryRelPais, "CELULAR").displayText(), QStringLiteral("(11) 9999-8888"));
    EXPECT_EQ(field(dm.qryRelPais, "RESIDENCIAL_1").displayText(), QStringLiteral("(11) 4000-4444"));
    EXPECT_EQ(field(dm.qryRelPais, "CELULAR_1").displayText(), QString());

    dm.qryRelPais.close();
    dm.qryRelPais.paramByName(QStringLiteral("ID")).setAsInteger(58);
    dm.qryRelPais.open();
    ASSERT_EQ(dm.qryRelPais.recordCount(), 1);
    EXPECT_TRUE(field(dm.qryRelPais, "NOME").isNull());
    EXPECT_EQ(value(dm.qryRelPais, "NOME_1").toString(), QStringLiteral("Marta"));

    dm.qryRelPais.close();
    dm.qryRelPais.paramByName(QStringLiteral("ID")).setAsInteger(59);
    dm.qryRelPais.open();
    EXPECT_EQ(dm.qryRelPais.recordCount(), 0);
}

TEST_F(ReportDataTest, SiblingsComeOldestFirst)
{
    db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (1, 57, 'Caçula', '2010-01-01')"));
    db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (2, 57, 'Primeiro', '1999-01-01')"));
    db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (3, 58, 'Outro', '2001-01-01')"));
    db.exec(QStringLiteral("INSERT INTO IRMAO (ID, PACIENTE, NOME, NASCIMENTO) VALUES (4, 57, 'Meio', '2005-01-01')"));
    dm.qryRelIrmaos.paramByName(QStringLiteral("ID")).setAsInteger(57);
    dm.qryRelIrmaos.open();
    EXPECT_EQ(texts(dm.qryRelIrmaos, "NOME"), QStringList({"Primeiro", "Meio", QString::fromUtf8("Caçula")}));
    EXPECT_EQ(names(dm.qryRelIrmaos), QStringList({"PACIENTE", "NOME", "NASCIMENTO"}));
}

TEST_F(ReportDataTest, PeriodReportsTakeBothBoundsAndNothingOutside)
{
    int id = 100;
    for (const char* date : {"2011-02-28", "2011-03-01", "2011-03-15", "2011-03-31", "2011-04-01"}) {
        const QString d = QString::fromLatin1(date);
        db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (%1, 57, '%2', '%2')")
                    .arg(++id)
                    .arg(d));
        db.exec(QStringLiteral("INSERT INTO INDICACAO (ID, PACIENTE, DATA, INDICACAO) VALUES (%1, 57, '%2', '%2')")
                    .arg(++id)
                    .arg(d));
        db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (%1, 58, '%2', 'x')")
                    .arg(++id)
                    .arg(d));
    }
    db.exec(QStringLiteral("INSERT INTO REAVALIACAO (ID, PACIENTE, DATA, OBSERVACOES) VALUES (1, 58, '2011-03-10', 'b')"));
    openPatients(57);
    dm.Periodo = {QDate(2011, 3, 1), QDate(2011, 3, 31)};
    const QStringList inside = {"01/03/2011", "15/03/2011", "31/03/2011"};
    for (ds::SqlDataSet* d : {&dm.qryRelReavaliacao, &dm.qryRelIndicacao}) {
        d->open();
        QStringList dates = texts(*d, "DATA");
        dates.sort();
        EXPECT_EQ(dates, inside) << d->name().toStdString();
        d->close();
    }
    // One day: the entries of that day.
    dm.Periodo = {QDate(2011, 3, 15), QDate(2011, 3, 15)};
    dm.qryRelReavaliacao.open();
    EXPECT_EQ(texts(dm.qryRelReavaliacao, "DATA"), QStringList({"15/03/2011"}));
    EXPECT_EQ(names(dm.qryRelReavaliacao), QStringList({"ID", "PACIENTE", "DATA", "OBSERVACOES"}));
    EXPECT_EQ(names(dm.qryRelIndicacao), QStringList({"ID", "PACIENTE", "DATA", "INDICACAO", "OBSERVACOES"}));
}

TEST_F(ReportDataTest, GuidanceNotesComeByTypeDescriptionThenDate)
{
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (10, 'Pais')"));
    db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (11, 'Escola')"));
    const std::tuple<int, int, const char*, const char*> notes[] = {
        {1, 10, "2011-03-20", "p2"}, {2, 11, "2011-03-25", "e2"}, {3, 10, "2011-03-02", "p1"},
        {4, 11, "2011-03-01", "e1"}, {5, 11, "2011-04-02", "fora"}};
    for (auto [id, type, date, text] : notes)
        db.exec(QStringLiteral("INSERT INTO ORIENTACAO (ID, TIPO, PACIENTE, DATA, CONTEUDO) VALUES (%1, %2, 57, '%3', "
                               "'%4')")
                    .arg(id)
                    .arg(type)
                    .arg(QString::fromLatin1(date), QString::fromLatin1(text)));
    openPatients(57);
    dm.Periodo = {QDate(2011, 3, 1), QDate(2011, 3, 31)};
    dm.qryRelOrientacoes.open();
    EXPECT_EQ(texts(dm.qryRelOrientacoes, "CONTEUDO"), QStringList({"e1", "e2", "p1", "p2"}));
    EXPECT_EQ(texts(dm.qryRelOrientacoes, "DESCRICAO"), QStringList({"Escola", "Escola", "Pais", "Pais"}));
    EXPECT_EQ(names(dm.qryRelOrientacoes), QStringList({"DESCRICAO", "DATA", "CONTEUDO"}));
}

TEST_F(ReportDataTest, SessionReportReadsTheCurrentSessionAndEachToyOnce)
{
    // The program never links a toy twice, but the report must not print it twice if it happens.
    db.exec(QStringLiteral("ALTER TABLE BRINQUEDO_NA_CONSULTA DROP CONSTRAINT UQ_BRINQUEDO_NA_CONSULTA"));
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (20, 'Bola')"));
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (21, 'Boneca')"));
    addSession(30, 57, "2011-03-01", "09:00:00");
    addSession(31, 57, "2011-03-08", "14:05:30");
    addSession(32, 57, "2011-02-01", "08:00:00");
    for (auto [toy, session] : {std::pair{20, 30}, std::pair{20, 30}, std::pair{21, 30}, std::pair{21, 31}})
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (%1, %2)")
                    .arg(toy)
                    .arg(session));
    openPatients(57);
    ASSERT_TRUE(dm.qryConsulta.locate(QStringLiteral("ID"), 30));
    dm.qryRelSessao.open();
    ASSERT_EQ(dm.qryRelSessao.recordCount(), 1);
    EXPECT_EQ(value(dm.qryRelSessao, "PACIENTE").toString(), QStringLiteral("Ana"));
    EXPECT_EQ(names(dm.qryRelSessao), QStringList({"ID", "DATA", "HORA", "PACIENTE", "OBSERVACOES"}));
    ASSERT_TRUE(dm.qryRelSessaoDet.isActive()) << "opened with the session";
    QStringList toys = texts(dm.qryRelSessaoDet, "BRINQUEDO");
    toys.sort();
    EXPECT_EQ(toys, QStringList({"Bola", "Boneca"}));

    // Closing the session closes its toys; with the sessions list closed the latest session is taken.
    dm.qryRelSessao.close();
    EXPECT_FALSE(dm.qryRelSessaoDet.isActive());
    dm.qryConsulta.close();
    dm.qryRelSessao.open();
    EXPECT_EQ(value(dm.qryRelSessao, "ID").toInt(), 31);
    EXPECT_EQ(field(dm.qryRelSessao, "HORA").displayText(), QStringLiteral("14:05"));
    EXPECT_EQ(texts(dm.qryRelSessaoDet, "BRINQUEDO"), QStringList({"Boneca"}));
    dm.qryRelSessao.close();

    // A session without toys; a patient without sessions.
    ASSERT_TRUE(dm.qryConsulta.locate(QStringLiteral("ID"), 32));
    dm.qryRelSessao.open();
    EXPECT_EQ(dm.qryRelSessaoDet.recordCount(), 0);
    dm.qryRelSessao.close();
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 59));
    dm.qryRelSessao.open();
    EXPECT_EQ(dm.qryRelSessao.recordCount(), 0);
    EXPECT_EQ(dm.qryRelSessaoDet.recordCount(), 0);
}

TEST_F(ReportDataTest, HistoryNotesComeInDateOrderWithThreeColumns)
{
    db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (1, 57, '2011-05-01', 'terceira')"));
    db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (2, 57, '2009-05-01', 'primeira')"));
    db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (3, 58, '2010-05-01', 'outra')"));
    db.exec(QStringLiteral("INSERT INTO HISTORICO (ID, PACIENTE, DATA, NOTA) VALUES (4, 57, '2010-05-01', 'segunda')"));
    openPatients(57);
    dm.qryRelHistorico.open();
    EXPECT_EQ(texts(dm.qryRelHistorico, "NOTA"), QStringList({"primeira", "segunda", "terceira"}));
    EXPECT_EQ(names(dm.qryRelHistorico), QStringList({"PACIENTE", "DATA", "NOTA"}));
}

TEST_F(ReportDataTest, PatientNumberTextCarriesTheRegistrationYear)
{
    openPatients(57);
    EXPECT_EQ(dm.PacienteNumeroTexto(), QStringLiteral("57/08"));
    ASSERT_TRUE(dm.qryPaciente.locate(QStringLiteral("ID"), 59));
    EXPECT_EQ(dm.PacienteNumeroTexto(), QStringLiteral("59/00"));
    // While the number box has the focus the screen shows the bare number; the reports do not.
    field(dm.qryPaciente, "ID").setTag(1);
    EXPECT_EQ(dm.PacienteNumeroTexto(), QStringLiteral("59/00"));
}
