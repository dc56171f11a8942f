#include "controls/recordcommands.h"

#include "controls/sourcebinding.h"

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
    if (repoint(m_source, source, this) && source)
        followEnabling(source, this, &RecordCommands::updateEnabled);
    // A command pointed elsewhere by itself comes back to the list's source.
    for (RecordCommand* c : m_commands)
        c->followWithList(source);
}

void RecordCommands::updateEnabled()
{
    for (RecordCommand* c : m_commands)
        if (!c->followsItself())
            c->updateEnabled();
}

} // namespace controls
