// The bound grid: its columns, editing in place, the keys that insert,
// append and delete, the lookup cell, and the untouched new row.

#include "controls/datagrid.h"
#include "controls/errorhandler.h"
#include "dataset/dataset.h"
#include "support/columnvalues.h"
#include "support/scriptedmessages.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using ds::FieldType;
using platform::MsgButton;

namespace {

struct Siblings : ds::DataSet {
    Siblings()
    {
        addField(QStringLiteral("ID"), FieldType::Integer).setVisible(false);
        addField(QStringLiteral("NOME"), FieldType::Text, 60).setDisplayWidth(45);
        ds::Field& born = addField(QStringLiteral("NASCIMENTO"), FieldType::Date);
        born.setDisplayWidth(18);
        born.setDisplayLabel(QStringLiteral(u"NASCIMENTO DO IRMÃO"));
        open();
    }
    void add(const QString& name)
    {
        append();
        fieldByName(QStringLiteral("NOME")).setValue(name);
        post();
    }
    QStringList names() const { return columnValues(*this, QStringLiteral("NOME")); }
};

class DataGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        controls::setErrorHandler([this](const EError& e) { errors << e.message(); });
        auto* layout = new QVBoxLayout(&window);
        grid = new controls::DataGrid(&window);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        window.resize(500, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { controls::setErrorHandler({}); }

    void bind(ds::DataSet& data)
    {
        source.setDataSet(&data);
        grid->setDataSource(&source);
        grid->setFocus(Qt::TabFocusReason);
    }
    static QLineEdit* cellEditor() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    // Keys go where the user's keys go: to the grid, then to the cell editor it opens.
    static void type(const QString& text)
    {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void clickRow(int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    Siblings siblings;
    ds::DataSource source;
    QWidget window;
    controls::DataGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    QStringList errors;
};

TEST_F(DataGridTest, ColumnsAreTheVisibleFieldsWithTheirLabelsAndWidths)
{
    window.resize(700, 300);
    QApplication::processEvents();
    bind(siblings);
    QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("NOME"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral(u"NASCIMENTO DO IRMÃO"));
    EXPECT_EQ(grid->columnWidth(0), grid->widthForCharacters(45));
    EXPECT_GT(grid->columnWidth(0), 2 * grid->columnWidth(1));
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);

    // A width the user gave survives saving rows, and closing and opening the
    // list: a closed list keeps its columns and has no rows.
    grid->setColumnWidth(0, 77);
    siblings.add(QStringLiteral("Ana"));
    EXPECT_EQ(grid->columnWidth(0), 77);
    siblings.close();
    EXPECT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->rowCount(), 0);
    siblings.open();
    siblings.add(QStringLiteral("Bia"));
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("Bia"));
    EXPECT_EQ(grid->columnWidth(0), 77);
    siblings.fieldByName(QStringLiteral("ID")).setVisible(true);
    EXPECT_EQ(model->columnCount(), 3);
}

TEST_F(DataGridTest, ColumnsWiderThanTheGridLetTheWidestGiveWayAndALastColumnMayFillTheRest)
{
    grid->setFixedWidth(grid->widthForCharacters(45));
    bind(siblings);
    const int room = grid->width() - 2 * grid->frameWidth() - grid->verticalHeader()->width();
    EXPECT_EQ(grid->columnWidth(0) + grid->columnWidth(1), room);
    EXPECT_EQ(grid->columnWidth(1), grid->horizontalHeader()->fontMetrics().horizontalAdvance(
                                        QStringLiteral(u"NASCIMENTO DO IRMÃO")) + 6);   // the narrower keeps its width
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());

    grid->setFixedWidth(700);
    grid->setLastColumnFills(true);
    QApplication::processEvents();
    EXPECT_EQ(grid->columnWidth(0) + grid->columnWidth(1), grid->viewport()->width());
}

TEST_F(DataGridTest, TypingInACellEditsTheCurrentRecordAndTabMovesToTheNextCell)
{
    siblings.add(QStringLiteral("Ana"));
    siblings.add(QStringLiteral("Bia"));
    bind(siblings);
    siblings.first();
    EXPECT_EQ(grid->currentIndex().row(), 0);   // the current row follows the data set

    type(QStringLiteral("Carla"));
    EXPECT_EQ(siblings.state(), ds::DataSetState::Edit);   // the first keystroke starts the edit
    ASSERT_NE(cellEditor(), nullptr);
    press(Qt::Key_Tab);
    EXPECT_EQ(siblings.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral("Carla"));
    EXPECT_EQ(grid->currentIndex().column(), 1);

    // A date the field refuses keeps the editor and the text, and is told once
    // though its message takes the focus while it shows; Esc and Esc again drop the edit.
    controls::setErrorHandler([this](const EError& e) {
        errors << e.message();
        QWidget* cell = QApplication::focusWidget();
        other->setFocus();
        if (cell)
            cell->setFocus();
    });
    type(QStringLiteral("31/02/2010"));
    ASSERT_NE(cellEditor(), nullptr);
    press(Qt::Key_Tab);
    EXPECT_EQ(errors, QStringList{QStringLiteral("'31/02/2010' is not a valid date")});
    ASSERT_NE(cellEditor(), nullptr);
    EXPECT_EQ(cellEditor()->text(), QStringLiteral("31/02/2010"));
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    EXPECT_EQ(siblings.state(), ds::DataSetState::Browse);
    EXPECT_EQ(siblings.names(), (QStringList{"Ana", "Bia"}));
}

TEST_F(DataGridTest, ClickingARowMovesTheCursorAndPostsTheEditedRow)
{
    for (const char* name : {"Ana", "Bia", "Caio"})
        siblings.add(QString::fromLatin1(name));
    bind(siblings);
    clickRow(2);
    EXPECT_EQ(siblings.recNo(), 2);
    type(QStringLiteral("Davi"));
    clickRow(0);
    EXPECT_EQ(siblings.recNo(), 0);
    EXPECT_EQ(siblings.state(), ds::DataSetState::Browse);
    EXPECT_EQ(siblings.names(), (QStringList{"Ana", "Bia", "Davi"}));
}

TEST_F(DataGridTest, InsertDownAndAnUntouchedNewRowDroppedWhenTheFocusLeaves)
{
    siblings.add(QStringLiteral("Ana"));
    siblings.add(QStringLiteral("Bia"));
    bind(siblings);
    siblings.first();

    press(Qt::Key_Insert);
    EXPECT_EQ(siblings.state(), ds::DataSetState::Insert);
    EXPECT_EQ(siblings.recNo(), 0);          // at the current position
    EXPECT_EQ(grid->currentIndex().row(), 0);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(siblings.state(), ds::DataSetState::Browse);
    EXPECT_EQ(siblings.recordCount(), 2);

    grid->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);     // to the last row: a move
    EXPECT_EQ(siblings.recordCount(), 2);
    press(Qt::Key_Down);     // on the last row: a new one at the end
    EXPECT_EQ(siblings.recordCount(), 3);
    EXPECT_EQ(siblings.recNo(), 2);
    press(Qt::Key_Down);     // not a second empty one
    EXPECT_EQ(siblings.recordCount(), 3);

    // A row typed into stays when the focus leaves; Down from its editor appends the next.
    type(QStringLiteral("Caio"));
    press(Qt::Key_Down);
    EXPECT_EQ(siblings.recordCount(), 4);
    EXPECT_EQ(siblings.state(), ds::DataSetState::Insert);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(siblings.names(), (QStringList{"Ana", "Bia", "Caio"}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(DataGridTest, DownInAnEmptyGridStartsTheFirstRow)
{
    bind(siblings);
    press(Qt::Key_Down);
    EXPECT_EQ(siblings.state(), ds::DataSetState::Insert);
    type(QStringLiteral("Ana"));
    press(Qt::Key_Return);
    siblings.post();
    EXPECT_EQ(siblings.names(), QStringList{"Ana"});
}

TEST_F(DataGridTest, TypingIntoAnEmptyGridOrBelowItsLastRowStartsANewRow)
{
    bind(siblings);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(60, 30));
    type(QStringLiteral("Ana"));
    EXPECT_EQ(siblings.state(), ds::DataSetState::Insert);
    press(Qt::Key_Tab);   // the name is written and the birth date's cell is next
    EXPECT_EQ(grid->currentIndex().column(), 1);
    EXPECT_TRUE(grid->isAncestorOf(QApplication::focusWidget()) || grid->hasFocus());
    siblings.post();
    EXPECT_EQ(siblings.names(), QStringList{"Ana"});

    // Below the last row: a new row after it. On a row: that row's cell.
    const QRect last = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(60, last.bottom() + 20));
    // A capital comes after Shift pressed alone, as a keyboard sends it.
    QTest::keyPress(grid, Qt::Key_Shift);
    QTest::keyClick(grid, 'B', Qt::ShiftModifier);
    QTest::keyRelease(grid, Qt::Key_Shift);
    type(QStringLiteral("ia"));
    press(Qt::Key_Return);
    siblings.post();
    EXPECT_EQ(siblings.names(), (QStringList{"Ana", "Bia"}));
    clickRow(0);
    type(QStringLiteral("Eva"));
    press(Qt::Key_Return);
    siblings.post();
    EXPECT_EQ(siblings.names(), (QStringList{"Eva", "Bia"}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(DataGridTest, CtrlDelAsksFirstAndDeletesUnlessCancelled)
{
    siblings.add(QStringLiteral("Ana"));
    siblings.add(QStringLiteral("Bia"));
    bind(siblings);
    siblings.first();
    ScriptedMessages messages;
    messages.answers << MsgButton::Cancel << MsgButton::Ok;

    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(siblings.names(), (QStringList{"Ana", "Bia"}));
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(siblings.names(), QStringList{"Bia"});

    ASSERT_EQ(messages.requests.size(), 2);
    const platform::MessageRequest& asked = messages.requests[0];
    EXPECT_EQ(asked.type, platform::MsgType::Confirmation);
    EXPECT_EQ(asked.text, QStringLiteral("Delete record?"));
    EXPECT_EQ(asked.buttons, (QList<MsgButton>{MsgButton::Ok, MsgButton::Cancel}));

    // Del alone, in a cell being edited, is the editor's own key.
    type(QStringLiteral("Bea"));
    press(Qt::Key_Home);
    press(Qt::Key_Delete);
    EXPECT_EQ(cellEditor()->text(), QStringLiteral("ea"));
    EXPECT_EQ(messages.requests.size(), 2);
}

// The toys of a session: a hidden key and the toy's name looked up in the toys table.
struct Toys : ds::DataSet {
    Toys()
    {
        addField(QStringLiteral("ID"), FieldType::Integer);
        addField(QStringLiteral("BRINQUEDO"), FieldType::Text, 20);
        open();
        for (auto [id, name] : {std::pair{7, "Bola"}, {3, "Boneca"}, {9, "Peteca"}}) {
            append();
            fieldByName(QStringLiteral("ID")).setValue(id);
            fieldByName(QStringLiteral("BRINQUEDO")).setValue(QString::fromLatin1(name));
            post();
        }
    }
};

struct ToysOfSession : ds::DataSet {
    explicit ToysOfSession(Toys& toys)
    {
        addField(QStringLiteral("BRINQUEDO"), FieldType::Integer, 0, true).setVisible(false);
        addLookupField(QStringLiteral("NomeBrinquedo"), QStringLiteral("BRINQUEDO"), &toys, QStringLiteral("ID"),
                       QStringLiteral("BRINQUEDO"), 20);
        open();
        for (int toy : {3, 7}) {
            append();
            fieldByName(QStringLiteral("BRINQUEDO")).setValue(toy);
            post();
        }
        first();
    }
    QStringList names() const { return columnValues(*this, QStringLiteral("NomeBrinquedo")); }
};

TEST_F(DataGridTest, ALookupCellChangesOnlyByAChoiceAndItsKeysMoveTheRowOtherwise)
{
    Toys toys;
    ToysOfSession used(toys);
    bind(used);
    grid->setTitles(false);
    EXPECT_FALSE(grid->horizontalHeader()->isVisible());
    EXPECT_EQ(used.names(), (QStringList{"Boneca", "Bola"}));

    press(Qt::Key_F2);
    auto* box = grid->viewport()->findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    QStringList offered;
    for (int i = 0; i < box->count(); ++i)
        offered << box->itemText(i);
    EXPECT_EQ(offered, (QStringList{"Bola", "Boneca", "Peteca"}));
    EXPECT_EQ(box->currentText(), QStringLiteral("Boneca"));

    // The list dropped down: Down moves in it, Enter chooses and closes it.
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(box->view()->isVisible());
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_FALSE(box->view()->isVisible());
    EXPECT_EQ(used.state(), ds::DataSetState::Edit);
    EXPECT_EQ(used.fieldByName(QStringLiteral("BRINQUEDO")).value(), 9);

    // Down then goes to the next row and changes no value; Up comes back.
    press(Qt::Key_Down);
    EXPECT_EQ(used.recNo(), 1);
    EXPECT_EQ(used.names(), (QStringList{"Peteca", "Bola"}));
    press(Qt::Key_F2);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(used.recNo(), 0);
    EXPECT_EQ(used.names(), (QStringList{"Peteca", "Bola"}));
    EXPECT_EQ(used.state(), ds::DataSetState::Browse);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

} // namespace
