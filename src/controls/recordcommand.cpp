#include "controls/recordcommand.h"

#include "controls/errorhandler.h"
#include "icons/icons.h"


namespace controls {

namespace {

QString picture(RecordAction action)
{
    switch (action) {
    case RecordAction::First: return QStringLiteral("go-first");
    case RecordAction::Prior: return QStringLiteral("go-previous");
    case RecordAction::Next: return QStringLiteral("go-next");
    case RecordAction::Last: return QStringLiteral("go-last");
    case RecordAction::Insert:
    case RecordAction::Append: return QStringLiteral("document-new");
    case RecordAction::Delete: return QStringLiteral("edit-delete");
    case RecordAction::Post: return QStringLiteral("document-save");
    case RecordAction::Cancel: return QStringLiteral("dialog-cancel");
    }
    return {};
}

// The records a move can reach: a record being inserted into an empty data
// set is not one yet.
bool hasRecords(const ds::DataSet& data)
{
    return data.recordCount() > (data.state() == ds::DataSetState::Insert ? 1 : 0);
}

} // namespace

RecordCommand::RecordCommand(RecordAction action, QObject* parent) : QAction(parent), m_action(action)
{
    setText(caption(action));
    setToolTip(caption(action));
    setIcon(icons::get(picture(action)));
    setEnabled(false);
    connect(this, &QAction::triggered, this, &RecordCommand::execute);
}

QString RecordCommand::caption(RecordAction action)
{
    switch (action) {
    case RecordAction::First: return QStringLiteral(u"Primeiro");
    case RecordAction::Prior: return QStringLiteral(u"Anterior");
    case RecordAction::Next: return QStringLiteral(u"Próximo");
    case RecordAction::Last: return QStringLiteral(u"Último");
    case RecordAction::Insert:
    case RecordAction::Append: return QStringLiteral(u"Novo");
    case RecordAction::Delete: return QStringLiteral(u"Excluir");
    case RecordAction::Post: return QStringLiteral(u"Salvar");
    case RecordAction::Cancel: return QStringLiteral(u"Cancelar");
    }
    return {};
}

void RecordCommand::setDataSource(ds::DataSource* source)
{
    if (source == m_source && m_followsItself)
        return;
    stopFollowing();
    m_source = source;
    if (source) {
        m_followsItself = true;
        followEnabling(source, this, &RecordCommand::updateEnabled);
    }
    updateEnabled();
}

void RecordCommand::followWithList(ds::DataSource* source)
{
    if (source == m_source && !m_followsItself)
        return;
    stopFollowing();
    m_source = source;
    updateEnabled();
}

void RecordCommand::stopFollowing()
{
    if (m_followsItself && m_source)
        QObject::disconnect(m_source, nullptr, this, nullptr);
    m_followsItself = false;
}

bool RecordCommand::allowed(RecordAction action, const ds::DataSet* data)
{
    if (!data || !data->isActive())
        return false;
    const bool editing = data->isEditing() || data->state() == ds::DataSetState::SetKey;
    switch (action) {
    case RecordAction::First:
    case RecordAction::Prior: return !data->bof() && hasRecords(*data);
    case RecordAction::Next:
    case RecordAction::Last: return !data->eof() && hasRecords(*data);
    case RecordAction::Insert:
    case RecordAction::Append: return data->canModify();
    case RecordAction::Delete: return data->canModify() && hasRecords(*data);
    case RecordAction::Post:
    case RecordAction::Cancel: return data->canModify() && editing;
    }
    return false;
}

void RecordCommand::updateEnabled() { setEnabled(allowed(m_action, m_source ? m_source->dataSet() : nullptr)); }

void RecordCommand::execute()
{
    ds::DataSet* data = m_source ? m_source->dataSet() : nullptr;
    if (!allowed(m_action, data))
        return;
    const bool done = attempt([this, data] {
        switch (m_action) {
        case RecordAction::First: data->first(); break;
        case RecordAction::Prior: data->prior(); break;
        case RecordAction::Next: data->next(); break;
        case RecordAction::Last: data->last(); break;
        case RecordAction::Insert: data->insert(); break;
        case RecordAction::Append: data->append(); break;
        case RecordAction::Delete: data->deleteRecord(); break;
        case RecordAction::Post: data->post(); break;
        case RecordAction::Cancel: data->cancel(); break;
        }
    });
    if (done)
        emit executed();
}

} // namespace controls
