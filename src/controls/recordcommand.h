#pragma once
// One record command ("Primeiro" ... "Cancelar") acting on the data set
// behind its data source, enabled by fixed rules and kept up to date as the
// data set changes.

#include "dataset/datasource.h"

#include <QAction>
#include <QPointer>

namespace controls {

enum class RecordAction { First, Prior, Next, Last, Insert, Append, Delete, Post, Cancel };

class RecordCommand : public QAction {
    Q_OBJECT
public:
    RecordCommand(RecordAction action, QObject* parent = nullptr);

    RecordAction action() const { return m_action; }
    ds::DataSource* dataSource() const { return m_source; }
    // Points the command at the source, and the command follows the source's
    // changes by itself.
    void setDataSource(ds::DataSource* source);
    // Points the command at the source of its list, which follows the
    // source's changes for all its commands (RecordCommands::bind).
    void followWithList(ds::DataSource* source);
    bool followsItself() const { return m_followsItself; }
    // Enables the command as the rules allow on the data set as it stands.
    void updateEnabled();
    // Whether the rules allow the command on the data set as it stands.
    static bool allowed(RecordAction action, const ds::DataSet* data);
    static QString caption(RecordAction action);

    void execute();

signals:
    // The command ran without an error.
    void executed();

private:
    void stopFollowing();

    RecordAction m_action;
    QPointer<ds::DataSource> m_source;
    bool m_followsItself = false;
};

// Calls update after every change of the source that can change what the
// record commands allow, and when the source goes away.
template <typename Receiver, typename Update>
void followEnabling(ds::DataSource* source, const Receiver* receiver, Update update)
{
    QObject::connect(source, &ds::DataSource::anyChange, receiver, update);
    QObject::connect(source, &ds::DataSource::dataSetReplaced, receiver, update);
    QObject::connect(source, &QObject::destroyed, receiver, update);
}

} // namespace controls
