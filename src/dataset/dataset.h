#pragma once
// A client-side cached data set: fields, rows held in memory, a cursor with
// begin- and end-of-data flags, edit and insert states, events around every
// operation, a log of the changes not yet written to the database, and the
// data sources that keep bound controls up to date.
//
// Used on its own it is an in-memory data set; SqlDataSet fills it from a
// statement and writes its changes back.

#include "core/eerror.h"
#include "dataset/field.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace ds {

class DataSource;


enum class DataSetState { Inactive, Browse, Edit, Insert, SetKey };

enum class RowStatus {
    New,         // being inserted, never posted
    Unmodified,  // as read from or last written to the database
    Modified,    // posted changes not yet written
    Inserted,    // posted insertion not yet written
    Deleted      // deleted in memory, deletion not yet written
};

struct Row {
    quint64 id = 0;
    QVector<QVariant> values;     // one per data field
    QVector<QVariant> original;   // values as last read from or written to the database
    RowStatus status = RowStatus::Unmodified;
    quint64 changeSeq = 0;        // order in which pending changes were made
    int deletedIndex = 0;         // where a deleted row stood, to put it back
};
using RowPtr = std::shared_ptr<Row>;

using Bookmark = quint64;   // 0: none

// What a refused-change handler asks for.
enum class ReconcileAction { Skip, Abort, Merge, Correct, Cancel, Refresh };
enum class UpdateKind { Modify, Insert, Delete };

class DataSet {
public:
    using Event = std::function<void(DataSet&)>;
    using ReconcileHandler =
        std::function<ReconcileAction(DataSet&, const EError& error, UpdateKind kind, const Row& row)>;

    explicit DataSet(QString name = {});
    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    const QString& name() const { return m_name; }

    // --- fields
    Field& addField(const QString& name, FieldType type, int size = 0, bool required = false);
    Field& addLookupField(const QString& name, const QString& keyField, DataSet* lookupDataSet,
                          const QString& lookupKey, const QString& lookupResult, int size);
    const std::vector<std::unique_ptr<Field>>& fields() const { return m_fields; }
    Field* findField(const QString& name) const;
    Field& fieldByName(const QString& name) const;   // throws EDatabaseError
    int dataFieldCount() const { return m_dataFieldCount; }
    // Fields are kept when the data set closes; clearFields removes them (closed data sets only).
    void clearFields();

    // --- order kept for all rows, also those inserted or changed since opening
    void setSortFields(const QStringList& names) { m_sortFields = names; }
    const QStringList& sortFields() const { return m_sortFields; }

    // --- state
    DataSetState state() const { return m_state; }
    bool isActive() const { return m_state != DataSetState::Inactive; }
    bool isEditing() const { return m_state == DataSetState::Edit || m_state == DataSetState::Insert; }
    bool modified() const { return m_modified; }
    bool canModify() const { return !m_readOnly; }
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }

    void open();
    void close();

    // --- cursor
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool isEmpty() const { return m_rows.empty(); }
    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_cursor; }   // 0-based, -1 when empty
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int index);                  // 0-based row index
    Bookmark bookmark() const;
    bool bookmarkValid(Bookmark bookmark) const;
    void gotoBookmark(Bookmark bookmark);
    // First record whose field equals value exactly (letter case respected).
    bool locate(const QString& fieldName, const QVariant& value);
    // The value of resultField in the first row whose keyField equals key; the cursor does not move.
    QVariant lookup(const QString& keyField, const QVariant& key, const QString& resultField) const;

    // --- display updates of bound controls (the data set's own rules still run)
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // --- editing
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    // Posts a pending edit that was changed, cancels one that was not.
    void checkBrowseMode();

    // --- values of the current record; rowValue reads any row
    QVariant fieldValue(const Field& field) const;
    void setFieldValue(Field& field, const QVariant& value);
    QVariant rowValue(int rowIndex, const Field& field) const;
    // Runs fn with the given row standing in for the current record, as a
    // grid does to draw its rows through the fields' text handlers.
    template <typename F>
    auto withRow(int rowIndex, F&& fn) const
    {
        const int saved = m_drawRow;
        m_drawRow = rowIndex;
        struct Restore {
            const DataSet* self;
            int saved;
            ~Restore() { self->m_drawRow = saved; }
        } restore{this, saved};
        return fn();
    }

    // --- change log
    std::vector<RowPtr> pendingChanges() const;     // in the order they were made
    bool hasPendingChanges() const;
    void acceptChange(const RowPtr& row);          // written: its values become the originals
    void revertChange(const RowPtr& row);          // refused: undone in memory
    // The database holds these values for the row, written by an insertion
    // or a change whose commit went unanswered: they become its originals,
    // and what the user changed since stays pending on top of them (a row
    // deleted meanwhile is deleted again).
    void acceptWritten(const RowPtr& row, const QVector<QVariant>& written);
    const std::vector<RowPtr>& rows() const { return m_rows; }

    // --- events, named as the handlers attached to them
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeInsert, afterInsert, beforeEdit, afterEdit;
    Event beforePost, afterPost, beforeCancel, afterCancel;
    Event beforeDelete, afterDelete, beforeScroll, afterScroll;
    ReconcileHandler onReconcileError;

    // --- data sources (registered by DataSource itself)
    void attachDataSource(DataSource* source);
    void detachDataSource(DataSource* source);
    // A value of the current record changed (field null: the whole record).
    void notifyRecordChanged(Field* field);

protected:
    // Fills m_rows for an open; the base class opens empty.
    virtual void doOpen() {}
    virtual void doClose() {}
    // Builds a stored row from values given in data field order.
    RowPtr makeRow(QVector<QVariant> values, RowStatus status);
    std::vector<RowPtr>& mutableRows() { return m_rows; }
    // Finds the sort fields; an open does it after doOpen, which may call it
    // earlier, once its fields exist, to add rows with addFetchedRow.
    void resolveOrder();
    // Adds a row read from the database while opening, noting whether it
    // keeps the order: compared while it is at hand, a list that came in
    // order need not be walked again.
    void addFetchedRow(QVector<QVariant> values);
    // Forgets the rows an open added, to read them again.
    void discardFetchedRows();
    void checkActive() const;

private:
    enum class Notice { Active, Changed, Scrolled, State, UpdateRecord };
    void notify(Notice notice, Field* field = nullptr);
    void fire(const Event& event) { if (event) event(*this); }
    void beginInsert(bool atEnd);
    void setCursor(int index, bool bof, bool eof);
    bool lessThan(const Row& a, const Row& b) const;
    void sortRows();
    void placeRow(int index);        // moves the row at index to its place in the order
    int indexOfRow(quint64 id) const;
    const QVector<QVariant>* currentValues() const;
    QVariant lookupValue(const Field& field) const;
    void checkRequiredFields() const;

    QString m_name;
    std::vector<std::unique_ptr<Field>> m_fields;
    int m_dataFieldCount = 0;
    QStringList m_sortFields;
    QVector<int> m_sortIndexes;
    bool m_fetchedOutOfOrder = false;
    size_t m_fetchedInOrder = 0;   // rows added by addFetchedRow
    std::vector<RowPtr> m_rows;
    std::vector<RowPtr> m_deleted;
    QVector<QVariant> m_buffer;       // the record being edited or inserted
    DataSetState m_state = DataSetState::Inactive;
    bool m_modified = false;
    bool m_readOnly = false;
    int m_cursor = -1;
    bool m_bof = true;
    bool m_eof = true;
    mutable int m_drawRow = -1;
    int m_disableCount = 0;
    quint64 m_nextRowId = 1;
    quint64 m_nextChangeSeq = 1;
    QList<DataSource*> m_sources;
};

} // namespace ds
