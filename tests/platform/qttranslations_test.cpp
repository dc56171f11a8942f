// Qt's own windows in Portuguese: the file dialog of backups and reports with
// Qt's translations, its list with Portuguese types and dates.

#include "platform/filedialogs.h"
#include "platform/qttranslations.h"
#include "support/modaldriver.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

TEST(QtTranslationsTest, TheFileDialogSpeaksPortugueseToItsDates)
{
    ASSERT_TRUE(platform::loadQtTranslations());
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("cópias")));
    QFile file(folder.filePath(QStringLiteral("marvok.bak")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    platform::FileDialogRequest request;
    request.title = QStringLiteral(u"Restaurar Cópia de Segurança");
    request.filters = {QStringLiteral("Arquivos de Backup (*.bak)"), QStringLiteral("Todos os Arquivos (*.*)")};
    request.folder = folder.path();
    QString lookIn, cancel, type, modified;
    ModalDriver driver([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
        cancel = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
        auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        const auto row = [&]() -> int {
            for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r)
                if (list->model()->index(r, 0, list->rootIndex()).data().toString() == QStringLiteral("cópias"))
                    return r;
            return -1;
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return row() >= 0; }, 5000));
        if (row() >= 0) {
            type = list->model()->index(row(), 2, list->rootIndex()).data().toString();
            modified = list->model()->index(row(), 3, list->rootIndex()).data().toString();
        }
        dialog->reject();
    });
    platform::FileDialogs qtDialogs;
    EXPECT_EQ(qtDialogs.openFileName(nullptr, request), QString());
    EXPECT_TRUE(driver.acted());

    EXPECT_EQ(lookIn, QStringLiteral("Procurar em:"));
    EXPECT_EQ(cancel.remove(u'&'), QStringLiteral("Cancelar"));
    EXPECT_EQ(type, QStringLiteral("Pasta"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$")).match(modified).hasMatch())
        << modified.toStdString();
}

} // namespace
