#include "dialogs/tdatadlg.h"

#include "controls/torbdateedit.h"
#include "dataset/dateformat.h"
#include "support/modaldriver.h"
#include "support/textfit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Seen {
    QString title;
    QString shown;
    bool okEnabled = false;
    bool optionEnabled = false;
    bool optionChecked = true;
};

// Runs SelectDate; the action sees the dialog and answers it.
bool runSelectDate(double& date, bool& next, Seen& seen, const std::function<void(TDataDlg*)>& answer)
{
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<TDataDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        seen.title = dialog->windowTitle();
        seen.shown = dialog->odeData->displayText();
        seen.okEnabled = dialog->btnOK->isEnabled();
        seen.optionEnabled = dialog->chkRetornarProxima->isEnabled();
        seen.optionChecked = dialog->chkRetornarProxima->isChecked();
        answer(dialog);
    });
    const bool accepted = SelectDate(date, next);
    EXPECT_TRUE(driver.acted());
    return accepted;
}

TEST(SelectDateTest, NoDateLeavesTheFieldEmptyAndOkDisabledUntilTheUserTypes)
{
    double date = 0;
    bool next = true;
    Seen seen;
    bool enabledAfterTyping = false;
    const bool accepted = runSelectDate(date, next, seen, [&](TDataDlg* dialog) {
        dialog->odeData->setCursorPosition(0);
        QTest::keyClicks(dialog->odeData, QStringLiteral("15/03/12"));
        enabledAfterTyping = dialog->btnOK->isEnabled();
        dialog->chkRetornarProxima->setChecked(true);
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton); // leaving the field confirms the date
    });
    EXPECT_EQ(seen.title, QStringLiteral(u"Seleção de Data"));
    EXPECT_EQ(seen.shown, QStringLiteral("  /  /    "));
    EXPECT_FALSE(seen.okEnabled);
    EXPECT_TRUE(seen.optionEnabled);
    EXPECT_FALSE(seen.optionChecked); // not taken from next
    EXPECT_TRUE(enabledAfterTyping);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(date, ds::dateToDays(QDate(2012, 3, 15)));
    EXPECT_TRUE(next);
}

TEST(SelectDateTest, GivenDateIsShownAndEnterAcceptsIt)
{
    double date = ds::dateToDays(QDate(2011, 7, 1));
    bool next = false;
    Seen seen;
    const bool accepted = runSelectDate(date, next, seen, [](TDataDlg* dialog) {
        QTest::keyClick(dialog->odeData, Qt::Key_Return);
    });
    EXPECT_EQ(seen.shown, QStringLiteral("01/07/2011"));
    EXPECT_TRUE(seen.okEnabled);
    EXPECT_FALSE(seen.optionEnabled);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(date, ds::dateToDays(QDate(2011, 7, 1)));
    EXPECT_FALSE(next);
}

TEST(SelectDateTest, CancelLeavesDateAndFlagAsTheyCame)
{
    const double given = ds::dateToDays(QDate(2011, 7, 1));
    double date = given;
    bool next = true;
    Seen seen;
    const bool accepted = runSelectDate(date, next, seen, [](TDataDlg* dialog) {
        dialog->odeData->selectAll();
        QTest::keyClicks(dialog->odeData, QStringLiteral("02/02/2002"));
        QTest::keyClick(dialog->odeData, Qt::Key_Return);
        dialog->chkRetornarProxima->setChecked(false);
        QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(date, given);
    EXPECT_TRUE(next);
}

TEST(SelectDateTest, EveryTextFits)
{
    TDataDlg dialog;
    dialog.show();
    EXPECT_TRUE(cutTexts(dialog).isEmpty()) << describeCutTexts(cutTexts(dialog)).toStdString();
}

} // namespace
