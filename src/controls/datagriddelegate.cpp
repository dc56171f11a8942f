#include "controls/datagriddelegate.h"

#include "controls/datasetmodel.h"
#include "controls/errorhandler.h"
#include "controls/fieldinput.h"
#include "controls/lookuplist.h"
#include "dataset/dataset.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QKeyEvent>
#include <QLineEdit>

namespace controls {

namespace {
const char* const kTyped = "marvokTyped";
const char* const kColumn = "marvokColumn";

bool typed(const QWidget* editor) { return editor->property(kTyped).toBool(); }
} // namespace

DataGridDelegate::DataGridDelegate(DataSetModel& model, std::function<bool(QKeyEvent*)> gridKey, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model), m_gridKey(std::move(gridKey))
{
}

QWidget* DataGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const ds::Field* f = m_model.fieldAt(index.column());
    if (!f)
        return nullptr;
    QWidget* editor = nullptr;
    if (f->isLookup()) {
        auto* box = new QComboBox(parent);
        fillLookupList(*box, *f);
        connect(box, &QComboBox::activated, this, [this, box] {
            startTyping(box);
            tryWriteEditor();
        });
        editor = box;
    } else {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        prepareInput(*edit, *f);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { startTyping(edit); });
        editor = edit;
    }
    editor->setProperty(kColumn, index.column());
    m_editor = editor;
    return editor;
}

void DataGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor == m_editor)
        m_editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void DataGridDelegate::startTyping(QWidget* editor) const
{
    // Marked first: starting the edit draws the row again, which must not
    // overwrite what is being typed.
    editor->setProperty(kTyped, true);
    ds::DataSet* data = m_model.dataSet();
    if (!data || data->isEditing())
        return;
    attempt([data] { data->edit(); });
}

void DataGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const ds::Field* f = m_model.fieldAt(index.column());
    const ds::DataSet* data = m_model.dataSet();
    if (!f || !data || typed(editor))
        return;
    data->withRow(index.row(), [&] {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentIndex(currentLookupItem(*box, *f));
        else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            const QString text = editingText(*f);
            prepareInput(*edit, *f, text);
            edit->setText(text);
        }
    });
}

void DataGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const
{
    if (editor == m_editor)
        tryWriteEditor();
}

void DataGridDelegate::writeEditor() const
{
    QWidget* editor = m_editor;
    if (!editor || !typed(editor))
        return;
    ds::Field* f = m_model.fieldAt(editor->property(kColumn).toInt());
    ds::DataSet* data = m_model.dataSet();
    if (!f || !data)
        return;
    if (!data->isEditing())
        data->edit();
    if (auto* box = qobject_cast<QComboBox*>(editor))
        writtenField(*f)->setValue(box->currentIndex() < 0 ? QVariant() : box->currentData());
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        f->setText(enteredText(*edit, *f));
    editor->setProperty(kTyped, false);
}

bool DataGridDelegate::tryWriteEditor() const
{
    // The message about a refused value takes the focus from the editor:
    // that is no second try, and the editor stays open with what was typed.
    if (m_reporting)
        return false;
    m_reporting = true;
    const bool written = attempt([this] { writeEditor(); });
    m_reporting = false;
    return written;
}

bool DataGridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                 const QModelIndex& index)
{
    // A value cut at the cell's edge shows whole in the hint.
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        const QString text = index.data(Qt::DisplayRole).toString();
        const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1);
        if (option.fontMetrics.horizontalAdvance(text) + margins > option.rect.width()) {
            QToolTip::showText(event->globalPos(), text, view);
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

// A closed drop-down changes its choice on these keys and on the wheel; in
// the grid they move between rows and leave the choice as it was.
bool DataGridDelegate::movesInsteadOfChoosing(QObject* object, QEvent* event) const
{
    if (event->type() != QEvent::Wheel && event->type() != QEvent::KeyPress)
        return false;
    auto* box = qobject_cast<QComboBox*>(m_editor);
    if (!box || object != box || box->view()->isVisible())
        return false;
    if (event->type() == QEvent::Wheel)
        return true;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & Qt::AltModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool DataGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (movesInsteadOfChoosing(object, event)) {
        if (auto* grid = qobject_cast<QAbstractItemView*>(parent()))
            QCoreApplication::sendEvent(event->type() == QEvent::Wheel ? grid->viewport() : grid, event);
        return true;
    }
    if (m_reporting && object == m_editor && event->type() == QEvent::FocusOut)
        return true;
    if (event->type() == QEvent::KeyPress && object == m_editor) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!tryWriteEditor())
                return true;
            break;
        case Qt::Key_Down:
            if (m_gridKey && m_gridKey(key))
                return true;
            break;
        case Qt::Key_Insert:
        case Qt::Key_Delete:
            if (m_gridKey && m_gridKey(key))
                return true;
            break;
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace controls
