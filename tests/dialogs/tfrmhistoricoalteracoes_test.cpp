// "Histórico de alterações" through its controls, on a real database whose
// trail the program's users wrote: newest first, one line per changed field,
// the whole note of the chosen change, the period and the user filters, and
// nothing of another patient.

#include "dialogs/tfrmhistoricoalteracoes.h"
#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/tdm.h"
#include "support/scriptedmessages.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

void writeAs(const TestDatabase& db, const store::Account& account, const QStringList& statements)
{
    fb::ConnectParams p;
    p.database = db.location();
    p.user = account.user;
    p.password = account.password;
    p.role = account.role;
    fb::Connection c;
    c.connect(p);
    fb::Transaction tx(c);
    for (const QString& sql : statements)
        fb::executeSql(tx, sql, fb::ParamStyle::Raw);
    tx.commit();
}

class ChangeHistoryWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A therapist registered the patient in January 2024 (the trail's
        // time set back by the server's administrator); today an
        // administrator wrote a long note, then added to it.
        writeAs(db, testusers::therapist(),
                {QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) VALUES (7, 'Ana', "
                                "'2018-02-03', '2024-01-10', 'A')"),
                 QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) VALUES (8, 'Bruno', "
                                "'2017-05-06', '2024-01-10', 'A')")});
        db.exec(QStringLiteral("UPDATE AUDITORIA SET MOMENTO = '2024-01-10 09:30:00'"));
        writeAs(db, testusers::administrator(),
                {QStringLiteral("INSERT INTO CONSULTA (ID, DATA, PACIENTE, OBSERVACOES) VALUES (30, '2024-05-06', 7, "
                                "'%1')").arg(note),
                 QStringLiteral("UPDATE PACIENTE SET NOME = 'Bruno Lima' WHERE ID = 8")});
        writeAs(db, testusers::administrator(),
                {QStringLiteral("UPDATE CONSULTA SET OBSERVACOES = '%1' WHERE ID = 30").arg(longerNote)});
        window = std::make_unique<TfrmHistoricoAlteracoes>(dm, 7, QStringLiteral("Ana"));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Each line as "user|what|action|field|before|after".
    QStringList lines() const
    {
        QStringList out;
        for (int i = 0; i < window->lstAlteracoes->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = window->lstAlteracoes->topLevelItem(i);
            QStringList cells;
            for (int c = 1; c < item->columnCount(); ++c)
                cells << item->text(c);
            out << cells.join(u'|');
        }
        return out;
    }
    void clickLine(int row)
    {
        const QRect place = window->lstAlteracoes->visualItemRect(window->lstAlteracoes->topLevelItem(row));
        QTest::mouseClick(window->lstAlteracoes->viewport(), Qt::LeftButton, {}, place.center());
    }
    // Types the date's digits from its day on, as after a click on the day.
    static void typeDate(QDateEdit* edit, const QDate& date)
    {
        edit->setFocus();
        edit->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(edit, date.toString(QStringLiteral("ddMMyyyy")));
    }

    const QString note = QStringLiteral(u"Desenhou a família e falou da escola. ").repeated(20);
    const QString longerNote = note + QStringLiteral(u"Pediu para voltar.");
    TestDatabase db;
    ScriptedMessages messages;
    Tdm dm{db.folder(), testusers::therapist()};
    std::unique_ptr<TfrmHistoricoAlteracoes> window;
};

} // namespace

TEST_F(ChangeHistoryWindowTest, ListsThePatientsChangesNewestFirstWithTheWholeNoteOfTheChosenOne)
{
    const QString admin = testusers::administrator().user;
    const QString therapist = testusers::therapist().user;
    const QString preview = note.left(store::kChangePreview) + QChar(0x2026);
    EXPECT_EQ(lines(), (QStringList{
                           admin + u"|Sessão 30|Alteração|Observações|"_qs + preview + u'|' + preview,
                           admin + u"|Sessão 30|Inclusão|Data||2024-05-06"_qs,
                           admin + u"|Sessão 30|Inclusão|Número||30"_qs,
                           admin + u"|Sessão 30|Inclusão|Observações||"_qs + preview,
                           admin + u"|Sessão 30|Inclusão|Paciente||7"_qs,
                           therapist + u"|Ficha 7|Inclusão|Entrada||2024-01-10"_qs,
                           therapist + u"|Ficha 7|Inclusão|Número||7"_qs,
                           therapist + u"|Ficha 7|Inclusão|Nascimento||2018-02-03"_qs,
                           therapist + u"|Ficha 7|Inclusão|Nome||Ana"_qs,
                           therapist + u"|Ficha 7|Inclusão|Situação||A"_qs,
                       }));
    EXPECT_EQ(window->lstAlteracoes->topLevelItem(9)->text(0), QStringLiteral("10/01/2024 09:30:00"));
    EXPECT_EQ(window->lblTotal->text(), QStringLiteral(u"10 alterações"));
    EXPECT_EQ(window->dtpDe->date(), QDate(2024, 1, 10));
    EXPECT_EQ(window->dtpAte->date(), QDate::currentDate());
    EXPECT_EQ(window->cbxUsuario->count(), 3);   // everyone, and the two who changed this record

    // The newest is chosen at once; its note shows whole.
    EXPECT_EQ(window->memAntes->toPlainText(), note);
    EXPECT_EQ(window->memDepois->toPlainText(), longerNote);
    clickLine(8);
    EXPECT_EQ(window->memAntes->toPlainText(), QString());
    EXPECT_EQ(window->memDepois->toPlainText(), QStringLiteral("Ana"));
}

TEST_F(ChangeHistoryWindowTest, ThePeriodAndTheUserNarrowTheList)
{
    const QString admin = testusers::administrator().user;
    // Up to the end of January: only the registration.
    typeDate(window->dtpAte, QDate(2024, 1, 31));
    ASSERT_EQ(window->dtpAte->date(), QDate(2024, 1, 31));
    EXPECT_EQ(window->lstAlteracoes->topLevelItemCount(), 5);
    EXPECT_TRUE(lines().filter(admin).isEmpty());
    // The administrator's changes in that period: none.
    window->cbxUsuario->setFocus();
    const int adminIndex = window->cbxUsuario->findText(admin);
    ASSERT_GT(adminIndex, 0);
    while (window->cbxUsuario->currentIndex() < adminIndex)
        QTest::keyClick(window->cbxUsuario, Qt::Key_Down);
    EXPECT_EQ(window->lstAlteracoes->topLevelItemCount(), 0);
    EXPECT_EQ(window->lblTotal->text(), QStringLiteral(u"0 alterações"));
    EXPECT_EQ(window->memDepois->toPlainText(), QString());
    // Up to today: her five.
    typeDate(window->dtpAte, QDate::currentDate());
    EXPECT_EQ(window->lstAlteracoes->topLevelItemCount(), 5);
    EXPECT_EQ(lines().filter(admin).size(), 5);
    // From today on, everyone: the same five.
    QTest::keyClick(window->cbxUsuario, Qt::Key_Home);
    typeDate(window->dtpDe, QDate::currentDate());
    EXPECT_EQ(lines().filter(admin).size(), 5);
    EXPECT_EQ(window->lstAlteracoes->topLevelItemCount(), 5);
}
