#include "reportengine/language.h"
#include "platform/paths.h"
#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>
#include <memory>

namespace report {

namespace {
std::unique_ptr<QTranslator>& engineTexts()
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
    // The print and page setup dialogs are Qt's own.
    platform::loadQtTranslations();
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
    if (engineTexts()) {
        QCoreApplication::removeTranslator(engineTexts().get());
        engineTexts().reset();
    }
}

} // namespace report
