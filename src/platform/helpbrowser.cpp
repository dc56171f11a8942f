#include "platform/helpbrowser.h"

#include "platform/shell.h"

#include <QHelpEngineCore>

namespace platform {

namespace {
const QString kHelpScheme = QStringLiteral("qthelp");
} // namespace

HelpBrowser::HelpBrowser(const QHelpEngineCore& engine, QWidget* parent) : QTextBrowser(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("HelpBrowser"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    // Links inside a topic are relative to the topic being shown.
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() == kHelpScheme)
        return m_engine.fileData(url);
    return QTextBrowser::loadResource(type, name);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!url.scheme().isEmpty() && url.scheme() != kHelpScheme) {
        // Web and mail addresses belong to the user's browser and mail program.
        Shell::instance().openUrl(url.toString());
        return;
    }
    QTextBrowser::doSetSource(url, type);
}

} // namespace platform
