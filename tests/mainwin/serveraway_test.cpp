// A save from the window while the server has dropped the program's
// attachment: one message in Portuguese, the edit stays on screen, and
// closing the window sends it once.

#include "mainwin/mainwindowfixture.h"

#include <QLineEdit>

TEST_F(MainWindowTest, ASaveWhileTheServerIsAwayShowsOneMessageAndKeepsTheEdit)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    db.dropAttachment(dm.ZConnection1.handle());
    retype(w->DBEdit17, QStringLiteral("Escola"));
    click(w->ToolButton10);

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].startsWith(
        QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.")))
        << qPrintable(boxes()[0]);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->visiblePage(), 0);
    EXPECT_EQ(qobject_cast<QLineEdit*>(w->DBEdit17)->text(), QStringLiteral("Escola"));
    EXPECT_TRUE(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE")).value(0).isNull());

    // The change waits in the data module; closing the window sends it, once, without another word.
    EXPECT_TRUE(w->close());
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE")), QVariantList{QStringLiteral("Escola")});
}
