#include "controls/recordcommands.h"

namespace controls {

RecordCommands::RecordCommands(QObject* parent)
    : RecordCommands({RecordAction::First, RecordAction::Prior, RecordAction::Next, RecordAction::Last,
                      RecordAction::Insert, RecordAction::Delete, RecordAction::Post, RecordAction::Cancel},
                     parent)
{
}

RecordCommands::RecordCommands(const QList<RecordAction>& actions, QObject* parent) : QObject(parent)
{
    for (RecordAction action : actions)
        m_commands.append(new RecordCommand(action, this));
}

RecordCommand* RecordCommands::command(RecordAction action) const
{
    for (RecordCommand* c : m_commands)
        if (c->action() == action)
            return c;
    return nullptr;
}

void RecordCommands::bind(ds::DataSource* source)
{
    for (RecordCommand* c : m_commands)
        c->setDataSource(source);
}

} // namespace controls
