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
    void setDataSource(ds::DataSource* source);
    // Whether the rules allow the command on the data set as it stands.
    static bool allowed(RecordAction action, const ds::DataSet* data);
    static QString caption(RecordAction action);

    void execute();

signals:
    // The command ran without an error.
    void executed();

private:
    void updateEnabled();

    RecordAction m_action;
    QPointer<ds::DataSource> m_source;
};

} // namespace controls
