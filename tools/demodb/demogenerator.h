#pragma once
// Fills an empty Marvok database with fictional patients: registration,
// family, weekly sessions with toys and observations, re-evaluations,
// referrals, guidance notes, history notes, and the six reference tables.
// The same number of patients always gives the same database.

#include "bulkwriter.h"
#include "notetexts.h"
#include "rng.h"

#include <QDate>
#include <QTime>
#include <QVector>

class DemoGenerator {
public:
    // The records span these days.
    static QDate firstDay() { return QDate(2012, 3, 1); }
    static QDate lastDay() { return QDate(2026, 6, 30); }

    DemoGenerator(fb::Connection& connection, int patients);

    // Throws EError when the database already holds records, fb::FbError when the server refuses.
    void run();
    quint64 rowsWritten() const { return m_writer.rowsWritten(); }

private:
    struct Session {
        int id;
        QDate date;
        QTime time;
    };
    struct Patient {
        int id = 0;
        bool showcase = false;   // the first in the list of names, with a bit of everything
        notes::Child child;
        QString surnames;        // the child's, after the first name
        QString mother, father;  // full names; no father when empty
        int motherAgeDays = 0;   // the mother's age at the child's birth
        QString areaCode, homePhone;
        QDate birth, registration, leaving, lastDay;
        QString status;
        QVector<Session> sessions;
    };

    void checkEmpty();
    void writeReferenceTables();
    void writePatient(int index, int id);
    void writeRegistration(Rng& rng, Patient& p, int ageYears);
    void writeParents(Rng& rng, Patient& p);
    void writeSiblings(Rng& rng, const Patient& p);
    void planSessions(Rng& rng, Patient& p);
    void writeSessions(Rng& rng, Patient& p);
    void writeNotes(Rng& rng, const Patient& p);
    void setGenerators();

    int nextId() { return ++m_lastId; }
    QDate registrationDay(Rng& rng, int index) const;

    fb::Connection& m_connection;
    int m_patients;
    BulkWriter m_writer;
    int m_lastId = 0;        // the last value drawn from GERADOR
    int m_lastPatient = 0;   // the last patient number
    QVector<int> m_characters, m_therapists, m_toys, m_schools, m_schooling, m_guidanceTypes;
    int m_patientTable, m_parentTable, m_siblingTable, m_sessionTable, m_toyTable, m_reevaluationTable,
        m_referralTable, m_guidanceTable, m_historyTable;
};
