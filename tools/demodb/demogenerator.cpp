#include "demogenerator.h"

#include "core/eerror.h"
#include "demowords.h"
#include "fb/statement.h"
#include "fb/transaction.h"

#include <algorithm>
#include <cmath>

using words::list;

namespace {

constexpr quint64 kSeed = 0x4D61726B6F6B2012ull;
constexpr int kPatientsPerTransaction = 2500;

QVariant orNull(bool present, const QVariant& value) { return present ? value : QVariant(); }

// Index into a table of relative weights.
int weighted(Rng& rng, std::initializer_list<int> weights)
{
    int total = 0;
    for (int w : weights)
        total += w;
    int r = rng.between(0, total - 1);
    int i = 0;
    for (int w : weights) {
        if (r < w)
            return i;
        r -= w;
        ++i;
    }
    return i - 1;
}

QString firstWord(const QString& s) { return s.section(u' ', 0, 0); }

// Lower-case ASCII letters only, accents dropped: "João" -> "joao".
QString mailPart(const QString& s)
{
    QString out;
    for (QChar c : s.normalized(QString::NormalizationForm_D).toLower())
        if (c >= u'a' && c <= u'z')
            out += c;
    return out;
}

// A surname other than those given.
QString surnameOtherThan(Rng& rng, const QStringList& taken)
{
    for (;;) {
        const QString& s = rng.pick(list("surnames"));
        if (!taken.contains(s))
            return s;
    }
}

QString landline(Rng& rng, const QString& areaCode)
{
    return areaCode + QString::number(rng.between(2, 5)) + rng.digits(7);
}
QString mobile(Rng& rng, const QString& areaCode) { return areaCode + u'9' + rng.digits(7); }

QDate weekdayOnOrAfter(QDate d, int weekday)
{
    while (d.dayOfWeek() != weekday)
        d = d.addDays(1);
    return d;
}

QTime slot(Rng& rng)
{
    int hour = rng.between(8, 17);
    if (hour == 12)
        hour = 18;
    return QTime(hour, rng.chance(70) ? 0 : 30);
}

bool holidays(const QDate& d)
{
    return d.month() == 1 || d.month() == 7 || (d.month() == 12 && d.day() > 20) || (d.month() == 2 && d.day() < 8);
}

} // namespace

DemoGenerator::DemoGenerator(fb::Connection& connection, int patients)
    : m_connection(connection), m_patients(patients), m_writer(connection)
{
    const auto table = [this](const char* name, const char* columns) {
        return m_writer.addTable(QString::fromLatin1(name), QString::fromLatin1(columns));
    };
    m_patientTable = table("PACIENTE", "ID INTEGER, NOME VARCHAR(60), EMAIL VARCHAR(60), NASCIMENTO DATE, "
                                       "CADASTRO DATE, SAIDA DATE, STATUS VARCHAR(1), FONE VARCHAR(12), "
                                       "FONE2 VARCHAR(12), ENDERECO VARCHAR(100), BAIRRO VARCHAR(40), "
                                       "CIDADE VARCHAR(60), UF VARCHAR(2), CEP VARCHAR(8), INSTRUCAO INTEGER, "
                                       "ESCOLA INTEGER, TERAPEUTA INTEGER, CARATER INTEGER, PROCEDENCIA VARCHAR(30)");
    m_parentTable = table("PAIS", "PACIENTE INTEGER, TIPO VARCHAR(1), NOME VARCHAR(60), NASCIMENTO DATE, "
                                  "PROFISSAO VARCHAR(40), INSTRUCAO INTEGER, FONE_RES VARCHAR(12), "
                                  "FONE_PROF VARCHAR(12), FONE_CEL VARCHAR(12)");
    m_siblingTable = table("IRMAO", "ID INTEGER, PACIENTE INTEGER, NOME VARCHAR(60), NASCIMENTO DATE");
    m_sessionTable = table("CONSULTA", "ID INTEGER, DATA DATE, HORA TIME, PACIENTE INTEGER, OBSERVACOES MEMO");
    m_toyTable = table("BRINQUEDO_NA_CONSULTA", "BRINQUEDO INTEGER, CONSULTA INTEGER");
    m_reevaluationTable = table("REAVALIACAO", "ID INTEGER, PACIENTE INTEGER, DATA DATE, OBSERVACOES MEMO");
    m_referralTable =
        table("INDICACAO", "ID INTEGER, PACIENTE INTEGER, DATA DATE, INDICACAO VARCHAR(40), OBSERVACOES MEMO");
    m_guidanceTable = table("ORIENTACAO", "ID INTEGER, TIPO INTEGER, PACIENTE INTEGER, DATA DATE, CONTEUDO MEMO");
    m_historyTable = table("HISTORICO", "ID INTEGER, PACIENTE INTEGER, DATA DATE, NOTA VARCHAR(120)");
}

void DemoGenerator::run()
{
    checkEmpty();
    writeReferenceTables();
    int id = 0;
    for (int i = 0; i < m_patients; ++i) {
        // A few numbers were left free by patients deleted long ago.
        Rng gaps = Rng::forItem(kSeed ^ 0x6761707320ull, quint64(i));
        id += gaps.chance(3) ? gaps.between(2, 3) : 1;
        writePatient(i, id);
        if ((i + 1) % kPatientsPerTransaction == 0)
            m_writer.commit();
    }
    m_writer.commit();
    setGenerators();
}

void DemoGenerator::checkEmpty()
{
    fb::Transaction tx(m_connection, fb::TransactionOptions{true});
    fb::Statement st(tx, QStringLiteral("select (select count(*) from PACIENTE) + (select count(*) from CARATER) + "
                                        "(select count(*) from TIPO_ORIENTACAO), GEN_ID(\"GERADOR\", 0) + "
                                        "GEN_ID(\"GEN_PACIENTE\", 0) from RDB$DATABASE"));
    st.execute();
    st.fetch();
    if (st.value(0).toLongLong() != 0 || st.value(1).toLongLong() != 0)
        throw EError(QStringLiteral(u"o banco de dados já contém registros; os dados de demonstração vão "
                                    u"para um banco vazio."));
}

void DemoGenerator::writeReferenceTables()
{
    const struct {
        const char* table;
        const char* column;
        QVector<int>& ids;
    } references[] = {
        {"CARATER", "CARATER VARCHAR(20)", m_characters},
        {"TERAPEUTA", "NOME VARCHAR(60)", m_therapists},
        {"BRINQUEDO", "BRINQUEDO VARCHAR(20)", m_toys},
        {"ESCOLA", "NOME VARCHAR(60)", m_schools},
        {"INSTRUCAO", "DESCRICAO VARCHAR(40)", m_schooling},
        {"TIPO_ORIENTACAO", "DESCRICAO VARCHAR(40)", m_guidanceTypes},
    };
    for (const auto& r : references) {
        const QString name = QString::fromLatin1(r.table);
        const int table = m_writer.addTable(name, QStringLiteral("ID INTEGER, ") + QString::fromLatin1(r.column));
        for (const QString& row : words::list(QStringLiteral("table.") + name)) {
            r.ids << nextId();
            m_writer.insert(table, {r.ids.last(), row});
        }
    }
    m_writer.commit();
}

QDate DemoGenerator::registrationDay(Rng& rng, int index) const
{
    // Patients came one after another over the years, numbered in that
    // order, a few more every year as the practice grew.
    const QDate last = lastDay().addDays(-21);
    const double span = double(firstDay().daysTo(last));
    const double step = span / std::max(1, m_patients);
    QDate d = firstDay().addDays(qint64(span * std::pow(double(index) / m_patients, 0.8)) + rng.between(0, int(step)));
    if (d.dayOfWeek() > 5)
        d = d.addDays(8 - d.dayOfWeek());
    return std::min(d, last);
}

void DemoGenerator::writePatient(int index, int id)
{
    Rng rng = Rng::forItem(kSeed, quint64(index));
    Patient p;
    p.id = id;
    p.showcase = index == m_patients * 85 / 100;
    p.child.girl = p.showcase || rng.chance(42);
    p.child.name = p.showcase ? QStringLiteral("Alice") : rng.pick(list(p.child.girl ? "girls" : "boys"));

    const QString m1 = rng.pick(list("surnames"));
    const QString m2 = surnameOtherThan(rng, {m1});
    const QString f1 = surnameOtherThan(rng, {m1, m2});
    const QString f2 = surnameOtherThan(rng, {m1, m2, f1});
    p.mother = rng.pick(list("women")) + u' ' + m1 + u' ' + m2;
    if (p.showcase || rng.chance(91))
        p.father = rng.pick(list("men")) + u' ' + f1 + u' ' + f2;
    // Brazilian children carry the mother's last surname, then the father's.
    p.surnames = p.father.isEmpty() ? m1 + u' ' + m2 : m2 + u' ' + f2;

    p.registration = registrationDay(rng, index);
    const int ageDays = rng.between(2 * 365 + 30, 13 * 365 + 200);
    p.birth = p.registration.addDays(-ageDays);

    planSessions(rng, p);
    writeRegistration(rng, p, ageDays / 365);
    writeParents(rng, p);
    writeSiblings(rng, p);
    writeSessions(rng, p);
    writeNotes(rng, p);
    m_lastPatient = id;
}

// Weekly sessions on a fixed weekday and time, with absences and school holidays.
void DemoGenerator::planSessions(Rng& rng, Patient& p)
{
    // Most children come for an evaluation or a short therapy, a few for
    // years; among those who came in the last two years, many are still coming.
    const bool recent = p.registration.daysTo(lastDay()) < 730;
    int planned = 0;
    switch (recent ? weighted(rng, {15, 15, 15, 55}) : weighted(rng, {50, 33, 13, 4})) {
    case 0: planned = rng.between(2, 5); break;
    case 1: planned = rng.between(6, 12); break;
    case 2: planned = rng.between(13, 25); break;
    default: planned = rng.between(26, 50);
    }
    if (p.showcase)
        planned = 100000;   // still coming
    const int weekday = rng.between(1, 5);
    const QTime usual = slot(rng);
    QDate day = weekdayOnOrAfter(p.registration.addDays(rng.between(2, 10)), weekday);
    while (p.sessions.size() < planned && day <= lastDay()) {
        if (!(holidays(day) && rng.chance(75)) && rng.chance(88))
            p.sessions.append({0, day, rng.chance(90) ? usual : slot(rng)});
        day = day.addDays(7);
    }
    const bool stillComing = p.sessions.size() < planned;
    if (stillComing) {
        p.status = QStringLiteral("A");
        p.lastDay = lastDay();
    } else if (rng.chance(85)) {
        p.status = QStringLiteral("F");
        p.leaving = std::min(p.sessions.last().date.addDays(rng.between(0, 20)), lastDay());
        p.lastDay = p.leaving;
    } else {
        p.status = QStringLiteral("S");
        p.lastDay = p.sessions.last().date;
    }
}

void DemoGenerator::writeRegistration(Rng& rng, Patient& p, int ageYears)
{
    const QVector<words::City>& cities = words::cities();
    int total = 0;
    for (const words::City& c : cities)
        total += c.weight;
    int r = rng.between(0, total - 1);
    int ci = 0;
    while (r >= cities[ci].weight)
        r -= cities[ci++].weight;
    const words::City& city = cities[ci];

    QString email;
    if (p.showcase || rng.chance(55)) {
        const QString& parent = p.father.isEmpty() || rng.chance(70) ? p.mother : p.father;
        email = mailPart(firstWord(parent)) + u'.' + mailPart(parent.section(u' ', -1)) +
                (rng.chance(50) ? QString::number(rng.between(10, 99)) : QString()) + u'@' +
                rng.pick(list("mail.domains"));
    }
    QString address = rng.pick(list("streets")) + QStringLiteral(", ") + QString::number(rng.between(12, 2999));
    if (rng.chance(25))
        address += rng.chance(60) ? QStringLiteral(", apto %1").arg(rng.between(1, 24) * 10 + rng.between(1, 4))
                                  : QStringLiteral(", casa %1").arg(rng.between(1, 12));
    const QString neighbourhood =
        rng.pick(city.neighbourhoods.isEmpty() ? list("neighbourhoods") : city.neighbourhoods);
    const QString postalCode = city.postalPrefix + rng.digits(8 - int(city.postalPrefix.size()));

    // Schooling by age: nursery, kindergarten, then the school years.
    int level = ageYears <= 1 ? 1 : ageYears <= 3 ? 2 : ageYears == 4 ? 3 : ageYears == 5 ? 4 : ageYears - 1;
    level = std::min(level, words::childLevels() - 1);
    if (ageYears <= 4 && rng.chance(8))
        level = 0;   // does not go to school
    const bool levelKnown = p.showcase || rng.chance(90);
    const bool school = level > 0 && (p.showcase || rng.chance(92));

    const QString phone = rng.chance(85) || p.showcase ? landline(rng, city.areaCode) : QString();
    m_writer.insert(m_patientTable,
                    {p.id, p.child.name + u' ' + p.surnames, orNull(!email.isEmpty(), email), p.birth,
                     p.registration, orNull(p.leaving.isValid(), p.leaving), p.status, orNull(!phone.isEmpty(), phone),
                     orNull(p.showcase || rng.chance(45), mobile(rng, city.areaCode)), address, neighbourhood,
                     city.name, city.uf, postalCode, orNull(levelKnown, m_schooling[level]),
                     orNull(school, m_schools[rng.between(0, int(m_schools.size()) - 1)]),
                     orNull(p.showcase || rng.chance(96), m_therapists[weighted(rng, {30, 25, 20, 15, 10})]),
                     orNull(p.showcase || rng.chance(80), m_characters[rng.between(0, int(m_characters.size()) - 1)]),
                     orNull(p.showcase || rng.chance(80), rng.pick(list("origins")))});
    // The family's phones share the patient's area code.
    p.areaCode = city.areaCode;
    p.homePhone = phone;
}

void DemoGenerator::writeParents(Rng& rng, Patient& p)
{
    struct Parent {
        const char* kind;
        const QString& name;
        int olderMin, olderMax;
        const QStringList& jobs;
    };
    const Parent parents[] = {{"M", p.mother, 18, 43, list("jobs.women")}, {"P", p.father, 20, 50, list("jobs.men")}};
    const int adultLevels = int(m_schooling.size()) - words::childLevels();
    for (const Parent& parent : parents) {
        if (parent.name.isEmpty())
            continue;
        const bool full = p.showcase;
        const int ageDays = rng.between(parent.olderMin * 365, parent.olderMax * 365);
        const QDate birth = p.birth.addDays(-ageDays);
        if (parent.kind[0] == 'M')
            p.motherAgeDays = ageDays;
        const int level =
            words::childLevels() + std::min(adultLevels - 1, weighted(rng, {6, 8, 22, 10, 10, 28, 10, 4, 2}));
        m_writer.insert(m_parentTable,
                        {p.id, QString::fromLatin1(parent.kind), parent.name, orNull(full || rng.chance(85), birth),
                         orNull(full || rng.chance(85), rng.pick(parent.jobs)),
                         orNull(full || rng.chance(75), m_schooling[level]),
                         orNull(!p.homePhone.isEmpty() && (full || rng.chance(60)), p.homePhone),
                         orNull(full || rng.chance(40), landline(rng, p.areaCode)),
                         orNull(full || rng.chance(85), mobile(rng, p.areaCode))});
    }
}

void DemoGenerator::writeSiblings(Rng& rng, const Patient& p)
{
    const int count = p.showcase ? 2 : weighted(rng, {30, 40, 22, 8});
    QStringList names{p.child.name};
    for (int i = 0; i < count; ++i) {
        const bool girl = rng.chance(50);
        QString name;
        do
            name = rng.pick(list(girl ? "girls" : "boys"));
        while (names.contains(name));
        names << name;
        // Older or younger, born while the mother was between 17 and 44; a
        // younger one may be born while the child is in therapy.
        const int olderRoom = std::min(8 * 365, p.motherAgeDays - 17 * 365);
        const int youngerRoom = std::min(8 * 365, 44 * 365 - p.motherAgeDays);
        bool younger = rng.chance(50);
        if ((younger ? youngerRoom : olderRoom) < 300)
            younger = !younger;
        const int distance = rng.between(300, std::max(300, younger ? youngerRoom : olderRoom));
        const QDate birth = std::min(p.birth.addDays(younger ? distance : -distance), lastDay().addDays(-30));
        m_writer.insert(m_siblingTable, {nextId(), p.id, name + u' ' + p.surnames, birth});
    }
}

void DemoGenerator::writeSessions(Rng& rng, Patient& p)
{
    const int toyCount = int(m_toys.size());
    for (Session& s : p.sessions) {
        s.id = nextId();
        QList<int> toys;
        if (rng.chance(40)) {
            const int n = 1 + weighted(rng, {60, 30, 10});
            while (toys.size() < n) {
                const int t = rng.between(0, toyCount - 1);
                if (!toys.contains(t))
                    toys << t;
            }
        }
        QStringList toyNames;
        for (int t : toys)
            toyNames << list("table.BRINQUEDO")[t];
        const bool observed = p.showcase || rng.chance(88);
        m_writer.insert(m_sessionTable, {s.id, s.date, s.time, p.id,
                                         orNull(observed, notes::session(rng, p.child, toyNames))});
        for (int t : toys)
            m_writer.insert(m_toyTable, {m_toys[t], s.id});
    }
}

void DemoGenerator::writeNotes(Rng& rng, const Patient& p)
{
    const int sessions = int(p.sessions.size());
    auto someDay = [&] { return rng.dayBetween(p.registration, p.lastDay); };
    auto sessionDay = [&](int from) {
        return from < sessions ? p.sessions[rng.between(from, sessions - 1)].date : someDay();
    };

    // A re-evaluation every few months of therapy.
    const int interval = rng.between(12, 18);
    for (int k = interval; k < sessions; k += interval)
        m_writer.insert(m_reevaluationTable,
                        {nextId(), p.id, p.sessions[k].date, notes::reevaluation(rng, p.child, k)});

    int referrals = sessions >= 3 && rng.chance(35) ? (rng.chance(20) ? 2 : 1) : 0;
    if (p.showcase)
        referrals = 2;
    for (int i = 0; i < referrals; ++i)
        m_writer.insert(m_referralTable, {nextId(), p.id, sessionDay(2), notes::phrase(rng, p.child, "referral"),
                                          orNull(rng.chance(60), notes::phrase(rng, p.child, "referral.remark"))});

    // Guidance notes: mostly to the parents and the school.
    QVector<int> types;
    if (p.showcase) {
        for (int t = 0; t < m_guidanceTypes.size(); ++t)
            types << t << t;
    } else {
        const int count = std::min(6, rng.between(0, 2) + sessions / 20);
        for (int i = 0; i < count; ++i)
            types << weighted(rng, {40, 25, 8, 8, 7, 7, 5});
    }
    for (int t : types)
        m_writer.insert(m_guidanceTable,
                        {nextId(), m_guidanceTypes[t], p.id, sessionDay(0), notes::guidance(rng, p.child, t)});

    if (p.showcase || rng.chance(92))
        m_writer.insert(m_historyTable, {nextId(), p.id, p.registration, notes::phrase(rng, p.child, "history.first")});
    const int events = std::min(5, rng.between(0, 1) + sessions / 25) + (p.showcase ? 3 : 0);
    for (int i = 0; i < events; ++i)
        m_writer.insert(m_historyTable, {nextId(), p.id, someDay(), notes::phrase(rng, p.child, "history.event")});
    if (p.status == QLatin1String("F"))
        m_writer.insert(m_historyTable, {nextId(), p.id, p.leaving, notes::phrase(rng, p.child, "history.discharge")});
    else if (p.status == QLatin1String("S"))
        m_writer.insert(m_historyTable, {nextId(), p.id, p.lastDay, notes::phrase(rng, p.child, "history.suspension")});
}

// The generators stand at the last number used, so the program's next draw is a free one.
void DemoGenerator::setGenerators()
{
    fb::Transaction tx(m_connection);
    for (const auto& [name, last] : {std::pair{"GEN_PACIENTE", m_lastPatient}, std::pair{"GERADOR", m_lastId}}) {
        fb::Statement st(tx, QStringLiteral("select GEN_ID(\"%1\", %2 - GEN_ID(\"%1\", 0)) from RDB$DATABASE")
                                 .arg(QString::fromLatin1(name))
                                 .arg(last));
        st.execute();
        st.fetch();
    }
    tx.commit();
}
