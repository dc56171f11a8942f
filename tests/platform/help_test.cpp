// The program's help: the compiled collection beside the test program (the
// build puts it in bin/help, as beside the real program), the help window
// opened through the real help service, its contents, index and search.

#include "platform/help.h"
#include "platform/helptopicsearch.h"
#include "platform/helpwindow.h"
#include "support/recordingshell.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

using platform::HelpWindow;

namespace {

QList<HelpWindow*> helpWindows()
{
    QList<HelpWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(w))
            found.append(help);
    return found;
}

// The window the real service opened, after the request.
HelpWindow* openedFor(int context)
{
    platform::Help::instance().showContext(context);
    const QList<HelpWindow*> windows = helpWindows();
    return windows.size() == 1 ? windows.first() : nullptr;
}

QTextBrowser* browserOf(HelpWindow* window) { return window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser")); }

QString shownFile(HelpWindow* window) { return QFileInfo(window->currentUrl().path()).fileName(); }

// Every anchor name and every link target of a topic, as the rich text engine reads them.
struct TopicLinks {
    QSet<QString> anchors;
    QStringList targets;
};

TopicLinks linksOf(const QByteArray& html)
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(html));
    TopicLinks links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                links.anchors.insert(name);
            if (!format.anchorHref().isEmpty())
                links.targets.append(format.anchorHref());
        }
    }
    return links;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { closeHelp(); }
    void TearDown() override { closeHelp(); }

    static void closeHelp()
    {
        qDeleteAll(helpWindows());
        QApplication::processEvents();
    }
};

// ---------------------------------------------------------------- context numbers

struct ContextCase {
    int context;
    const char* file;
    const char16_t* title;
};

TEST_F(HelpTest, EveryContextOfTheProgramOpensItsTopicInOneReusedWindow)
{
    const ContextCase cases[] = {
        {0, "index.html", u"Ajuda do Marvok"},
        {10, "janela.html", u"A janela principal"},
        {120, "navegador.html", u"A barra de navegação"},
        {250, "ficha.html", u"Ficha"},
        {260, "familia.html", u"Família"},
        {270, "sessoes.html", u"Sessões"},
        {280, "reavaliacoes.html", u"Reavaliações"},
        {290, "indicacoes.html", u"Indicações"},
        {300, "orientacoes.html", u"Orientações"},
        {310, "historico.html", u"Histórico"},
        // A context without a topic of its own shows the contents.
        {999, "index.html", u"Ajuda do Marvok"},
        {-1, "index.html", u"Ajuda do Marvok"},
    };
    HelpWindow* first = nullptr;
    for (const ContextCase& c : cases) {
        SCOPED_TRACE(c.context);
        HelpWindow* window = openedFor(c.context);
        ASSERT_NE(window, nullptr);
        if (!first)
            first = window;
        EXPECT_EQ(window, first); // one window, reused
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(window->currentUrl().scheme(), QStringLiteral("qthelp"));
        EXPECT_EQ(shownFile(window), QString::fromLatin1(c.file));
        EXPECT_EQ(browserOf(window)->documentTitle(), QString::fromUtf16(c.title));
        EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Ajuda do Marvok")));
        EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf16(c.title)));
    }
    // The help window never keeps the program running once the main window closes.
    EXPECT_FALSE(first->testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(HelpTest, ClosedWindowOpensAgainOnTheNewTopic)
{
    HelpWindow* window = openedFor(250);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());

    EXPECT_EQ(openedFor(280), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shownFile(window), QStringLiteral("reavaliacoes.html"));
}

TEST_F(HelpTest, CollectionThatCannotBeReadSaysWhereItWasLookedFor)
{
    const QString missing = QDir::temp().filePath(QStringLiteral("nao-existe/Marvok.qhc"));
    HelpWindow window(missing);
    EXPECT_FALSE(window.isValid());
    EXPECT_TRUE(window.errorText().contains(QDir::toNativeSeparators(missing)));
    EXPECT_TRUE(window.topicUrl(250).isEmpty());

    QFile notACollection(QDir::temp().filePath(QStringLiteral("marvok-help-test.qhc")));
    ASSERT_TRUE(notACollection.open(QIODevice::WriteOnly));
    notACollection.write("isto nao e uma colecao de ajuda");
    notACollection.close();
    HelpWindow broken(notACollection.fileName());
    EXPECT_FALSE(broken.isValid());
    EXPECT_FALSE(broken.errorText().isEmpty());
    notACollection.remove();
}

// ---------------------------------------------------------------- the collection

TEST_F(HelpTest, EveryTopicOfTheSourceFolderIsCompiledAndEveryLinkResolves)
{
    QHelpEngineCore engine(HelpWindow::programCollectionFile());
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
    ASSERT_EQ(engine.registeredDocumentations().size(), 1);
    const QString space = engine.registeredDocumentations().first();

    QSet<QString> compiled;
    for (const QUrl& url : engine.files(space, QString()))
        compiled.insert(QFileInfo(url.path()).fileName());
    const QDir sources(QStringLiteral(MARVOK_SOURCE_DIR "/help"));
    for (const QString& file : sources.entryList({QStringLiteral("*.html"), QStringLiteral("*.css")}, QDir::Files))
        EXPECT_TRUE(compiled.contains(file)) << file.toStdString() << " is not listed in marvok.qhp";

    // Links of the topics, then the references of the contents and the index.
    QStringList broken;
    const auto check = [&](const QUrl& from, const QString& target) {
        const QUrl url = from.resolved(QUrl(target));
        if (url.scheme() != QStringLiteral("qthelp"))
            return; // web and mail addresses leave the help
        const QByteArray data = engine.fileData(url.adjusted(QUrl::RemoveFragment));
        if (data.isEmpty())
            broken << from.fileName() + QStringLiteral(" -> ") + target;
        else if (url.hasFragment() && !linksOf(data).anchors.contains(url.fragment()))
            broken << from.fileName() + QStringLiteral(" -> ") + target + QStringLiteral(" (no such place)");
    };
    int topics = 0;
    for (const QUrl& url : engine.files(space, QString(), QStringLiteral("html"))) {
        ++topics;
        const QByteArray html = engine.fileData(url);
        for (const QString& target : linksOf(html).targets)
            check(url, target);
        const QRegularExpression sheet(QStringLiteral("<link[^>]*href=\"([^\"]+)\""));
        for (auto m = sheet.globalMatch(QString::fromUtf8(html)); m.hasNext();)
            check(url, m.next().captured(1));
    }
    EXPECT_EQ(topics, sources.entryList({QStringLiteral("*.html")}, QDir::Files).size());

    QFile project(sources.filePath(QStringLiteral("marvok.qhp")));
    ASSERT_TRUE(project.open(QIODevice::ReadOnly));
    const QUrl root(QStringLiteral("qthelp://%1/ajuda/").arg(space));
    const QRegularExpression ref(QStringLiteral("ref=\"([^\"]+)\""));
    for (auto m = ref.globalMatch(QString::fromUtf8(project.readAll())); m.hasNext();)
        check(root, m.next().captured(1));

    EXPECT_TRUE(broken.isEmpty()) << broken.join(QLatin1Char('\n')).toStdString();
}

// ---------------------------------------------------------------- the window

TEST_F(HelpTest, LinksAreFollowedAndTheToolBarGoesBackAndHome)
{
    HelpWindow* window = openedFor(0);
    ASSERT_NE(window, nullptr);
    QTextBrowser* browser = browserOf(window);
    auto* back = window->findChild<QAction*>(QStringLiteral("actBack"));
    auto* contents = window->findChild<QAction*>(QStringLiteral("actContents"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(contents, nullptr);
    EXPECT_FALSE(back->isEnabled());

    // Tab goes to the first link of the contents page ("A janela principal"), Enter follows it.
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(shownFile(window), QStringLiteral("janela.html"));
    EXPECT_TRUE(back->isEnabled());

    back->trigger();
    EXPECT_EQ(shownFile(window), QStringLiteral("index.html"));

    openedFor(310);
    contents->trigger();
    EXPECT_EQ(shownFile(window), QStringLiteral("index.html"));
}

TEST_F(HelpTest, ContentsTreeFollowsTheTopicAndOpensTheEntryClicked)
{
    HelpWindow* window = openedFor(270);
    ASSERT_NE(window, nullptr);
    auto* tree = window->findChild<QHelpContentWidget*>(QStringLiteral("HelpContents"));
    ASSERT_NE(tree, nullptr);
    // The tree is built in the background; once there, it marks the topic shown.
    QTRY_COMPARE(tree->currentIndex().data().toString(), QString::fromUtf8(u8"Sessões"));

    const QModelIndex family = tree->indexOf(window->topicUrl(260));
    ASSERT_TRUE(family.isValid());
    tree->scrollTo(family);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(family).center());
    EXPECT_EQ(shownFile(window), QStringLiteral("familia.html"));
}

TEST_F(HelpTest, IndexOpensTheTopicOfTheSubjectTyped)
{
    HelpWindow* window = openedFor(0);
    ASSERT_NE(window, nullptr);
    auto* side = window->findChild<QTabWidget*>(QStringLiteral("HelpSidePanel"));
    auto* filter = window->findChild<QLineEdit*>(QStringLiteral("HelpIndexFilter"));
    auto* index = window->findChild<QHelpIndexWidget*>(QStringLiteral("HelpIndex"));
    ASSERT_NE(filter, nullptr);
    ASSERT_NE(index, nullptr);
    side->setCurrentIndex(1);
    QTRY_VERIFY(index->model()->rowCount() > 0);

    QTest::keyClicks(filter, QStringLiteral("Restaurar"));
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(shownFile(window), QStringLiteral("restaurar.html"));
}

TEST_F(HelpTest, SearchFindsWordsWhateverTheirAccentsAndPointsAtThem)
{
    HelpWindow* window = openedFor(0);
    ASSERT_NE(window, nullptr);
    auto* text = window->findChild<QLineEdit*>(QStringLiteral("HelpSearchText"));
    auto* results = window->findChild<QListWidget*>(QStringLiteral("HelpSearchResults"));
    ASSERT_NE(text, nullptr);
    ASSERT_NE(results, nullptr);

    // Typed without accents, found with them; the topic named by the words comes first.
    QTest::keyClicks(text, QStringLiteral("excluir SESSAO"));
    ASSERT_GT(results->count(), 0);
    EXPECT_EQ(results->item(0)->text(), QString::fromUtf8(u8"Sessões"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(shownFile(window), QStringLiteral("sessoes.html"));
    EXPECT_EQ(browserOf(window)->textCursor().selectedText().toLower(), QStringLiteral("excluir"));

    text->clear();
    QTest::keyClicks(text, QStringLiteral("palavra-que-nenhum-topico-tem"));
    ASSERT_EQ(results->count(), 1);
    EXPECT_FALSE(results->item(0)->flags() & Qt::ItemIsEnabled);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(shownFile(window), QStringLiteral("sessoes.html"));
}

TEST_F(HelpTest, SearchNeedsEveryWordAndRanksTitlesFirst)
{
    QHelpEngineCore engine(HelpWindow::programCollectionFile());
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData());
    const platform::HelpTopicSearch search(engine);
    EXPECT_GT(search.topicCount(), 20);

    const auto files = [](const QList<platform::HelpTopicHit>& hits) {
        QStringList names;
        for (const auto& hit : hits)
            names << QFileInfo(hit.url.path()).fileName();
        return names;
    };
    EXPECT_TRUE(search.find(QStringLiteral("   ")).isEmpty());
    EXPECT_EQ(files(search.find(QString::fromUtf8(u8"histórico"))).value(0), QStringLiteral("historico.html"));
    // "gbak" stands only in the backup topic, which also links to "Restaurar".
    EXPECT_TRUE(files(search.find(QStringLiteral("restaurar"))).contains(QStringLiteral("restaurar.html")));
    EXPECT_EQ(files(search.find(QStringLiteral("gbak restaurar"))), QStringList{QStringLiteral("backup.html")});

    const QRegularExpression pattern = platform::HelpTopicSearch::wordPattern(QStringLiteral("orientacao"));
    EXPECT_TRUE(pattern.match(QString::fromUtf8(u8"TIPO DE ORIENTAÇÃO")).hasMatch());
    EXPECT_FALSE(pattern.match(QStringLiteral("orientar")).hasMatch());
}

TEST_F(HelpTest, WebAndMailAddressesGoToTheShell)
{
    RecordingShell shell;
    HelpWindow* window = openedFor(0);
    ASSERT_NE(window, nullptr);
    QTextBrowser* browser = browserOf(window);
    browser->setSource(QUrl(QStringLiteral("mailto:suporte@orbesistemas.com.br")));
    browser->setSource(QUrl(QStringLiteral("https://www.example.com/")));
    EXPECT_EQ(shell.targets, QStringList({QStringLiteral("mailto:suporte@orbesistemas.com.br"),
                                          QStringLiteral("https://www.example.com/")}));
    EXPECT_EQ(shownFile(window), QStringLiteral("index.html"));
}

} // namespace
