// Over the practice's network what costs time is the number of exchanges
// with the server, not the rows or the texts that travel in them: moving to
// another patient and saving cost as many round trips for a short record as
// for a long one, and every text comes back whole.

#include "latencyproxy.h"
#include "store/accesslog.h"
#include "store/attachmentcheck.h"
#include "store/schemaversion.h"
#include "storefixture.h"
#include "support/throughlink.h"

namespace {

const QString kShortNote = QStringLiteral(u"Brincou com a bola e falou da escola; a mãe contou. ").repeated(5);
// Too long to come in its row: such notes come together in one more select.
const QString kLongNote = QStringLiteral(u"Desenhou a família inteira, e a avó também. ").repeated(70);

class RoundTrips : public StoreTest {
protected:
    void SetUp() override
    {
        routeThroughLink(dm.ZConnection1, proxy);
        db.exec(QStringLiteral("INSERT INTO TIPO_ORIENTACAO (ID, DESCRICAO) VALUES (3, 'Escola')"));
        addPatient(1, "Ana");
        record(1, 1, kShortNote);
        addPatient(2, "Bia");
        record(2, 150, kShortNote);
        addPatient(3, "Caio");
        record(3, 130, kShortNote);
        record(3, 20, kLongNote);
        addPatient(4, "Davi");
        record(4, 2, kLongNote);
        dm.qryOrientacao.paramByName(QStringLiteral("TIPO")).setAsInteger(3);
        dm.qryPaciente.open();
    }

    // Sessions, re-evaluations, referrals, guidance and history notes of a patient.
    void record(int patient, int rows, const QString& text) const
    {
        db.exec(QStringLiteral(
                    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; DECLARE T BLOB SUB_TYPE TEXT CHARACTER SET UTF8 = '%3'; "
                    "BEGIN WHILE (I <= %2) DO BEGIN "
                    "INSERT INTO CONSULTA (ID, DATA, PACIENTE, OBSERVACOES) VALUES (GEN_ID(GERADOR, 1), '2011-03-05', %1, :T); "
                    "INSERT INTO REAVALIACAO (ID, DATA, PACIENTE, OBSERVACOES) VALUES (GEN_ID(GERADOR, 1), '2011-03-05', %1, :T); "
                    "INSERT INTO INDICACAO (ID, DATA, PACIENTE, INDICACAO, OBSERVACOES) "
                    "VALUES (GEN_ID(GERADOR, 1), '2011-03-05', %1, 'Fono', :T); "
                    "INSERT INTO ORIENTACAO (ID, TIPO, DATA, PACIENTE, CONTEUDO) VALUES (GEN_ID(GERADOR, 1), 3, '2011-03-05', %1, :T); "
                    "INSERT INTO HISTORICO (ID, DATA, PACIENTE, NOTA) VALUES (GEN_ID(GERADOR, 1), '2011-03-05', %1, 'nota'); "
                    "I = I + 1; END END")
                    .arg(patient)
                    .arg(rows)
                    .arg(text));
    }

    template <typename F>
    long long roundTripsOf(F&& action)
    {
        proxy.resetCounts();
        action();
        return proxy.roundTrips();
    }

    // Every note text of the current patient, all kinds together.
    QVariantList notes() const
    {
        QVariantList texts = columnOf(dm.qryConsulta, "OBSERVACOES");
        texts << columnOf(dm.qryReavaliacao, "OBSERVACOES") << columnOf(dm.qryIndicacao, "OBSERVACOES")
              << columnOf(dm.qryOrientacao, "CONTEUDO");
        return texts;
    }

    netlink::LatencyProxy proxy{3050, std::chrono::microseconds(1000)};
};

QVariantList repeated(int count, const QString& text) { return QVariantList(count, text); }

} // namespace

TEST_F(RoundTrips, MovingToAPatientCostsTheSameForOneNoteAsForHundreds)
{
    // Each statement is prepared once, on its first use.
    for (int i = 0; i < 3; ++i)
        dm.qryPaciente.next();
    dm.qryPaciente.first();

    const long long toMany = roundTripsOf([&] { dm.qryPaciente.next(); });
    EXPECT_EQ(notes(), repeated(600, kShortNote));
    const long long toManyWithLong = roundTripsOf([&] { dm.qryPaciente.next(); });
    QVariantList caio = repeated(130, kShortNote) + repeated(20, kLongNote);
    EXPECT_EQ(notes(), caio + caio + caio + caio);
    const long long toFewLong = roundTripsOf([&] { dm.qryPaciente.next(); });
    EXPECT_EQ(notes(), repeated(8, kLongNote));
    dm.qryPaciente.prior();
    dm.qryPaciente.prior();
    const long long toOne = roundTripsOf([&] { dm.qryPaciente.prior(); });
    EXPECT_EQ(notes(), repeated(4, kShortNote));

    EXPECT_EQ(toMany, toOne);
    EXPECT_EQ(toManyWithLong, toFewLong);
    // One exchange for each detail data set and the toys of the first
    // session, and one more for each kind of note that has long ones.
    EXPECT_LE(toMany, 10);
    EXPECT_LE(toManyWithLong, toMany + 4 * 3);
}

TEST_F(RoundTrips, ASaveCostsTheSameWhateverItsTextAndTheRowsAround)
{
    const auto saveSession = [&](const QString& text) {
        dm.qryConsulta.append();
        set(dm.qryConsulta, "OBSERVACOES", text);
        return roundTripsOf([&] { dm.qryConsulta.post(); });
    };
    const auto changeSession = [&](const QString& text) {
        dm.qryConsulta.edit();
        set(dm.qryConsulta, "OBSERVACOES", text);
        return roundTripsOf([&] { dm.qryConsulta.post(); });
    };
    saveSession(QStringLiteral("primeira"));   // prepares what a save uses
    changeSession(QStringLiteral("mudou"));
    const long long shortText = saveSession(QStringLiteral("curta"));
    const long long longText = saveSession(QStringLiteral("longa ").repeated(5000));
    dm.qryPaciente.next();
    const long long amongMany = saveSession(QStringLiteral("curta"));
    EXPECT_EQ(longText, shortText);
    EXPECT_EQ(amongMany, shortText);
    // The key, then the row and its commit.
    EXPECT_LE(shortText, 4);

    const long long change = changeSession(QStringLiteral("mudou ").repeated(3000));
    EXPECT_EQ(change, shortText - 1) << "a change draws no key";
    EXPECT_EQ(count(QStringLiteral("select count(*) from CONSULTA where OBSERVACOES starting with 'mudou '")), 1);
}

// What every attachment checks, and an access of the log, run without a
// prepare of their own: the checks one exchange each, the access its
// transaction's start and commit around one.
TEST_F(RoundTrips, AnAttachmentsChecksAndAnAccessRecordTakeAnExchangeEach)
{
    fb::Connection& connection = dm.ZConnection1.handle();
    EXPECT_EQ(roundTripsOf([&] { store::attachmentFacts(connection); }), 1);
    EXPECT_EQ(roundTripsOf([&] { store::checkSchemaVersion(connection); }), 1);
    EXPECT_EQ(roundTripsOf([&] { store::recordAccess(connection, store::AccessEvent::RecordShown, 2, {}); }), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from ACESSO where EVENTO = 'PRONTUARIO' and PACIENTE = 2"))
                  .toInt(),
              1);
}
