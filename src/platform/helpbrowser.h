#pragma once
// The page of the help window: shows the topics of the help collection
// (addresses "qthelp://..."), with their style sheet, and hands web and mail
// addresses to the shell instead of showing them.

#include <QTextBrowser>

class QHelpEngineCore;

namespace platform {

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(const QHelpEngineCore& engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    const QHelpEngineCore& m_engine;
};

} // namespace platform
