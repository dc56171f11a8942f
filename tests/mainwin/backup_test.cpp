// "Salvar..." and "Restaurar..." from the window, with the server's own gbak:
// what is on screen is saved first, and the window shows the first patient of
// the database afterwards.

#include "mainwindowfixture.h"
#include "support/scriptedfiledialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class BackupFromWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        addPatient(1, QStringLiteral("Ana"));
        addPatient(2, QStringLiteral("Bruno"));
        openWindow();
        click(w->ToolButton7);   // "Último": Bruno
    }
    QString file(const QString& name) const { return files.path() + u'/' + name; }
    QStringList names() const
    {
        QStringList all;
        for (const QVariant& v : db.column(QStringLiteral("select NOME from PACIENTE order by NOME")))
            all << v.toString();
        return all;
    }
    // Runs a menu item with the file dialog answered by that file.
    void command(QAction* item, const QString& answer)
    {
        fileDialogs.answers.enqueue(answer);
        messages.requests.clear();
        item->trigger();
    }

    QTemporaryDir files;
    ScriptedFileDialogs fileDialogs;
};

TEST_F(BackupFromWindowTest, BackupSavesTheEditOnScreenAndRestoreBringsTheRowsBack)
{
    retype(w->DBEdit2, QStringLiteral(u"Bruno Ângelo"));   // typed, not yet saved
    const QString backup = file(QStringLiteral(u"cópia.bak"));
    command(w->Salvar1, backup);
    EXPECT_EQ(boxes(), QStringList{"O arquivo foi criado"});
    EXPECT_EQ(names(), (QStringList{"Ana", u"Bruno Ângelo"_qs}));
    EXPECT_EQ(w->DBEdit2->text(), QStringLiteral("Ana"));   // the first patient
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const QString logged = QStringLiteral("select USUARIO || ' ' || EVENTO || ' ' || DETALHE from ACESSO "
                                          "where EVENTO in ('BACKUP', 'RESTAURACAO') order by ID");
    EXPECT_EQ(db.column(logged), QVariantList{testusers::administrator().user + u" BACKUP "_qs + backup});

    db.exec(QStringLiteral("DELETE FROM PACIENTE"));
    addPatient(3, QStringLiteral("Caio"));
    command(w->Restaurar1, backup);
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, platform::MsgType::Information);
    EXPECT_TRUE(messages.requests[0].text.startsWith(u"A cópia de segurança foi restaurada."_qs));
    EXPECT_EQ(names(), (QStringList{"Ana", u"Bruno Ângelo"_qs}));
    EXPECT_EQ(w->DBEdit2->text(), QStringLiteral("Ana"));
    EXPECT_EQ(dm.qryPaciente.recNo(), 0);
    // The restored database's log is the copy's, which was made before its backup was logged.
    EXPECT_EQ(db.column(logged), QVariantList{testusers::administrator().user + u" RESTAURACAO "_qs + backup});
    click(w->ToolButton6);   // "Próximo" works on the restored rows
    EXPECT_EQ(w->DBEdit2->text(), QStringLiteral(u"Bruno Ângelo"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A file that is no backup changes nothing on screen or on disk.
    const QString empty = file(QStringLiteral("vazio.bak"));
    QFile(empty).open(QIODevice::WriteOnly);
    command(w->Restaurar1, empty);
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].type, platform::MsgType::Error);
    EXPECT_EQ(names(), (QStringList{"Ana", u"Bruno Ângelo"_qs}));
    EXPECT_EQ(w->DBEdit2->text(), QStringLiteral(u"Bruno Ângelo"));
}

TEST_F(BackupFromWindowTest, AnEditThatCannotBeSavedStopsEitherCommandBeforeTheTool)
{
    const QString backup = file(QStringLiteral("marvok.bak"));
    QAction* const items[] = {w->Salvar1, w->Restaurar1};
    for (QAction* item : items) {
        click(w->DBEdit2);   // the name is required
        QTest::keyClick(w->DBEdit2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w->DBEdit2, Qt::Key_Delete);
        command(item, backup);
        EXPECT_EQ(boxes(), QStringList{"Campo 'NOME' deve ter um valor"}) << item->text().toStdString();
        EXPECT_TRUE(dm.qryPaciente.isEditing());
        EXPECT_EQ(w->DBEdit2->text(), QString());
        EXPECT_TRUE(dm.ZConnection1.connected());
        EXPECT_FALSE(QFile::exists(backup));
        EXPECT_EQ(QDir(db.folder()).entryList(QDir::Files), QStringList{"marvok.fdb"});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // The edit is mended and saved as usual.
        QTest::keyClicks(w->DBEdit2, QStringLiteral("Bruna"));
        click(w->ToolButton10);   // "Salvar"
        EXPECT_EQ(names(), (QStringList{"Ana", "Bruna"}));
    }
}

} // namespace
