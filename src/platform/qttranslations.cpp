#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool loadQtTranslations()
{
    static const bool loaded = [] {
        const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
        QLocale::setDefault(brazil);
        // Lives as long as the process: Qt's texts never change language again.
        auto* qt = new QTranslator(QCoreApplication::instance());
        if (!qt->load(brazil, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete qt;
            return false;
        }
        QCoreApplication::installTranslator(qt);
        return true;
    }();
    return loaded;
}

} // namespace platform
