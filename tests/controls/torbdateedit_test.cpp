#include "controls/torbdateedit.h"
#include "dataset/dateformat.h"
#include "platform/beep.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A window with the date field and one more field to move the focus to.
class TOrbDateEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setBeepHandler([this] { ++beeps; });
        auto* layout = new QVBoxLayout(&window);
        date = new TOrbDateEdit(&window);
        next = new QLineEdit(&window);
        layout->addWidget(date);
        layout->addWidget(next);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        date->setFocus();
        date->setCursorPosition(0);
    }
    void TearDown() override { platform::setBeepHandler({}); }

    void type(const QString& text)
    {
        date->setFocus();
        date->selectAll();
        QTest::keyClick(date, Qt::Key_Delete);
        date->setCursorPosition(0);
        QTest::keyClicks(date, text);
    }
    void confirm(const QString& text)
    {
        type(text);
        QTest::keyClick(date, Qt::Key_Return);
    }
    static double days(int y, int m, int d) { return ds::dateToDays(QDate(y, m, d)); }

    QWidget window;
    TOrbDateEdit* date = nullptr;
    QLineEdit* next = nullptr;
    int beeps = 0;
};

TEST_F(TOrbDateEditTest, EnterConfirmsTheDateWithTheTwoDigitYearRuleAndMovesOn)
{
    struct YearCase {
        QString typed;
        int window;
        QString shown;
        QDate value;
    };
    const YearCase cases[] = {
        {QStringLiteral("15/03/12"), 30, QStringLiteral("15/03/2012"), QDate(2012, 3, 15)},
        {QStringLiteral("15/03/30"), 30, QStringLiteral("15/03/2030"), QDate(2030, 3, 15)},
        {QStringLiteral("15/03/31"), 30, QStringLiteral("15/03/1931"), QDate(1931, 3, 15)},
        {QStringLiteral("01/01/00"), 0, QStringLiteral("01/01/2000"), QDate(2000, 1, 1)},
        {QStringLiteral("01/01/01"), 0, QStringLiteral("01/01/1901"), QDate(1901, 1, 1)},
        {QStringLiteral("29/02/1925"), 30, QStringLiteral("29/02/1925"), QDate()}, // 1925 is no leap year
        {QStringLiteral("28/02/1925"), 30, QStringLiteral("28/02/1925"), QDate(1925, 2, 28)},
    };
    for (const YearCase& c : cases) {
        date->Clear();
        date->setCenturyWindow(c.window);
        confirm(c.typed);
        EXPECT_EQ(date->displayText(), c.shown) << c.typed.toStdString();
        if (c.value.isValid()) {
            EXPECT_EQ(date->Value(), ds::dateToDays(c.value)) << c.typed.toStdString();
            EXPECT_FALSE(date->DateIsNil());
            EXPECT_TRUE(next->hasFocus()) << c.typed.toStdString();
        } else {
            EXPECT_EQ(date->Value(), 0);
            EXPECT_TRUE(date->hasFocus());
        }
    }
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(date->Year(), 1925);
    EXPECT_EQ(date->Month(), 2);
    EXPECT_EQ(date->Day(), 28);
}

TEST_F(TOrbDateEditTest, CenturyWindowStaysWithinZeroToNinety)
{
    const std::pair<int, int> cases[] = {{95, 90}, {-5, 0}, {45, 45}, {90, 90}, {0, 0}};
    for (const auto& [written, read] : cases) {
        date->setCenturyWindow(written);
        EXPECT_EQ(date->CenturyWindow(), read) << written;
    }
}

TEST_F(TOrbDateEditTest, InvalidDateOnEnterBeepsKeepsTheFocusAndRestoresAConfirmedDate)
{
    confirm(QStringLiteral("31/02/2012"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(date->displayText(), QStringLiteral("31/02/2012")); // nothing confirmed to go back to
    EXPECT_TRUE(date->hasFocus());
    EXPECT_TRUE(date->DateIsNil());

    confirm(QStringLiteral("15/03/2012"));
    confirm(QStringLiteral("31/02/2012"));
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(date->displayText(), QStringLiteral("15/03/2012"));
    EXPECT_EQ(date->Value(), days(2012, 3, 15));
    EXPECT_TRUE(date->hasFocus());
}

TEST_F(TOrbDateEditTest, LeavingWithAnInvalidDateBeepsAndTakesTheFocusBack)
{
    QSignalSpy exits(date, &TOrbDateEdit::exited);
    confirm(QStringLiteral("15/03/2012"));
    exits.clear();
    date->setFocus();
    type(QStringLiteral("31/02/2012"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(date->displayText(), QStringLiteral("31/02/2012")); // not restored on leaving
    EXPECT_EQ(date->Value(), days(2012, 3, 15));
    EXPECT_EQ(exits.count(), 0);
}

TEST_F(TOrbDateEditTest, LeavingConfirmsATypedDate)
{
    QSignalSpy exits(date, &TOrbDateEdit::exited);
    type(QStringLiteral("07/09/99"));
    EXPECT_EQ(date->Value(), 0); // typed, not yet confirmed
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(date->Value(), days(1999, 9, 7));
    EXPECT_EQ(date->displayText(), QStringLiteral("07/09/1999"));
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(TOrbDateEditTest, LeavingABlankedFieldClearsTheDateForGood)
{
    confirm(QStringLiteral("15/03/2012"));
    type(QString());
    EXPECT_EQ(date->Text(), QStringLiteral("        "));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(date->Value(), 0);
    EXPECT_TRUE(date->DateIsNil());
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Escape);
    EXPECT_EQ(date->Text(), QStringLiteral("        "));
    EXPECT_EQ(beeps, 0);
}

TEST_F(TOrbDateEditTest, EscShowsTheConfirmedDateAgain)
{
    type(QStringLiteral("01/01/2001"));
    QTest::keyClick(date, Qt::Key_Escape);
    EXPECT_EQ(date->displayText(), QStringLiteral("01/01/2001")); // nothing confirmed: no restore

    confirm(QStringLiteral("15/03/2012"));
    type(QStringLiteral("16/04"));
    QTest::keyClick(date, Qt::Key_Escape);
    EXPECT_EQ(date->displayText(), QStringLiteral("15/03/2012"));
    EXPECT_EQ(date->Text(), QStringLiteral("15032012"));
}

TEST_F(TOrbDateEditTest, WritingValueShowsItButLeavesTheStateAndASameValueTouchesNothing)
{
    date->setValue(days(2010, 5, 4));
    EXPECT_EQ(date->displayText(), QStringLiteral("04/05/2010"));
    EXPECT_TRUE(date->DateIsNil());

    type(QStringLiteral("11/11/11"));
    date->setValue(days(2010, 5, 4));
    EXPECT_EQ(date->displayText(), QStringLiteral("11/11/11  "));
    EXPECT_EQ(date->Text(), QStringLiteral("111111  "));
}

TEST_F(TOrbDateEditTest, ReadOnlyShowsTheDialogFaceAndLeavesTheTabOrder)
{
    const QColor yellow(255, 255, 200);
    date->setColor(yellow);
    EXPECT_EQ(date->palette().color(QPalette::Base), yellow);

    date->setReadOnly(true);
    EXPECT_TRUE(date->isReadOnly());
    EXPECT_EQ(date->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Window));
    EXPECT_EQ(date->focusPolicy(), Qt::ClickFocus);
    date->setColor(Qt::red); // stored, not shown while read-only
    EXPECT_EQ(date->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Window));

    date->setReadOnly(false);
    EXPECT_EQ(date->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(date->focusPolicy(), Qt::StrongFocus);
}

TEST_F(TOrbDateEditTest, CreatingTheControlSetsTheProgramsShortDateFormat)
{
    ds::setShortDateFormat(QStringLiteral("yyyy-MM-dd"));
    TOrbDateEdit another;
    EXPECT_EQ(ds::shortDateFormat(), QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(ds::dateToText(QDate(2012, 3, 5)), QStringLiteral("05/03/2012"));
    EXPECT_EQ(another.Text(), QStringLiteral("        "));
    EXPECT_EQ(another.width(), 80);
}

TEST_F(TOrbDateEditTest, AClickRightOfTheTypedDigitsTypesOnAtTheFirstEmptyPlace)
{
    date->setFixedWidth(120);
    next->setFocus();
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 4, date->height() / 2));
    EXPECT_EQ(date->cursorPosition(), 0);
    QTest::keyClicks(date, QStringLiteral("1503"));
    next->setFocus();
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 4, date->height() / 2));
    EXPECT_EQ(date->cursorPosition(), 6);
    QTest::keyClicks(date, QStringLiteral("2012"));
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(date->Value(), days(2012, 3, 15));
}

} // namespace
