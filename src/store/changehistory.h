#pragma once
// Reading a patient's changes out of the audit trail, newest first, each
// changed column apart, for the window "Histórico de alterações".

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace fb {
class Connection;
}

namespace store {

struct ChangeFilter {
    int patient = 0;
    QDate from, to;   // both days included; an invalid one leaves that end open
    QString user;     // empty: every user
};

// One changed column of one audited change. Values are the first
// kChangePreview characters; whole, through changeValues.
struct ChangeEntry {
    qint64 audit = 0;
    QDateTime when;
    QString user;
    QString table;    // the table's name in the database
    QString key;
    QChar action;     // 'I', 'A' or 'E'
    QString field;    // the column's name in the database
    QString before, after;
    bool cut = false; // one of the values is longer than the preview
};

constexpr int kChangePreview = 200;

// Every changed column of the patient's audited rows the filter lets through,
// newest change first (the columns of one change in their name's order).
QList<ChangeEntry> changeHistory(fb::Connection& connection, const ChangeFilter& filter);
// The users who changed the patient's record, in alphabetical order.
QStringList changeUsers(fb::Connection& connection, int patient);
// The whole old and new value of one column of one change.
std::pair<QString, QString> changeValues(fb::Connection& connection, qint64 audit, const QString& field);

// What the window shows for a table ("Sessão"), a column ("Observações") and
// an action ("Alteração").
QString changeTableLabel(const QString& table);
QString changeFieldLabel(const QString& field);
QString changeActionLabel(QChar action);

} // namespace store
