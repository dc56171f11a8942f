// The period dialog: what it offers, the checks before it closes, and what
// SelectPeriodo gives back.

#include "controls/torbdateedit.h"
#include "reports/tfrmperiodo.h"
#include "reportsfixture.h"
#include "support/modaldriver.h"
#include "support/textfit.h"
#include "support/scriptedmessages.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PeriodoTest : public ::testing::Test {
protected:
    // Runs SelectPeriodo on `periodo`; `answer` acts on the dialog and must close it.
    bool run(const std::function<void(TfrmPeriodo*)>& answer)
    {
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<TfrmPeriodo*>(modal);
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
        });
        const bool accepted = SelectPeriodo(periodo);
        EXPECT_TRUE(driver.acted());
        return accepted;
    }
    QStringList shownMessages() const
    {
        QStringList texts;
        for (const auto& r : messages.requests)
            texts << r.text;
        return texts;
    }

    ScriptedMessages messages;
    TPeriodo periodo;
};

} // namespace

TEST_F(PeriodoTest, OffersThePeriodGivenInItsSmallToolWindow)
{
    periodo = {QDate(2011, 3, 1), QDate(2011, 3, 31)};
    bool accepted = run([&](TfrmPeriodo* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral(u"Seleção de Período"));
        EXPECT_TRUE(d->windowFlags() & Qt::Tool);
        EXPECT_EQ(d->size(), QSize(291, 172));
        EXPECT_EQ(d->Label1->text(), QStringLiteral(u"Selecione o período desejado"));
        EXPECT_TRUE(d->Label1->font().bold());
        EXPECT_EQ(d->Label2->text(), QStringLiteral(u"Início:"));
        EXPECT_EQ(d->Label3->text(), QStringLiteral("Fim:"));
        EXPECT_FALSE(d->Image1->pixmap().isNull());
        EXPECT_EQ(d->dtInicio->geometry(), QRect(64, 83, 80, 21));
        EXPECT_EQ(d->dtFim->geometry(), QRect(160, 83, 80, 21));
        EXPECT_EQ(d->btnOK->geometry(), QRect(64, 128, 75, 25));
        EXPECT_TRUE(cutTexts(*d).isEmpty()) << describeCutTexts(cutTexts(*d)).toStdString();
        EXPECT_EQ(d->btnCancel->text(), QStringLiteral("Cancelar"));
        EXPECT_EQ(d->dtInicio->displayText(), QStringLiteral("01/03/2011"));
        EXPECT_EQ(d->dtFim->displayText(), QStringLiteral("31/03/2011"));
        EXPECT_EQ(QApplication::focusWidget(), d->dtInicio);
        QTest::keyClick(d->dtInicio, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d->dtFim);
        QTest::keyClick(d->dtFim, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d->btnOK);
        QTest::keyClick(d->btnOK, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d->btnCancel);
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(periodo.Inicio, QDate(2011, 3, 1));
    EXPECT_EQ(periodo.Fim, QDate(2011, 3, 31));

    // A prompt replaces the dialog's words; empty dates leave the boxes empty.
    periodo = {};
    ModalDriver driver([&](QWidget* modal) {
        auto* d = static_cast<TfrmPeriodo*>(modal);
        EXPECT_EQ(d->Label1->text(), QStringLiteral("Outro texto"));
        EXPECT_EQ(d->dtInicio->displayText(), QStringLiteral("  /  /    "));
        QTest::mouseClick(d->btnCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(SelectPeriodo(periodo, QStringLiteral("Outro texto")));
}

TEST_F(PeriodoTest, TypedPeriodIsTakenByEnterOrOk)
{
    EXPECT_TRUE(run([&](TfrmPeriodo* d) {
        typeDate(d->dtInicio, QStringLiteral("05/03/11"));
        typeDate(d->dtFim, QStringLiteral("05/03/2011"));
        QTest::keyClick(d->dtFim, Qt::Key_Return); // start equal to end is a period of one day
    }));
    EXPECT_EQ(periodo.Inicio, QDate(2011, 3, 5));
    EXPECT_EQ(periodo.Fim, QDate(2011, 3, 5));
}

TEST_F(PeriodoTest, RefusedPeriodsKeepTheDialogOpenWithTheFocusOnTheFaultyDate)
{
    const struct {
        const char* start;
        const char* end;
        const char16_t* message; // nullptr: accepted
        bool focusOnStart;
    } cases[] = {
        {"01/03/2011", "", u"Data inválida", false},
        {"", "31/03/2011", u"Data inválida", true},
        {"31/12/1899", "01/01/2000", u"Data inválida", true},
        {"01/01/2000", "01/01/2101", u"Data inválida", false},
        {"02/03/2011", "01/03/2011", u"A data inicial não pode ser maior que a data final.", true},
        {"01/01/1900", "31/12/2100", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " - " + c.end);
        messages.requests.clear();
        periodo = {};
        QWidget* focused = nullptr;
        bool stayedOpen = false;
        const bool accepted = run([&](TfrmPeriodo* d) {
            typeDate(d->dtInicio, QString::fromLatin1(c.start));
            typeDate(d->dtFim, QString::fromLatin1(c.end));
            QTest::mouseClick(d->btnOK, Qt::LeftButton);
            stayedOpen = d->isVisible();
            focused = QApplication::focusWidget();
            if (stayedOpen) {
                EXPECT_EQ(focused, c.focusOnStart ? static_cast<QWidget*>(d->dtInicio) : d->dtFim);
                QTest::mouseClick(d->btnCancel, Qt::LeftButton);
            }
        });
        if (c.message) {
            EXPECT_TRUE(stayedOpen);
            EXPECT_FALSE(accepted);
            EXPECT_EQ(shownMessages(), QStringList{QString::fromUtf16(c.message)});
            EXPECT_EQ(messages.requests.value(0).type, platform::MsgType::Plain);
            EXPECT_FALSE(periodo.Inicio.isValid());
        } else {
            EXPECT_TRUE(accepted);
            EXPECT_TRUE(shownMessages().isEmpty());
            EXPECT_EQ(periodo.Inicio, QDate(1900, 1, 1));
            EXPECT_EQ(periodo.Fim, QDate(2100, 12, 31));
        }
    }
}

TEST_F(PeriodoTest, OkWithBothDatesEmptyDoesNothing)
{
    bool stayedOpen = false;
    EXPECT_FALSE(run([&](TfrmPeriodo* d) {
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
        stayedOpen = d->isVisible();
        QTest::keyClick(d, Qt::Key_Escape);
    }));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST_F(PeriodoTest, CancelAndEscCloseAtOnceEvenWithWrongDates)
{
    const TPeriodo offered{QDate(2011, 1, 1), QDate(2011, 1, 31)};
    for (bool byEsc : {false, true}) {
        periodo = offered;
        EXPECT_FALSE(run([&](TfrmPeriodo* d) {
            typeDate(d->dtInicio, QStringLiteral("09/09/2011")); // after the end: would be refused
            if (byEsc)
                QTest::keyClick(d->dtInicio, Qt::Key_Escape);
            else
                QTest::mouseClick(d->btnCancel, Qt::LeftButton);
        })) << byEsc;
        EXPECT_EQ(periodo.Inicio, offered.Inicio);
        EXPECT_EQ(periodo.Fim, offered.Fim);
    }
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST_F(PeriodoTest, TitleBarCloseChecksTheDatesAndThenCancels)
{
    periodo = {QDate(2011, 3, 1), QDate(2011, 3, 31)};
    EXPECT_FALSE(run([&](TfrmPeriodo* d) {
        typeDate(d->dtFim, QStringLiteral("30/04/2011"));
        d->close();
    }));
    EXPECT_EQ(periodo.Fim, QDate(2011, 3, 31)) << "closed as a cancel";

    // With both dates empty it does not close; a wrong period shows its message and stays.
    periodo = {};
    bool openAfterEmpty = false, openAfterWrong = false;
    run([&](TfrmPeriodo* d) {
        d->close();
        openAfterEmpty = d->isVisible();
        typeDate(d->dtInicio, QStringLiteral("02/03/2011"));
        typeDate(d->dtFim, QStringLiteral("01/03/2011"));
        QTest::keyClick(d->dtFim, Qt::Key_Tab); // leaving the box confirms its date
        d->close();
        openAfterWrong = d->isVisible();
        QTest::mouseClick(d->btnCancel, Qt::LeftButton);
    });
    EXPECT_TRUE(openAfterEmpty);
    EXPECT_TRUE(openAfterWrong);
    EXPECT_EQ(shownMessages(), QStringList{QStringLiteral(u"A data inicial não pode ser maior que a data final.")});
}

