#include "dialogs/tfrmlocalizar.h"

#include "support/modaldriver.h"
#include "support/textfit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QStringList kNames{QStringLiteral(u"Ana Lúcia"), QStringLiteral(u"Maria"), QStringLiteral(u"Mariana"),
                         QStringLiteral(u"Marcos"), QStringLiteral(u"José"), QStringLiteral(u"Joana")};

class TfrmLocalizarTest : public testing::Test {
protected:
    void TearDown() override { delete dialog; }

    TfrmLocalizar& open(const QStringList& entries = kNames, int index = -1)
    {
        delete dialog;
        m_entries = entries;
        dialog = new TfrmLocalizar;
        dialog->setStrings(m_entries);
        dialog->setIndex(index);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        return *dialog;
    }
    void type(const QString& keys) { QTest::keyClicks(dialog->Edit1, keys); }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    QString text() const { return dialog->Edit1->text(); }
    QString selected() const { return dialog->Edit1->selectedText(); }

    QPointer<TfrmLocalizar> dialog;

private:
    QStringList m_entries;
};

TEST_F(TfrmLocalizarTest, TypingCompletesTheFirstEntryThatStartsWithThePrefix)
{
    struct PrefixCase {
        QString typed;
        bool caseSensitive;
        QString text;
        QString completion;
        int index;
    };
    const PrefixCase cases[] = {
        {QStringLiteral(u"ma"), false, QStringLiteral(u"Maria"), QStringLiteral(u"ria"), 1},
        {QStringLiteral(u"ma"), true, QStringLiteral(u"ma"), {}, -1},
        {QStringLiteral(u"Ma"), true, QStringLiteral(u"Maria"), QStringLiteral(u"ria"), 1},
        {QStringLiteral(u"mari"), false, QStringLiteral(u"Maria"), QStringLiteral(u"a"), 1}, // the earlier of two
        {QStringLiteral(u"marian"), false, QStringLiteral(u"Mariana"), QStringLiteral(u"a"), 2},
        {QStringLiteral(u"JOS"), false, QStringLiteral(u"José"), QStringLiteral(u"é"), 4},
        {QStringLiteral(u"jose"), false, QStringLiteral(u"Jose"), {}, -1}, // accents are not folded
        {QStringLiteral(u"ana l"), false, QStringLiteral(u"Ana Lúcia"), QStringLiteral(u"úcia"), 0},
        {QStringLiteral(u"57"), false, QStringLiteral(u"57"), {}, -1}, // a patient number
    };
    for (const PrefixCase& c : cases) {
        open();
        dialog->chbxDifMaiMin->setChecked(c.caseSensitive);
        type(c.typed);
        EXPECT_EQ(text(), c.text) << c.typed.toStdString();
        EXPECT_EQ(selected(), c.completion) << c.typed.toStdString();
        EXPECT_EQ(dialog->Index(), c.index) << c.typed.toStdString();
    }
}

TEST_F(TfrmLocalizarTest, EmptyListLeavesTheTypedText)
{
    open({});
    type(QStringLiteral(u"abc"));
    EXPECT_EQ(text(), QStringLiteral(u"abc"));
    EXPECT_EQ(dialog->Index(), -1);
}

TEST_F(TfrmLocalizarTest, TypingIntoTheMiddleDropsWhatFollowsTheCaret)
{
    open();
    type(QStringLiteral(u"ma"));
    key(Qt::Key_Home);
    key(Qt::Key_Right);
    type(QStringLiteral(u"o"));
    EXPECT_EQ(text(), QStringLiteral(u"Mo"));
    EXPECT_EQ(dialog->Edit1->cursorPosition(), 2);
    EXPECT_EQ(dialog->Index(), -1);
}

TEST_F(TfrmLocalizarTest, BackspaceTakesTheLastTypedLetterAndCompletesTheShorterPrefix)
{
    open();
    type(QStringLiteral(u"marc"));
    ASSERT_EQ(text(), QStringLiteral(u"Marcos"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(), QStringLiteral(u"Maria"));
    EXPECT_EQ(selected(), QStringLiteral(u"ia"));
    EXPECT_EQ(dialog->Index(), 1);

    key(Qt::Key_Home);
    key(Qt::Key_Backspace); // at the start: nothing special
    EXPECT_EQ(text(), QStringLiteral(u"Maria"));
    EXPECT_EQ(dialog->Index(), 1);
}

QString boldBlueText(const QTextEdit* line)
{
    QString found;
    for (auto it = line->document()->begin().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.fontWeight() == QFont::Bold && format.foreground().color() == QColor(0, 0, 255))
            found += it.fragment().text();
    }
    return found;
}

TEST_F(TfrmLocalizarTest, AnywhereShowsTheFirstHitWithTheMatchInBoldBlue)
{
    open();
    dialog->chbxProcNoMeio->setChecked(true);
    type(QStringLiteral(u"ria"));
    EXPECT_EQ(dialog->hitLine->toPlainText(), QStringLiteral(u"Maria"));
    EXPECT_EQ(boldBlueText(dialog->hitLine), QStringLiteral(u"ria"));
    EXPECT_EQ(dialog->Index(), 1);
    EXPECT_EQ(text(), QStringLiteral(u"ria")); // the field is left as typed

    dialog->Edit1->selectAll();
    type(QStringLiteral(u"NA"));
    EXPECT_EQ(text(), QStringLiteral(u"NA"));
    EXPECT_EQ(dialog->hitLine->toPlainText(), QStringLiteral(u"Ana Lúcia"));
    EXPECT_EQ(boldBlueText(dialog->hitLine), QStringLiteral(u"na"));
    EXPECT_EQ(dialog->Index(), 0);

    dialog->Edit1->clear();
    EXPECT_EQ(dialog->hitLine->toPlainText(), QString());
    EXPECT_EQ(dialog->Index(), -1);
}

QStringList rows(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

bool isBlue(QRgb pixel) { return qBlue(pixel) > qRed(pixel) + 60 && qBlue(pixel) > qGreen(pixel) + 60; }

TEST_F(TfrmLocalizarTest, HitListShowsTheFirstSevenHitsWithTheMatchDrawnInBlue)
{
    QStringList entries;
    for (int i = 0; i < 10; ++i)
        entries << QStringLiteral(u"Bruno %1").arg(i) << QStringLiteral(u"Ana %1").arg(i);
    open(entries);
    dialog->chbxMultiResult->setChecked(true);
    EXPECT_TRUE(dialog->ListBox1->isVisible());
    type(QStringLiteral(u"ana"));
    EXPECT_EQ(rows(dialog->ListBox1), (QStringList{u"Ana 0"_qs, u"Ana 1"_qs, u"Ana 2"_qs, u"Ana 3"_qs, u"Ana 4"_qs,
                                                   u"Ana 5"_qs, u"Ana 6"_qs}));
    EXPECT_EQ(dialog->ListBox1->selectedItems().size(), 0);
    EXPECT_EQ(dialog->Index(), -1);

    QCoreApplication::processEvents(); // the list lays its rows out later
    const QImage drawn = dialog->ListBox1->viewport()->grab().toImage();

    const int matchEnd = 2 + dialog->ListBox1->fontMetrics().horizontalAdvance(QStringLiteral(u"Ana"));
    for (int i = 0; i < dialog->ListBox1->count(); ++i) {
        const QRect row = dialog->ListBox1->visualItemRect(dialog->ListBox1->item(i));
        EXPECT_EQ(row.height(), 13);
        int blueInMatch = 0;
        int blueAfter = 0;
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x <= row.right(); ++x) {
                if (isBlue(drawn.pixel(x, y)))
                    ++(x <= matchEnd + 1 ? blueInMatch : blueAfter);
            }
        }
        EXPECT_GT(blueInMatch, 0) << i;
        EXPECT_EQ(blueAfter, 0) << i;
    }

    dialog->chbxProcNoMeio->setChecked(true); // anywhere: an empty field lists nothing
    EXPECT_EQ(dialog->ListBox1->count(), 0);
    type(QStringLiteral(u"o 9"));
    EXPECT_EQ(rows(dialog->ListBox1), QStringList{u"Bruno 9"_qs});
}

// Contrast of two colours as the web's accessibility guidelines reckon it:
// 4.5 is what ordinary text needs to be read.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(TfrmLocalizarTest, TheMatchOnTheSelectedRowCanBeRead)
{
    open();
    dialog->chbxMultiResult->setChecked(true);
    type(QStringLiteral(u"mar"));
    key(Qt::Key_Down);
    ASSERT_TRUE(dialog->ListBox1->item(0)->isSelected());
    QCoreApplication::processEvents();
    const QImage drawn = dialog->ListBox1->viewport()->grab().toImage();
    const QRect row = dialog->ListBox1->visualItemRect(dialog->ListBox1->item(0));
    const int matchEnd = 2 + dialog->ListBox1->fontMetrics().horizontalAdvance(QStringLiteral(u"Mar"));
    // The colour most pixels of the match's box have is what the blue stands on.
    QHash<QRgb, int> colours;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left() + 2; x < matchEnd; ++x)
            ++colours[drawn.pixel(x, y)];
    const QRgb ground = std::max_element(colours.begin(), colours.end()).key();
    EXPECT_GE(contrast(QColor(0, 0, 255), QColor(ground)), 4.5) << QColor(ground).name().toStdString();
}

TEST(TfrmLocalizarTexts, TheCallersPromptAndEveryOtherTextFit)
{
    auto* dialog = new TfrmLocalizar;
    dialog->Label1->setText(QStringLiteral("Nome ou ID:"));
    dialog->setStrings({QStringLiteral("Ana"), QStringLiteral("Bia")});   // a temporary list
    dialog->show();
    const QList<CutText> cut = cutTexts(*dialog);
    EXPECT_TRUE(cut.isEmpty()) << describeCutTexts(cut).toStdString();
    delete dialog;
}

TEST(TfrmLocalizarTexts, TheListHandedInIsTheDialogsOwn)
{
    TfrmLocalizar dialog;
    QStringList names{QStringLiteral("Ana"), QStringLiteral("Bia")};
    dialog.setStrings(names);
    names.clear();   // the caller's list changes or goes away
    dialog.setIndex(1);
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("Bia"));
}

TEST_F(TfrmLocalizarTest, DownThenEnterInTheHitListChoosesTheRow)
{
    open();
    dialog->chbxMultiResult->setChecked(true);
    type(QStringLiteral(u"mar"));
    ASSERT_EQ(rows(dialog->ListBox1), (QStringList{u"Maria"_qs, u"Mariana"_qs, u"Marcos"_qs}));
    key(Qt::Key_Down);
    EXPECT_TRUE(dialog->ListBox1->hasFocus());
    EXPECT_EQ(dialog->ListBox1->currentRow(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Index(), 3);
}

TEST_F(TfrmLocalizarTest, OkWithoutASelectedRowKeepsTheIndex)
{
    open(kNames, 2);
    EXPECT_EQ(text(), QStringLiteral(u"Mariana"));
    dialog->chbxMultiResult->setChecked(true);
    EXPECT_EQ(dialog->ListBox1->count(), 6); // starts-with on the emptied field lists every entry
    QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Index(), 2);
}

TEST_F(TfrmLocalizarTest, SwitchingTheHitListOffThenTypingChoosesTheCompletedEntry)
{
    open();
    dialog->chbxMultiResult->setChecked(true);
    type(QStringLiteral(u"mar"));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down); // Marcos selected
    dialog->chbxMultiResult->setChecked(false);
    EXPECT_FALSE(dialog->ListBox1->isVisible());
    EXPECT_EQ(text(), QStringLiteral(u"Ana Lúcia")); // the emptied field shows the first entry
    EXPECT_EQ(selected(), QStringLiteral(u"Ana Lúcia"));
    EXPECT_EQ(dialog->Index(), 0);
    type(QStringLiteral(u"mari"));
    QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(dialog->Index(), 1);
}

TEST_F(TfrmLocalizarTest, ChangingAnOptionEmptiesTheField)
{
    open();
    type(QStringLiteral(u"jo"));
    ASSERT_EQ(dialog->Index(), 4);
    dialog->chbxProcNoMeio->setChecked(true);
    EXPECT_EQ(text(), QString());
    EXPECT_EQ(dialog->Index(), -1);
    EXPECT_TRUE(dialog->Edit1->hasFocus());
    type(QStringLiteral(u"cos"));
    dialog->chbxProcNoMeio->setChecked(false);
    EXPECT_EQ(dialog->hitLine->toPlainText(), QString());
    EXPECT_EQ(text(), QStringLiteral(u"Ana Lúcia"));
    EXPECT_EQ(dialog->Index(), 0);
}

TEST_F(TfrmLocalizarTest, SettingTheIndexAlreadyHeldLeavesTheField)
{
    open(kNames, 2);
    EXPECT_EQ(selected(), QStringLiteral(u"Mariana"));
    dialog->Edit1->deselect();
    dialog->setIndex(2);
    EXPECT_EQ(selected(), QString());
    dialog->setIndex(3);
    EXPECT_EQ(text(), QStringLiteral(u"Marcos"));
    EXPECT_EQ(selected(), QStringLiteral(u"Marcos"));
    EXPECT_EQ(dialog->Index(), 3);
}

TEST(TfrmLocalizarLifeTest, DestroysItselfOnlyAfterTheCallerHasReadTheResult)
{
    const QStringList names = kNames;
    struct Run {
        std::function<void(TfrmLocalizar*)> answer;
        int result;
        int index;
        QString text;
    };
    const Run runs[] = {
        {[](TfrmLocalizar* d) { QTest::keyClicks(d->Edit1, QStringLiteral(u"marc"));
                                QTest::mouseClick(d->BitBtn1, Qt::LeftButton); },
         QDialog::Accepted, 3, QStringLiteral(u"Marcos")},
        {[](TfrmLocalizar* d) { QTest::keyClicks(d->Edit1, QStringLiteral(u"jo"));
                                QTest::keyClick(d, Qt::Key_Escape); },
         QDialog::Rejected, 4, QStringLiteral(u"José")},
    };
    for (const Run& run : runs) {
        QPointer<TfrmLocalizar> dialog = new TfrmLocalizar;
        dialog->Label1->setText(QStringLiteral(u"Nome ou ID:"));
        dialog->setStrings(names);
        ModalDriver driver([&](QWidget*) { run.answer(dialog); });
        EXPECT_EQ(dialog->exec(), run.result);
        ASSERT_FALSE(dialog.isNull());
        EXPECT_EQ(dialog->Index(), run.index);
        EXPECT_EQ(dialog->Edit1->text(), run.text);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull());
    }
}

} // namespace
