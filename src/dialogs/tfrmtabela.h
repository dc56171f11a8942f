#pragma once
// The editor of a reference table: a grid and the eight record commands over
// whatever data set the caller binds to DataSource1. It knows nothing of the
// table; closing with a pending change asks whether to save it.

#include "controls/datagrid.h"
#include "controls/recordcommands.h"
#include "dataset/datasource.h"

#include <QDialog>

class QToolBar;
class QToolButton;

class TfrmTabela : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTabela(QWidget* parent = nullptr);

    // Every way of closing the window passes here.
    void reject() override;

    ds::DataSource* DataSource1;
    controls::DataGrid* DBGrid1;
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton6;
    QToolButton* ToolButton7;
    QToolButton* ToolButton8;
    controls::RecordCommands* commands;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool FormCloseQuery();
};
