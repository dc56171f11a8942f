// The reference table editor: its window, its tool bar over the bound data
// set, and the question asked when it closes with a pending change.

#include "dialogs/tfrmtabela.h"

#include "controls/errorhandler.h"
#include "dataset/dataset.h"
#include "support/columnvalues.h"
#include "support/scriptedmessages.h"
#include "support/textfit.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using platform::MsgButton;

namespace {

struct ToysTable : ds::DataSet {
    ToysTable()
    {
        addField(QStringLiteral("ID"), ds::FieldType::Integer);
        addField(QStringLiteral("BRINQUEDO"), ds::FieldType::Text, 20, true);
        open();
    }
    void add(const QString& name)
    {
        append();
        fieldByName(QStringLiteral("ID")).setValue(recordCount());
        fieldByName(QStringLiteral("BRINQUEDO")).setValue(name);
        post();
    }
    QStringList names() const { return columnValues(*this, QStringLiteral("BRINQUEDO")); }
};

class TfrmTabelaTest : public testing::Test {
protected:
    void SetUp() override
    {
        controls::setErrorHandler([this](const EError& e) { errors << e.message(); });
        // What the caller does: bind, open, hide the key, show.
        form.DataSource1->setDataSet(&toys);
        toys.fieldByName(QStringLiteral("ID")).setVisible(false);
        showForm();
    }
    void showForm()
    {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.DBGrid1->setFocus(Qt::TabFocusReason);
    }
    void TearDown() override { controls::setErrorHandler({}); }

    static void type(const QString& text)
    {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.unicode() < 128 ? c.toLatin1() : 'x');
    }
    QString enabledButtons()
    {
        QString out;
        for (QToolButton* b : {form.ToolButton1, form.ToolButton2, form.ToolButton3, form.ToolButton4,
                               form.ToolButton5, form.ToolButton6, form.ToolButton7, form.ToolButton8})
            out += b->isEnabled() ? u'x' : u'-';
        return out;
    }

    ToysTable toys;
    TfrmTabela form;
    ScriptedMessages messages;
    QStringList errors;
};

TEST_F(TfrmTabelaTest, TheWindowShowsTheVisibleFieldsAndEightCommandButtons)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tabela"));
    EXPECT_EQ(form.size(), QSize(456, 214));
    EXPECT_EQ(form.font().pointSizeF(), 8);
    EXPECT_EQ(form.DBGrid1->model()->columnCount(), 1);   // the key is never shown
    EXPECT_FALSE(form.DBGrid1->verticalHeader()->isVisible());
    EXPECT_FALSE(form.DBGrid1->showGrid());
    EXPECT_EQ(form.ToolBar1->height(), 37);

    const QStringList captions{QStringLiteral("Primeiro"), QStringLiteral("Anterior"), QStringLiteral(u"Próximo"),
                               QStringLiteral(u"Último"), QStringLiteral("Novo"), QStringLiteral("Excluir"),
                               QStringLiteral("Salvar"), QStringLiteral("Cancelar")};
    const QToolButton* buttons[] = {form.ToolButton1, form.ToolButton2, form.ToolButton3, form.ToolButton4,
                                    form.ToolButton5, form.ToolButton6, form.ToolButton7, form.ToolButton8};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(buttons[i]->text(), captions[i]);
        EXPECT_EQ(buttons[i]->toolTip(), captions[i]);
        EXPECT_EQ(buttons[i]->size(), QSize(49, 36));
        EXPECT_EQ(buttons[i]->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_FALSE(buttons[i]->icon().isNull());
    }

    // The grid fills the window as it grows; the tool bar keeps its height.
    const int gridHeight = form.DBGrid1->height();
    form.resize(600, 300);
    QApplication::processEvents();
    EXPECT_EQ(form.DBGrid1->height(), gridHeight + 86);
    EXPECT_EQ(form.ToolBar1->height(), 37);
}

TEST_F(TfrmTabelaTest, EveryCaptionFitsItsButtonInTheWindowsFont)
{
    const QList<CutText> cut = cutTexts(form);
    EXPECT_TRUE(cut.isEmpty()) << describeCutTexts(cut).toStdString();
    EXPECT_EQ(form.ToolButton8->font(), form.font());
}

TEST_F(TfrmTabelaTest, TheButtonsActOnTheBoundDataSet)
{
    EXPECT_EQ(enabledButtons(), QStringLiteral("----x---"));   // an empty table
    QTest::mouseClick(form.ToolButton5, Qt::LeftButton);
    EXPECT_EQ(enabledButtons(), QStringLiteral("----x-xx"));
    toys.fieldByName(QStringLiteral("BRINQUEDO")).setValue(QStringLiteral("Bola"));
    QTest::mouseClick(form.ToolButton7, Qt::LeftButton);
    toys.add(QStringLiteral("Pipa"));
    QTest::mouseClick(form.ToolButton1, Qt::LeftButton);
    EXPECT_EQ(enabledButtons(), QStringLiteral("--xxxx--"));
    QTest::mouseClick(form.ToolButton6, Qt::LeftButton);   // deletes without asking
    EXPECT_EQ(toys.names(), QStringList{"Pipa"});
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST_F(TfrmTabelaTest, ClosingWithAPendingChangeAsksWhetherToSaveIt)
{
    struct Case {
        MsgButton answer;
        bool closes;
        QStringList names;
        ds::DataSetState state;
    } cases[] = {
        {MsgButton::Yes, true, {"Bolinha"}, ds::DataSetState::Browse},
        {MsgButton::No, true, {"Bola"}, ds::DataSetState::Browse},
        {MsgButton::Cancel, false, {"Bola"}, ds::DataSetState::Edit},
    };
    toys.add(QStringLiteral("Bola"));
    for (const Case& c : cases) {
        if (!form.isVisible())
            showForm();
        toys.cancel();
        toys.edit();
        toys.fieldByName(QStringLiteral("BRINQUEDO")).setValue(QStringLiteral("Bola"));
        toys.post();
        messages.requests.clear();
        messages.answers << c.answer;
        type(QStringLiteral("Bolinha"));
        form.close();
        ASSERT_EQ(messages.requests.size(), 1);
        const platform::MessageRequest& asked = messages.requests[0];
        EXPECT_EQ(asked.type, platform::MsgType::Confirmation);
        EXPECT_EQ(asked.text, QStringLiteral(u"Salvar alterações?"));
        EXPECT_EQ(asked.buttons, (QList<MsgButton>{MsgButton::Yes, MsgButton::No, MsgButton::Cancel}));
        EXPECT_EQ(asked.defaultButton, MsgButton::Cancel);
        EXPECT_EQ(form.isVisible(), !c.closes) << int(c.answer);
        EXPECT_EQ(toys.names(), c.names) << int(c.answer);
        EXPECT_EQ(toys.state(), c.state) << int(c.answer);
    }
    // Kept pending, the typed change is still there to be saved.
    toys.post();
    EXPECT_EQ(toys.names(), QStringList{"Bolinha"});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(TfrmTabelaTest, ClosingWithoutAChangeAsksNothingAndAFailedSaveKeepsTheWindowOpen)
{
    toys.add(QStringLiteral("Bola"));
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages.requests.isEmpty());

    showForm();
    QTest::mouseClick(form.ToolButton5, Qt::LeftButton);   // a new row, left empty
    messages.answers << MsgButton::Yes;
    form.close();
    EXPECT_EQ(messages.requests.size(), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(toys.state(), ds::DataSetState::Insert);
    EXPECT_EQ(errors, QStringList{QStringLiteral("Field 'BRINQUEDO' must have a value")});
}

} // namespace
