#include "platform/helpwindow.h"

#include "icons/icons.h"
#include "platform/helpbrowser.h"
#include "platform/helptopicsearch.h"
#include "platform/paths.h"
#include "platform/windowfont.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpContentItem>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

namespace platform {

namespace {

const QString kTitle = QStringLiteral("Ajuda do Marvok");

QString contextId(int context) { return QStringLiteral("context-%1").arg(context); }

QUrl withoutFragment(const QUrl& url) { return url.adjusted(QUrl::RemoveFragment); }

QAction* addCommand(QToolBar* bar, const QString& name, const QString& icon, const QString& text,
                    const QKeySequence& key)
{
    QAction* action = bar->addAction(icons::get(icon), text);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setToolTip(key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    return action;
}

} // namespace

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kTitle);
    setWindowIcon(icons::get(QStringLiteral("help-contents")));
    // The help stays beside the main window; closing the main window still ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(windowFont(10));

    m_engine = new QHelpEngine(collectionFile, this);
    m_engine->setReadOnly(true);
    if (!QFileInfo::exists(collectionFile))
        m_error = QStringLiteral(u"O arquivo da Ajuda não foi encontrado:\r%1").arg(QDir::toNativeSeparators(collectionFile));
    else if (!m_engine->setupData())
        m_error = QStringLiteral(u"O arquivo da Ajuda não pôde ser lido:\r%1\r%2")
                      .arg(QDir::toNativeSeparators(collectionFile), m_engine->error());
    else if (topicUrl(0).isEmpty())
        m_error = QStringLiteral(u"O arquivo da Ajuda não tem tópicos:\r%1").arg(QDir::toNativeSeparators(collectionFile));
    m_valid = m_error.isEmpty();

    m_browser = new HelpBrowser(*m_engine, this);
    QFont text(QStringLiteral("Liberation Sans"), 10);
    text.setStyleHint(QFont::SansSerif);
    m_browser->setFont(text);
    m_browser->document()->setDocumentMargin(14);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    layout->addWidget(m_toolBar);

    auto* splitter = new QSplitter(this);
    splitter->setObjectName(QStringLiteral("HelpSplitter"));
    buildSidePanel();
    splitter->addWidget(m_side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 620});
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);

    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::topicShown);
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::programCollectionFile()
{
    return dataFile(QStringLiteral("help/Marvok.qhc"));
}

void HelpWindow::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("HelpToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(false);

    QAction* back = addCommand(m_toolBar, QStringLiteral("actBack"), QStringLiteral("go-previous"),
                               QStringLiteral("Voltar"), QKeySequence(Qt::ALT | Qt::Key_Left));
    QAction* forward = addCommand(m_toolBar, QStringLiteral("actForward"), QStringLiteral("go-next"),
                                  QStringLiteral(u"Avançar"), QKeySequence(Qt::ALT | Qt::Key_Right));
    QAction* contents = addCommand(m_toolBar, QStringLiteral("actContents"), QStringLiteral("go-home"),
                                   QStringLiteral(u"Conteúdo"), QKeySequence(Qt::ALT | Qt::Key_Home));
    m_toolBar->addSeparator();
    QAction* larger = addCommand(m_toolBar, QStringLiteral("actLarger"), QStringLiteral("format-font-size-more"),
                                 QStringLiteral("Letra maior"), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QAction* smaller = addCommand(m_toolBar, QStringLiteral("actSmaller"), QStringLiteral("format-font-size-less"),
                                  QStringLiteral("Letra menor"), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, [this] { showTopic(topicUrl(0)); });
    connect(larger, &QAction::triggered, m_browser, [this] { m_browser->zoomIn(1); });
    connect(smaller, &QAction::triggered, m_browser, [this] {
        if (m_browser->font().pointSize() > 7)
            m_browser->zoomOut(1);
    });
}

void HelpWindow::buildSidePanel()
{
    m_side = new QTabWidget(this);
    m_side->setObjectName(QStringLiteral("HelpSidePanel"));
    m_side->setDocumentMode(true);
    // Entries of the lists a little apart, easier to read and to click.
    m_side->setStyleSheet(QStringLiteral("QTreeView::item, QListView::item { padding: 2px 0px; }"));

    QHelpContentWidget* contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("HelpContents"));
    contents->setHeaderHidden(true);
    contents->setUniformRowHeights(true);
    m_side->addTab(contents, QStringLiteral(u"Conteúdo"));
    m_side->addTab(buildIndexPage(), QStringLiteral(u"Índice"));
    m_side->addTab(buildSearchPage(), QStringLiteral("Pesquisar"));

    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showTopic);
    // One click opens an entry, as in a web page.
    connect(contents, &QAbstractItemView::clicked, this, [this](const QModelIndex& entry) {
        if (const QHelpContentItem* item = m_engine->contentModel()->contentItemAt(entry))
            showTopic(item->url());
    });
    // The contents tree is built in the background after the collection is read.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        m_engine->contentWidget()->expandToDepth(0);
        topicShown(currentUrl());
    });
}

QWidget* HelpWindow::buildIndexPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    m_indexEdit = new QLineEdit(page);
    m_indexEdit->setObjectName(QStringLiteral("HelpIndexFilter"));
    m_indexEdit->setPlaceholderText(QStringLiteral("Digite o assunto"));
    m_indexEdit->setClearButtonEnabled(true);
    layout->addWidget(m_indexEdit);

    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("HelpIndex"));
    layout->addWidget(index, 1);

    connect(m_indexEdit, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(m_indexEdit, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QAbstractItemView::clicked, index, &QHelpIndexWidget::activateCurrentItem);
    // The index is built in the background: what was typed before it was there still filters it.
    connect(m_engine->indexModel(), &QHelpIndexModel::indexCreated, index, [this, index] {
        if (!m_indexEdit->text().isEmpty())
            index->filterIndices(m_indexEdit->text());
    });
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& document, const QString&) { showTopic(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& documents, const QString&) {
        if (!documents.isEmpty())
            showTopic(documents.first().url);
    });
    return page;
}

QWidget* HelpWindow::buildSearchPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    m_searchEdit = new QLineEdit(page);
    m_searchEdit->setObjectName(QStringLiteral("HelpSearchText"));
    m_searchEdit->setPlaceholderText(QStringLiteral("Palavras a procurar"));
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->addAction(icons::get(QStringLiteral("edit-find")), QLineEdit::LeadingPosition);
    layout->addWidget(m_searchEdit);

    auto* note = new QLabel(QStringLiteral(u"Acentos e maiúsculas não importam."), page);
    note->setObjectName(QStringLiteral("HelpSearchNote"));
    note->setEnabled(false);
    layout->addWidget(note);

    m_searchResults = new QListWidget(page);
    m_searchResults->setObjectName(QStringLiteral("HelpSearchResults"));
    layout->addWidget(m_searchResults, 1);

    connect(m_searchEdit, &QLineEdit::textChanged, this, &HelpWindow::searchTyped);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] {
        if (m_searchResults->count() > 0 && (m_searchResults->item(0)->flags() & Qt::ItemIsEnabled)) {
            m_searchResults->setCurrentRow(0);
            openSearchHit();
        }
    });
    connect(m_searchResults, &QListWidget::itemClicked, this, &HelpWindow::openSearchHit);
    connect(m_searchResults, &QListWidget::itemActivated, this, &HelpWindow::openSearchHit);
    return page;
}

QUrl HelpWindow::topicUrl(int context) const
{
    for (int id : {context, 0}) {
        const QList<QHelpLink> documents = m_engine->documentsForIdentifier(contextId(id));
        if (!documents.isEmpty())
            return documents.first().url;
    }
    return {};
}

void HelpWindow::showContext(int context)
{
    showTopic(topicUrl(context));
    placeOnScreen();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void HelpWindow::showTopic(const QUrl& url)
{
    if (url.isEmpty())
        return;
    if (url == m_browser->source())
        m_browser->scrollToAnchor(url.fragment());
    else
        m_browser->setSource(url);
}

QUrl HelpWindow::currentUrl() const { return m_browser->source(); }

void HelpWindow::topicShown(const QUrl& url)
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() || title == kTitle ? kTitle : QStringLiteral("%1 - %2").arg(kTitle, title));
    QHelpContentWidget* contents = m_engine->contentWidget();
    const QModelIndex entry = contents->indexOf(withoutFragment(url));
    if (entry.isValid()) {
        contents->setCurrentIndex(entry);
        contents->scrollTo(entry);
    }
}

void HelpWindow::searchTyped(const QString& text)
{
    if (!m_search)
        m_search = std::make_unique<HelpTopicSearch>(*m_engine);
    m_searchResults->clear();
    const QList<HelpTopicHit> hits = m_search->find(text);
    for (const HelpTopicHit& hit : hits) {
        auto* item = new QListWidgetItem(hit.title, m_searchResults);
        item->setData(Qt::UserRole, hit.url);
    }
    if (hits.isEmpty() && !text.trimmed().isEmpty()) {
        auto* none = new QListWidgetItem(QStringLiteral(u"Nenhum tópico encontrado."), m_searchResults);
        none->setFlags(Qt::NoItemFlags);
    }
}

void HelpWindow::openSearchHit()
{
    const QListWidgetItem* item = m_searchResults->currentItem();
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return;
    showTopic(item->data(Qt::UserRole).toUrl());
    // Point at the first place where the first word stands.
    const QStringList words = foldForSearch(m_searchEdit->text()).split(QRegularExpression(QStringLiteral("\\W+")),
                                                                        Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(HelpTopicSearch::wordPattern(words.first()));
    }
}

void HelpWindow::placeOnScreen()
{
    if (m_placed)
        return;
    m_placed = true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size(qMin(900, area.width() - 40), qMin(640, area.height() - 40));
    resize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace platform
