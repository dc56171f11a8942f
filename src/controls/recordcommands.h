#pragma once
// A list of record commands that is pointed at one data source as a whole,
// as the navigator bar and the table editor's tool bar are.

#include "controls/recordcommand.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace controls {

class RecordCommands : public QObject {
    Q_OBJECT
public:
    // The eight commands "Primeiro" ... "Cancelar"; "Novo" inserts at the current record.
    explicit RecordCommands(QObject* parent = nullptr);
    RecordCommands(const QList<RecordAction>& actions, QObject* parent = nullptr);

    const QList<RecordCommand*>& commands() const { return m_commands; }
    // The command of that action, or null when the list has none.
    RecordCommand* command(RecordAction action) const;
    // Points every command, in list order, at the data source, whose changes
    // the list then follows for all of them.
    void bind(ds::DataSource* source);

private:
    void updateEnabled();

    QList<RecordCommand*> m_commands;
    QPointer<ds::DataSource> m_source;
};

} // namespace controls
