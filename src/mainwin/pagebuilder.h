#pragma once
// Places the controls of one page of the main window at their positions and
// binds them to their data: labels (with their access keys), bound boxes,
// lookup lists, note boxes, grids, link labels and flat buttons.

#include "controls/datagrid.h"
#include "controls/fieldedit.h"
#include "controls/fieldlabel.h"
#include "controls/fieldmemo.h"
#include "controls/linklabel.h"
#include "controls/lookupcombobox.h"

#include <QLabel>
#include <QToolButton>
#include <initializer_list>

class PageAnchors;

namespace ds {
class DataSource;
}

class PageBuilder {
public:
    // designSize: the container's size at the window's initial size, from
    // which anchored controls keep their distances.
    PageBuilder(QWidget* container, PageAnchors& anchors, QSize designSize);

    // A label at (x, y) sized to its caption; "&" marks the access key that
    // moves the focus to the buddy.
    QLabel* label(const QString& caption, int x, int y, QWidget* buddy = nullptr);
    controls::LinkLabel* link(const char* name, const QString& caption, int x, int y, QWidget* buddy = nullptr);
    controls::FieldEdit* edit(const char* name, ds::DataSource* source, const char* field, QRect at);
    controls::LookupComboBox* lookup(const char* name, ds::DataSource* source, const char* field, QRect at);
    // A note box in Tahoma 10 pt that loads its text only when asked to.
    controls::FieldMemo* memo(const char* name, ds::DataSource* source, const char* field, QRect at);
    controls::DataGrid* grid(const char* name, ds::DataSource* source, QRect at);
    // A flat button with a 16 x 16 picture.
    QToolButton* flatButton(const char* name, const char* icon, const QString& hint, QRect at);
    // The current patient's name, read-only and bold, at 11, 16.
    controls::FieldLabel* patientName(ds::DataSource* source);

    void anchor(QWidget* widget, Qt::Edges edges);
    // Tab moves through the controls in the order given.
    static void tabOrder(std::initializer_list<QWidget*> controls);

private:
    template <class W>
    W* place(W* widget, const char* name, QRect at);

    QWidget* m_container;
    PageAnchors& m_anchors;
    QSize m_designSize;
};
