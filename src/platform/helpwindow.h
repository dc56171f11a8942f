#pragma once
// The program's help window: the topics of the compiled help collection with
// their contents, an index of subjects and a search over the words of the
// topics. One window serves the whole run; it stays open beside the main
// window and never keeps the program running by itself.

#include <QUrl>
#include <QWidget>

#include <memory>

class QHelpEngine;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QToolBar;

namespace platform {

class HelpBrowser;
class HelpTopicSearch;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // The program's collection: bin/help/Marvok.qhc in a build folder,
    // /usr/share/marvok/help/Marvok.qhc installed (platform::dataFile).
    static QString programCollectionFile();

    // Whether the collection could be read; errorText() tells why not.
    bool isValid() const { return m_valid; }
    QString errorText() const { return m_error; }

    // The topic of a context number; the contents for 0 and for a number that has no topic.
    QUrl topicUrl(int context) const;
    // Shows the window, in front, on the topic of the context.
    void showContext(int context);
    // Shows a topic of the collection.
    void showTopic(const QUrl& url);
    QUrl currentUrl() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildToolBar();
    void buildSidePanel();
    QWidget* buildIndexPage();
    QWidget* buildSearchPage();
    void topicShown(const QUrl& url);
    void searchTyped(const QString& text);
    void openSearchHit();
    void placeOnScreen();

    QHelpEngine* m_engine = nullptr;
    bool m_valid = false;
    QString m_error;
    std::unique_ptr<HelpTopicSearch> m_search;
    QToolBar* m_toolBar = nullptr;
    QTabWidget* m_side = nullptr;
    HelpBrowser* m_browser = nullptr;
    QLineEdit* m_indexEdit = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QListWidget* m_searchResults = nullptr;
    bool m_placed = false;
};

} // namespace platform
