#include "dataset/dataset.h"
#include "dataset/datasource.h"
#include "dataset/dberror.h"
#include "dataset/valuecompare.h"

#include <algorithm>

namespace ds {

DataSet::DataSet(QString name) : m_name(std::move(name)) {}

DataSet::~DataSet()
{
    for (DataSource* s : m_sources)
        s->dataSetDestroyed();
}

// ---------------------------------------------------------------- fields

Field& DataSet::addField(const QString& name, FieldType type, int size, bool required)
{
    if (isActive())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(m_name));
    auto f = std::make_unique<Field>(*this, name, type, size);
    f->m_required = required;
    f->m_index = int(m_fields.size());
    f->m_dataIndex = m_dataFieldCount++;
    m_fields.push_back(std::move(f));
    return *m_fields.back();
}

Field& DataSet::addLookupField(const QString& name, const QString& keyField, DataSet* lookupDataSet,
                               const QString& lookupKey, const QString& lookupResult, int size)
{
    if (isActive())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(m_name));
    auto f = std::make_unique<Field>(*this, name, FieldType::Text, size);
    f->m_index = int(m_fields.size());
    f->setLookup(keyField, lookupDataSet, lookupKey, lookupResult);
    m_fields.push_back(std::move(f));
    return *m_fields.back();
}

Field* DataSet::findField(const QString& name) const
{
    for (const auto& f : m_fields)
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field& DataSet::fieldByName(const QString& name) const
{
    if (Field* f = findField(name))
        return *f;
    throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
}

void DataSet::clearFields()
{
    if (isActive())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(m_name));
    m_fields.clear();
    m_dataFieldCount = 0;
}

void DataSet::checkActive() const
{
    if (!isActive())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(m_name));
}

// ---------------------------------------------------------------- open and close

void DataSet::open()
{
    if (isActive())
        return;
    fire(beforeOpen);
    // Reference data of the lookup columns comes first.
    for (const auto& f : m_fields)
        if (f->isLookup() && !f->lookupDataSet()->isActive())
            f->lookupDataSet()->open();
    m_rows.clear();
    m_deleted.clear();
    m_fetchedOutOfOrder = false;
    m_fetchedInOrder = 0;
    try {
        doOpen();
        // Fields may come from the statement, so the order is resolved after it ran.
        resolveOrder();
    } catch (...) {
        m_rows.clear();
        throw;
    }
    // Rows that came in order through addFetchedRow need no second look.
    if (m_fetchedOutOfOrder || m_fetchedInOrder != m_rows.size())
        sortRows();
    m_state = DataSetState::Browse;
    m_modified = false;
    setCursor(m_rows.empty() ? -1 : 0, true, m_rows.empty());
    notify(Notice::Active);
    fire(afterOpen);
    if (!m_rows.empty())
        fire(afterScroll);
}

void DataSet::close()
{
    if (!isActive())
        return;
    fire(beforeClose);
    doClose();
    m_state = DataSetState::Inactive;
    m_rows.clear();
    m_deleted.clear();
    m_buffer.clear();
    m_modified = false;
    m_cursor = -1;
    m_bof = m_eof = true;
    notify(Notice::Active);
    fire(afterClose);
}

void DataSet::resolveOrder()
{
    m_sortIndexes.clear();
    for (const QString& n : m_sortFields)
        m_sortIndexes.append(fieldByName(n).dataIndex());
}

void DataSet::discardFetchedRows()
{
    m_rows.clear();
    m_fetchedOutOfOrder = false;
    m_fetchedInOrder = 0;
}

void DataSet::addFetchedRow(QVector<QVariant> values)
{
    RowPtr row = makeRow(std::move(values), RowStatus::Unmodified);
    if (!m_rows.empty() && !m_fetchedOutOfOrder && lessThan(*row, *m_rows.back()))
        m_fetchedOutOfOrder = true;
    m_rows.push_back(std::move(row));
    ++m_fetchedInOrder;
}

RowPtr DataSet::makeRow(QVector<QVariant> values, RowStatus status)
{
    auto row = std::make_shared<Row>();
    row->id = m_nextRowId++;
    row->values = std::move(values);
    if (status == RowStatus::Unmodified)
        row->original = row->values;
    row->status = status;
    return row;
}

// ---------------------------------------------------------------- order

bool DataSet::lessThan(const Row& a, const Row& b) const
{
    for (int k = 0; k < m_sortIndexes.size(); ++k) {
        const int i = m_sortIndexes[k];
        const int c = compareValues(m_fields[size_t(i)]->type(), a.values[i], b.values[i]);
        if (c != 0)
            return c < 0;
    }
    return false;
}

void DataSet::sortRows()
{
    if (m_sortIndexes.isEmpty() || m_rows.size() < 2)
        return;
    auto less = [this](const RowPtr& a, const RowPtr& b) { return lessThan(*a, *b); };
    // The statement usually returns the rows in order already.
    if (std::is_sorted(m_rows.begin(), m_rows.end(), less))
        return;
    std::stable_sort(m_rows.begin(), m_rows.end(), less);
}

void DataSet::placeRow(int index)
{
    if (m_sortIndexes.isEmpty() || index < 0)
        return;
    RowPtr row = m_rows[size_t(index)];
    m_rows.erase(m_rows.begin() + index);
    auto less = [this](const RowPtr& a, const RowPtr& b) { return lessThan(*a, *b); };
    auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row, less);
    const int to = int(at - m_rows.begin());
    m_rows.insert(at, row);
    if (m_cursor == index)
        m_cursor = to;
}

int DataSet::indexOfRow(quint64 id) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i]->id == id)
            return int(i);
    return -1;
}

// ---------------------------------------------------------------- cursor

void DataSet::setCursor(int index, bool bof, bool eof)
{
    m_cursor = index;
    m_bof = bof;
    m_eof = eof;
}

void DataSet::moveTo(int index)
{
    checkActive();
    checkBrowseMode();
    if (m_rows.empty()) {
        setCursor(-1, true, true);
        notify(Notice::Scrolled);
        return;
    }
    index = std::clamp(index, 0, int(m_rows.size()) - 1);
    if (index == m_cursor) {
        m_bof = index == 0 && m_bof;
        m_eof = index == int(m_rows.size()) - 1 && m_eof;
        notify(Notice::Scrolled);
        return;
    }
    fire(beforeScroll);
    setCursor(index, false, false);
    notify(Notice::Scrolled);
    fire(afterScroll);
}

void DataSet::first()
{
    checkActive();
    checkBrowseMode();
    const bool moves = !m_rows.empty() && m_cursor != 0;
    if (moves)
        fire(beforeScroll);
    setCursor(m_rows.empty() ? -1 : 0, true, m_rows.empty());
    notify(Notice::Scrolled);
    if (moves)
        fire(afterScroll);
}

void DataSet::last()
{
    checkActive();
    checkBrowseMode();
    const int lastIndex = int(m_rows.size()) - 1;
    const bool moves = lastIndex >= 0 && m_cursor != lastIndex;
    if (moves)
        fire(beforeScroll);
    setCursor(lastIndex, m_rows.empty(), true);
    notify(Notice::Scrolled);
    if (moves)
        fire(afterScroll);
}

void DataSet::next()
{
    checkActive();
    checkBrowseMode();
    if (m_eof)
        return;
    if (m_cursor + 1 >= int(m_rows.size())) {
        m_bof = false;
        m_eof = true;   // stays on the last row
        notify(Notice::Scrolled);
        return;
    }
    fire(beforeScroll);
    setCursor(m_cursor + 1, false, false);
    notify(Notice::Scrolled);
    fire(afterScroll);
}

void DataSet::prior()
{
    checkActive();
    checkBrowseMode();
    if (m_bof)
        return;
    if (m_cursor <= 0) {
        m_bof = true;
        m_eof = false;
        notify(Notice::Scrolled);
        return;
    }
    fire(beforeScroll);
    setCursor(m_cursor - 1, false, false);
    notify(Notice::Scrolled);
    fire(afterScroll);
}

Bookmark DataSet::bookmark() const
{
    return m_cursor >= 0 && m_cursor < int(m_rows.size()) ? m_rows[size_t(m_cursor)]->id : 0;
}

bool DataSet::bookmarkValid(Bookmark bookmark) const { return bookmark != 0 && indexOfRow(bookmark) >= 0; }

void DataSet::gotoBookmark(Bookmark bookmark)
{
    checkActive();
    const int index = indexOfRow(bookmark);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("%1: Record not found").arg(m_name));
    moveTo(index);
}

bool DataSet::locate(const QString& fieldName, const QVariant& value)
{
    checkActive();
    checkBrowseMode();
    const Field& f = fieldByName(fieldName);
    const QVariant wanted = coerceValue(f.type(), value);
    for (int i = 0; i < int(m_rows.size()); ++i) {
        const QVariant v = rowValue(i, f);
        if (sameValue(f.type(), v, wanted)) {
            moveTo(i);
            return true;
        }
    }
    return false;
}

QVariant DataSet::lookup(const QString& keyField, const QVariant& key, const QString& resultField) const
{
    if (!isActive())
        return {};
    const Field& k = fieldByName(keyField);
    const Field& r = fieldByName(resultField);
    const QVariant wanted = coerceValue(k.type(), key);
    for (int i = 0; i < int(m_rows.size()); ++i)
        if (sameValue(k.type(), rowValue(i, k), wanted))
            return rowValue(i, r);
    return {};
}

// ---------------------------------------------------------------- display updates

void DataSet::disableControls() { ++m_disableCount; }

void DataSet::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0)
        notify(Notice::Changed);
}

void DataSet::attachDataSource(DataSource* source)
{
    if (!m_sources.contains(source))
        m_sources.append(source);
}

void DataSet::detachDataSource(DataSource* source) { m_sources.removeAll(source); }

void DataSet::notifyRecordChanged(Field* field)
{
    if (m_disableCount > 0)
        return;
    const QList<DataSource*> sources = m_sources;
    for (DataSource* s : sources)
        s->recordChangedNotice(field);
}

void DataSet::notify(Notice notice, Field* field)
{
    // Controls must hand over their typed text before a post even while
    // their display is suspended.
    if (m_disableCount > 0 && notice != Notice::UpdateRecord)
        return;
    const QList<DataSource*> sources = m_sources;
    for (DataSource* s : sources) {
        switch (notice) {
        case Notice::Active: s->activeChangedNotice(); break;
        case Notice::Changed: s->dataSetChangedNotice(); break;
        case Notice::Scrolled: s->dataSetScrolledNotice(); break;
        case Notice::State: s->stateChangedNotice(); break;
        case Notice::UpdateRecord: s->updateRecordNotice(); break;
        }
    }
    (void)field;
}

// ---------------------------------------------------------------- values

const QVector<QVariant>* DataSet::currentValues() const
{
    if (m_drawRow >= 0) {
        if (m_drawRow == m_cursor && isEditing())
            return &m_buffer;
        return m_drawRow < int(m_rows.size()) ? &m_rows[size_t(m_drawRow)]->values : nullptr;
    }
    if (isEditing())
        return &m_buffer;
    if (m_cursor >= 0 && m_cursor < int(m_rows.size()))
        return &m_rows[size_t(m_cursor)]->values;
    return nullptr;
}

QVariant DataSet::lookupValue(const Field& field) const
{
    const QVariant key = fieldByName(field.keyFieldName()).value();
    if (!key.isValid() || key.isNull())
        return {};
    return field.lookupDataSet()->lookup(field.lookupKeyField(), key, field.lookupResultField());
}

QVariant DataSet::fieldValue(const Field& field) const
{
    if (field.isLookup())
        return lookupValue(field);
    const QVector<QVariant>* values = currentValues();
    return values ? values->at(field.dataIndex()) : QVariant();
}

QVariant DataSet::rowValue(int rowIndex, const Field& field) const
{
    return withRow(rowIndex, [&] { return fieldValue(field); });
}

void DataSet::setFieldValue(Field& field, const QVariant& value)
{
    if (field.isLookup()) {
        // Choosing a shown value stores the key of its reference row.
        Field& key = fieldByName(field.keyFieldName());
        if (!value.isValid() || value.isNull()) {
            key.setValue(QVariant());
            return;
        }
        DataSet* ref = field.lookupDataSet();
        key.setValue(ref->lookup(field.lookupResultField(), value, field.lookupKeyField()));
        return;
    }
    if (!isEditing())
        throw EDatabaseError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_name));
    if (field.m_readOnly)
        throw EDatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field.displayLabel()));
    QVariant v = coerceValue(field.type(), value);
    // An empty text is no value, in a memo as in any text column.
    if ((field.type() == FieldType::Text || field.type() == FieldType::Memo) && v.isValid() &&
        v.toString().isEmpty())
        v = QVariant();
    if (field.type() == FieldType::Text && field.size() > 0 && v.isValid()) {
        const QString s = v.toString();
        if (s.size() > field.size())
            v = s.left(field.size());
    }
    if (field.onValidate)
        field.onValidate(field, v);
    m_buffer[field.dataIndex()] = v;
    m_modified = true;
    notifyRecordChanged(&field);
}

// ---------------------------------------------------------------- editing

void DataSet::checkBrowseMode()
{
    checkActive();
    if (!isEditing())
        return;
    notify(Notice::UpdateRecord);
    if (m_modified)
        post();
    else
        cancel();
}

void DataSet::insert() { beginInsert(false); }
void DataSet::append() { beginInsert(true); }

void DataSet::beginInsert(bool atEnd)
{
    checkActive();
    checkBrowseMode();
    fire(beforeInsert);
    fire(beforeScroll);
    const int pos = atEnd || m_cursor < 0 ? int(m_rows.size()) : m_cursor;
    m_rows.insert(m_rows.begin() + pos, makeRow(QVector<QVariant>(m_dataFieldCount), RowStatus::New));
    m_buffer = QVector<QVariant>(m_dataFieldCount);
    m_state = DataSetState::Insert;
    m_modified = false;
    setCursor(pos, false, atEnd);
    notify(Notice::State);
    notify(Notice::Changed);
    fire(afterInsert);
    fire(afterScroll);
}

void DataSet::edit()
{
    checkActive();
    if (isEditing())
        return;
    if (m_rows.empty()) {
        insert();
        return;
    }
    fire(beforeEdit);
    m_buffer = m_rows[size_t(m_cursor)]->values;
    m_state = DataSetState::Edit;
    m_modified = false;
    notify(Notice::State);
    fire(afterEdit);
}

void DataSet::checkRequiredFields() const
{
    for (const auto& f : m_fields) {
        if (f->isLookup() || !f->required() || f->m_readOnly)
            continue;
        const QVariant& v = m_buffer[f->dataIndex()];
        if (!v.isValid() || v.isNull())
            throw EDatabaseError(QStringLiteral("Field '%1' must have a value").arg(f->displayLabel()));
    }
}

void DataSet::post()
{
    checkActive();
    if (!isEditing())
        return;
    notify(Notice::UpdateRecord);
    fire(beforePost);
    // A before-post rule may have discarded the record.
    if (!isEditing())
        return;
    checkRequiredFields();
    Row& row = *m_rows[size_t(m_cursor)];
    row.values = m_buffer;
    if (m_state == DataSetState::Insert)
        row.status = RowStatus::Inserted;
    else if (row.status == RowStatus::Unmodified)
        row.status = RowStatus::Modified;
    row.changeSeq = m_nextChangeSeq++;
    const Bookmark posted = row.id;
    m_buffer.clear();
    m_state = DataSetState::Browse;
    m_modified = false;
    placeRow(m_cursor);
    m_bof = m_eof = false;
    notify(Notice::State);
    notify(Notice::Changed);
    fire(afterPost);
    // An after-post rule that took the row away (a refused insertion) has
    // made another record current: that is a move like any other.
    if (isActive() && bookmark() != posted) {
        notify(Notice::Scrolled);
        fire(afterScroll);
    }
}

void DataSet::cancel()
{
    checkActive();
    if (!isEditing())
        return;
    const bool wasInsert = m_state == DataSetState::Insert;
    fire(beforeCancel);
    if (wasInsert)
        fire(beforeScroll);
    if (wasInsert) {
        m_rows.erase(m_rows.begin() + m_cursor);
        if (m_cursor >= int(m_rows.size()))
            m_cursor = int(m_rows.size()) - 1;
    }
    m_buffer.clear();
    m_state = DataSetState::Browse;
    m_modified = false;
    m_bof = m_rows.empty() || m_cursor == 0 ? m_rows.empty() : false;
    m_eof = m_rows.empty();
    notify(Notice::State);
    notify(Notice::Changed);
    fire(afterCancel);
    if (wasInsert)
        fire(afterScroll);
}

void DataSet::deleteRecord()
{
    checkActive();
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(m_name));
    try {
        fire(beforeDelete);
    } catch (const EAbort&) {
        return;   // a rule abandoned the deletion
    }
    fire(beforeScroll);
    RowPtr row = m_rows[size_t(m_cursor)];
    m_rows.erase(m_rows.begin() + m_cursor);
    if (row->status != RowStatus::Inserted && row->status != RowStatus::New) {
        row->status = RowStatus::Deleted;
        row->deletedIndex = m_cursor;
        row->changeSeq = m_nextChangeSeq++;
        m_deleted.push_back(row);
    }
    m_buffer.clear();
    m_state = DataSetState::Browse;
    m_modified = false;
    if (m_cursor >= int(m_rows.size()))
        m_cursor = int(m_rows.size()) - 1;
    m_bof = m_rows.empty();
    m_eof = m_rows.empty();
    notify(Notice::State);
    notify(Notice::Changed);
    fire(afterDelete);
    fire(afterScroll);
}

// ---------------------------------------------------------------- change log

std::vector<RowPtr> DataSet::pendingChanges() const
{
    std::vector<RowPtr> out;
    for (const RowPtr& r : m_rows)
        if (r->status == RowStatus::Modified || r->status == RowStatus::Inserted)
            out.push_back(r);
    out.insert(out.end(), m_deleted.begin(), m_deleted.end());
    std::sort(out.begin(), out.end(), [](const RowPtr& a, const RowPtr& b) { return a->changeSeq < b->changeSeq; });
    return out;
}

bool DataSet::hasPendingChanges() const
{
    if (!m_deleted.empty())
        return true;
    return std::any_of(m_rows.begin(), m_rows.end(), [](const RowPtr& r) {
        return r->status == RowStatus::Modified || r->status == RowStatus::Inserted;
    });
}

void DataSet::acceptChange(const RowPtr& row)
{
    if (row->status == RowStatus::Deleted) {
        m_deleted.erase(std::remove(m_deleted.begin(), m_deleted.end(), row), m_deleted.end());
        return;
    }
    row->original = row->values;
    row->status = RowStatus::Unmodified;
}

void DataSet::acceptWritten(const RowPtr& row, const QVector<QVariant>& written)
{
    row->original = written;
    if (std::find(m_deleted.begin(), m_deleted.end(), row) != m_deleted.end())
        return;   // its deletion goes next, and finds it by these values
    if (indexOfRow(row->id) < 0) {
        row->status = RowStatus::Deleted;
        row->changeSeq = m_nextChangeSeq++;
        m_deleted.push_back(row);
        return;
    }
    bool same = true;
    for (const auto& f : m_fields)
        if (!f->isLookup())
            same = same && sameValue(f->type(), row->values[f->dataIndex()], written[f->dataIndex()]);
    row->status = same ? RowStatus::Unmodified : RowStatus::Modified;
    if (!same)
        row->changeSeq = m_nextChangeSeq++;
}

void DataSet::revertChange(const RowPtr& row)
{
    switch (row->status) {
    case RowStatus::Modified: {
        row->values = row->original;
        row->status = RowStatus::Unmodified;
        placeRow(indexOfRow(row->id));
        break;
    }
    case RowStatus::Inserted: {
        const int index = indexOfRow(row->id);
        if (index >= 0) {
            m_rows.erase(m_rows.begin() + index);
            if (index < m_cursor)
                --m_cursor;
            m_cursor = std::min(m_cursor, int(m_rows.size()) - 1);
        }
        break;
    }
    case RowStatus::Deleted: {
        m_deleted.erase(std::remove(m_deleted.begin(), m_deleted.end(), row), m_deleted.end());
        row->values = row->original;
        row->status = RowStatus::Unmodified;
        auto less = [this](const RowPtr& a, const RowPtr& b) { return lessThan(*a, *b); };
        auto at = m_sortIndexes.isEmpty() ? m_rows.begin() + std::clamp(row->deletedIndex, 0, int(m_rows.size()))
                                          : std::upper_bound(m_rows.begin(), m_rows.end(), row, less);
        const int to = int(at - m_rows.begin());
        m_rows.insert(at, row);
        m_cursor = to;
        break;
    }
    default:
        return;
    }
    if (m_rows.empty())
        m_cursor = -1;
    else if (m_cursor < 0)
        m_cursor = 0;
    m_bof = m_rows.empty();
    m_eof = m_rows.empty();
    notify(Notice::Changed);
}

} // namespace ds
