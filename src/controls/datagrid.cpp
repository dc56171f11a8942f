#include "controls/datagrid.h"

#include "controls/errorhandler.h"
#include "controls/fieldinput.h"
#include "dataset/dataset.h"
#include "platform/messages.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

namespace controls {

namespace {

constexpr int kIndicatorWidth = 12;

// The row indicator: a narrow column with no text. Its size is known without
// measuring the rows, which a header does again for every row each time the
// grid is refilled.
class RowIndicator : public QHeaderView {
public:
    explicit RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionsClickable(true);
        setHighlightSections(true);
    }
    QSize sizeHint() const override { return {kIndicatorWidth, defaultSectionSize()}; }
};

} // namespace

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent), m_model(this), m_delegate(m_model, [this](QKeyEvent* e) { return gridKey(e); }, this)
{
    setModel(&m_model);
    setItemDelegate(&m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A click on the current cell would hold back the keys typed right after it.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setVerticalHeader(new RowIndicator(this));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(kIndicatorWidth);
    connect(&m_model, &DataSetModel::columnsChanged, this, &DataGrid::applyColumnWidths);
    connect(&m_model, &DataSetModel::cursorMoved, this, &DataGrid::followCursor);
    connect(&m_model, &DataSetModel::updateData, this, [this] { m_delegate.writeEditor(); });
    connect(&m_model, &DataSetModel::recordReplaced, this, &DataGrid::discardEditing);
    connect(qApp, &QApplication::focusChanged, this, &DataGrid::focusChanged);
}

// Focus changes while the widget goes away must not reach a grid half destroyed.
DataGrid::~DataGrid() { disconnect(qApp, nullptr, this, nullptr); }

void DataGrid::setTitles(bool on) { horizontalHeader()->setVisible(on); }

void DataGrid::setRowIndicator(bool on) { verticalHeader()->setVisible(on); }

int DataGrid::widthForCharacters(int characters) const
{
    return characters * fontMetrics().horizontalAdvance(u'0') + 6;
}

void DataGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    // Widths are counted in characters of the grid's font.
    if (event->type() == QEvent::FontChange)
        applyColumnWidths();
}

void DataGrid::setLastColumnFills(bool on) { horizontalHeader()->setStretchLastSection(on); }

void DataGrid::applyColumnWidths()
{
    QList<int> widths;
    for (int column = 0; column < m_model.columnCount(); ++column) {
        const ds::Field* f = m_model.fieldAt(column);
        int width = widthForCharacters(f->displayWidth());
        if (!horizontalHeader()->isHidden())
            width = std::max(width, titleWidth(column));
        widths << width;
    }
    // Columns that together are wider than the grid would need a scroll bar
    // to the side: the widest one gives up the difference, down to its title.
    const int room = width() - 2 * frameWidth() - (verticalHeader()->isHidden() ? 0 : kIndicatorWidth);
    int total = 0;
    for (int w : widths)
        total += w;
    if (total > room && !widths.isEmpty()) {
        const auto widest = std::max_element(widths.begin(), widths.end());
        const int column = int(widest - widths.begin());
        const int least = !horizontalHeader()->isHidden() ? titleWidth(column) : widthForCharacters(4);
        *widest = std::max(least, *widest - (total - room));
    }
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths[column]);
}

int DataGrid::titleWidth(int column) const
{
    return fontMetrics().horizontalAdvance(m_model.fieldAt(column)->displayLabel()) + 6;
}

void DataGrid::followCursor()
{
    const ds::DataSet* data = m_model.dataSet();
    if (!data || data->recNo() < 0 || data->recNo() >= m_model.rowCount() || m_model.columnCount() == 0)
        return;
    const int column = std::clamp(currentIndex().column(), 0, m_model.columnCount() - 1);
    const QModelIndex target = m_model.index(data->recNo(), column);
    if (target != currentIndex()) {
        m_following = true;
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        m_following = false;
    }
    scrollTo(target);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    ds::DataSet* data = m_model.dataSet();
    if (m_following || !data || !current.isValid() || current.row() == data->recNo())
        return;
    // The row clicked is found again by its bookmark: leaving the edited row
    // posts or drops it, and the rows below move.
    const ds::Bookmark wanted = current.row() < data->recordCount() ? data->rows()[size_t(current.row())]->id : 0;
    run([wanted](ds::DataSet& d) {
        d.checkBrowseMode();
        if (d.bookmarkValid(wanted))
            d.gotoBookmark(wanted);
    });
    followCursor();
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A cell is edited on the current record only, so that the value goes where it is seen.
    const ds::DataSet* data = m_model.dataSet();
    if (!data || index.row() != data->recNo())
        return false;
    return QTableView::edit(index, trigger, event);
}

void DataGrid::run(const std::function<void(ds::DataSet&)>& action)
{
    ds::DataSet* data = m_model.dataSet();
    if (!data || !data->isActive())
        return;
    attempt([&] { action(*data); });
}

bool DataGrid::finishEditing()
{
    QWidget* editor = m_delegate.openEditor();
    if (!editor)
        return true;
    if (!m_delegate.tryWriteEditor())
        return false;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void DataGrid::discardEditing()
{
    if (QWidget* editor = m_delegate.openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void DataGrid::appendAtEnd()
{
    if (!finishEditing())
        return;
    run([](ds::DataSet& d) {
        // Down on a new record nobody typed into adds no second one.
        if (d.state() == ds::DataSetState::Insert && !d.modified())
            return;
        if (d.canModify())
            d.append();
    });
}

void DataGrid::deleteCurrent()
{
    ds::DataSet* data = m_model.dataSet();
    if (!data || !data->isActive() || !data->canModify() || data->isEmpty())
        return;
    discardEditing();
    platform::MessageRequest question;
    question.type = platform::MsgType::Confirmation;
    question.text = QStringLiteral("Delete record?");
    question.buttons = {platform::MsgButton::Ok, platform::MsgButton::Cancel};
    question.defaultButton = platform::MsgButton::Ok;
    if (platform::MessageService::instance().show(question) == platform::MsgButton::Cancel)
        return;
    run([](ds::DataSet& d) { d.deleteRecord(); });
}

bool DataGrid::gridKey(QKeyEvent* event)
{
    const ds::DataSet* data = m_model.dataSet();
    if (!data || !data->isActive())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Insert:
        if (modifiers != Qt::NoModifier || !data->canModify())
            return false;
        if (finishEditing())
            run([](ds::DataSet& d) { d.insert(); });
        return true;
    case Qt::Key_Delete:
        if (modifiers != Qt::ControlModifier)
            return false;
        deleteCurrent();
        return true;
    case Qt::Key_Down:
        if (modifiers != Qt::NoModifier || data->recNo() < data->recordCount() - 1)
            return false;
        appendAtEnd();
        return true;
    default:
        return false;
    }
}

bool DataGrid::typeIntoNewRow(QKeyEvent* event)
{
    // Shift before a capital, or a dead key before an accented letter, is
    // not yet the key typed: the click's place waits for the letter.
    const int key = event->key();
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr
        || key == Qt::Key_Meta || key == Qt::Key_CapsLock || key == Qt::Key_NumLock
        || (key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay))
        return false;
    const bool belowRows = std::exchange(m_clickedBelowRows, false);
    ds::DataSet* data = m_model.dataSet();
    if (!data || !data->isActive() || !data->canModify() || m_model.columnCount() == 0 || !changesText(*event)
        || event->text().isEmpty() || !event->text()[0].isPrint())
        return false;
    if (m_model.rowCount() > 0 && !belowRows)
        return false;
    appendAtEnd();
    if (m_model.rowCount() == 0)
        return false;
    // The new row takes the key in its first cell, as a cell of a row takes it.
    const QModelIndex first = m_model.index(data->recNo(), 0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    return edit(first, AnyKeyPressed, event);
}

void DataGrid::mousePressEvent(QMouseEvent* event)
{
    const int rows = m_model.rowCount();
    m_clickedBelowRows = !indexAt(event->position().toPoint()).isValid()
                         && (rows == 0 || event->position().y() >= rowViewportPosition(rows - 1) + rowHeight(rows - 1));
    QTableView::mousePressEvent(event);
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if (gridKey(event) || typeIntoNewRow(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        ds::DataSet* data = m_model.dataSet();
        if (data && data->isEditing()) {
            run([](ds::DataSet& d) { d.cancel(); });
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::focusChanged(QWidget* old, QWidget* now)
{
    const auto inside = [this](const QWidget* w) { return w && (w == this || isAncestorOf(w)); };
    // Another window or a popup taking the focus does not leave the grid.
    if (!inside(old) || inside(now) || !now || now->window() != window() || QApplication::activePopupWidget())
        return;
    run([](ds::DataSet& d) {
        if (d.state() == ds::DataSetState::Insert && !d.modified())
            d.cancel();
    });
}

} // namespace controls
