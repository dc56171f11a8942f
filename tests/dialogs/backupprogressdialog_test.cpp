#include "dialogs/backupprogressdialog.h"
#include "support/textfit.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(BackupProgressDialogTest, ShowsTheStepAndTheTablesAndCannotBeClosed)
{
    BackupProgressDialog dialog;
    dialog.begin(QStringLiteral(u"Salvando cópia de segurança…"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.setProgress({QStringLiteral(u"Gravando a cópia: tabela PACIENTE"), 9, 15});

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"Salvando cópia de segurança…"));
    EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog.stepLabel()->text(), QStringLiteral(u"Gravando a cópia: tabela PACIENTE"));
    EXPECT_EQ(dialog.progressBar()->text(), QStringLiteral("9 de 15 tabelas"));
    // The longest step the tool reports fits too.
    dialog.setProgress({QStringLiteral(u"Lendo o banco de dados: tabela BRINQUEDO_NA_CONSULTA"), 14, 15});
    EXPECT_TRUE(cutTexts(dialog).isEmpty()) << describeCutTexts(cutTexts(dialog)).toStdString();

    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

} // namespace
