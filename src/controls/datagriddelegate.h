#pragma once
// The cell editors of the grid: a line edit with the field's mask, or a
// drop-down of the reference rows for a lookup column. The first keystroke
// puts the data set into edit; the typed value is written to the field of
// the current record when the cell is left, and a value the field refuses
// keeps the editor open on Tab and Enter. A closed drop-down leaves the keys
// that move between rows to the grid: only a choice changes its value.

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QKeyEvent;

namespace controls {

class DataSetModel;

class DataGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // gridKey: keys that belong to the grid even while a cell is edited
    // (Insert, Ctrl+Del, Down on the last row); it answers whether it took the key.
    DataGridDelegate(DataSetModel& model, std::function<bool(QKeyEvent*)> gridKey, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The cell editor open now, or null: the grid edits one cell at a time.
    QWidget* openEditor() const { return m_editor; }
    // Writes what was typed into the open editor; throws what the field refuses.
    void writeEditor() const;
    bool tryWriteEditor() const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void startTyping(QWidget* editor) const;
    bool movesInsteadOfChoosing(QObject* object, QEvent* event) const;

    DataSetModel& m_model;
    std::function<bool(QKeyEvent*)> m_gridKey;
    mutable QPointer<QWidget> m_editor;
    mutable bool m_reporting = false;   // a refused value's message is showing
};

} // namespace controls
