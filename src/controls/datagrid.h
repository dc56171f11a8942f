#pragma once
// A grid bound to a data set: the visible fields as columns with their
// labels and widths in characters (the widest giving way when together they
// are wider than the grid), editing in place, a drop-down of names in
// a lookup cell. The current row is the data set's current record. Insert
// inserts a record, Down on the last row appends one, Ctrl+Del deletes the
// current one after asking, and a new record nobody typed into is dropped
// when the focus leaves the grid. Typing into an empty grid, or after a click
// below its last row, starts a new row with what was typed.

#include "controls/datagriddelegate.h"
#include "controls/datasetmodel.h"

#include <QTableView>

namespace controls {

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    ds::DataSource* dataSource() const { return m_model.dataSource(); }
    void setDataSource(ds::DataSource* source) { m_model.setDataSource(source); }
    DataSetModel& dataModel() { return m_model; }

    // The column titles and the row indicator may be switched off.
    void setTitles(bool on);
    void setRowIndicator(bool on);
    // Grid lines between cells.
    void setGridLines(bool on) { setShowGrid(on); }
    // Room for the given number of characters.
    int widthForCharacters(int characters) const;
    // The last column takes whatever width the others leave (a long value is
    // cut at the grid's edge and shown whole in the cell's hint).
    void setLastColumnFills(bool on);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    bool gridKey(QKeyEvent* event);
    bool typeIntoNewRow(QKeyEvent* event);
    void followCursor();
    void applyColumnWidths();
    int titleWidth(int column) const;
    void focusChanged(QWidget* old, QWidget* now);
    bool finishEditing();
    void discardEditing();
    void appendAtEnd();
    void deleteCurrent();
    void run(const std::function<void(ds::DataSet&)>& action);

    DataSetModel m_model;
    DataGridDelegate m_delegate;
    bool m_following = false;
    bool m_clickedBelowRows = false;   // typing then starts a new row
};

} // namespace controls
