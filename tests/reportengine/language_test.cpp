// The language file: present in the working directory it turns the preview
// and Qt's print dialogs into Portuguese; absent, nothing happens.

#include "core/eerror.h"
#include "reportengine/language.h"
#include "reportengine/preparedreport.h"
#include "reportengine/previewdialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace report;

namespace {

class LanguageTest : public ::testing::Test {
protected:
    LanguageTest() : m_home(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~LanguageTest() override
    {
        unloadLanguageFile();
        QDir::setCurrent(m_home);
    }

    static QString programLanguageFile() { return QCoreApplication::applicationDirPath() + QStringLiteral("/Brazil.frc"); }
    QTemporaryDir m_dir;
    QString m_home;
};

QString printText(const PreviewDialog& preview)
{
    return preview.findChild<QAction*>(QStringLiteral("actPrint"))->text();
}

} // namespace

TEST_F(LanguageTest, FileInTheWorkingDirectoryTurnsThePreviewAndQtDialogsPortuguese)
{
    ASSERT_TRUE(QFile::copy(programLanguageFile(), QStringLiteral("Brazil.frc")));
    ASSERT_TRUE(loadProgramLanguage());

    PreviewDialog preview(PreparedReport{}, QString());
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Visualização"));
    EXPECT_EQ(printText(preview), QStringLiteral("Imprimir"));
    EXPECT_EQ(preview.findChild<QToolButton*>(QStringLiteral("exportButton"))->text(), QStringLiteral("Exportar"));
    EXPECT_EQ(preview.findChild<QAction*>(QStringLiteral("actNext"))->text(), QStringLiteral("Próxima página"));
    try {
        PreparedReport::load(QStringLiteral("nenhum.mvp"));
        ADD_FAILURE();
    } catch (const EError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Não foi possível ler o arquivo"))) << error.what();
    }

    QPrinter printer;
    QPageSetupDialog pageSetup(&printer);
    EXPECT_EQ(pageSetup.windowTitle(), QStringLiteral("Configuração de página"));
    QPrintDialog print(&printer);
    EXPECT_EQ(print.windowTitle(), QStringLiteral("Imprimir"));

    unloadLanguageFile();
    EXPECT_EQ(printText(PreviewDialog(PreparedReport{}, QString())), QStringLiteral("Print"));
}

TEST_F(LanguageTest, MissingFileIsSilentAndKeepsTheEnglishTexts)
{
    // The program's own folder holds the file, but only the working directory counts.
    ASSERT_TRUE(QFile::exists(programLanguageFile()));
    EXPECT_FALSE(loadProgramLanguage());
    PreviewDialog preview(PreparedReport{}, QString());
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(printText(preview), QStringLiteral("Print"));
}
