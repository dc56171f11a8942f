#include "reportengine/language.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace report {

namespace {
std::unique_ptr<QTranslator>& engineTexts()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& qtTexts()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}
} // namespace

bool loadLanguageFile(const QString& name)
{
    const QFileInfo file(name);
    if (!file.isFile())
        return false;
    auto engine = std::make_unique<QTranslator>();
    if (!engine->load(file.absoluteFilePath()))
        return false;
    unloadLanguageFile();
    engineTexts() = std::move(engine);
    QCoreApplication::installTranslator(engineTexts().get());

    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qtTexts() = std::move(qt);
        QCoreApplication::installTranslator(qtTexts().get());
    }
    return true;
}

bool loadProgramLanguage()
{
    const QString name = QStringLiteral("Brazil.frc");
    if (loadLanguageFile(name))
        return true;
    // Installed, the file is in the program's data folder; a build folder
    // keeps to the working directory alone.
    return !platform::runsFromBuildFolder() && loadLanguageFile(platform::dataFile(name));
}

void unloadLanguageFile()
{
    for (auto* translator : {&engineTexts(), &qtTexts()})
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
}

} // namespace report
