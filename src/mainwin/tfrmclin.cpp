// The window's creation and closing, and the events it watches for the
// whole application: keys before the focused control, hints, the e-mail
// box's double click and the school box's click.

#include "mainwin/tfrmclin.h"

#include "controls/errorhandler.h"
#include "mainwin/handler.h"
#include "mainwin/pageanchors.h"
#include "platform/messages.h"
#include "platform/windowfont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

using mainwin::handler;

namespace {
constexpr int kClientWidth = 484;
constexpr int kClientHeight = 471;
constexpr int kMinimumOuterHeight = 459;
} // namespace

TfrmClin::TfrmClin(Tdm& dataModule, QWidget* parent) : QWidget(parent), dm(dataModule)
{
    setObjectName(QStringLiteral("frmClin"));
    setWindowTitle(QStringLiteral("Marvok"));
    setFont(platform::windowFont());
    setProperty(mainwin::kHelpContext, 10);
    m_anchors = new PageAnchors(this);

    const auto source = [this](ds::DataSet& data, const char* name) {
        auto* s = new ds::DataSource(&data, this);
        s->setObjectName(QString::fromLatin1(name));
        return s;
    };
    dsPaciente = source(dm.qryPaciente, "dsPaciente");
    dsPai = source(dm.qryPai, "dsPai");
    dsMae = source(dm.qryMae, "dsMae");
    dsIrmao = source(dm.qryIrmao, "dsIrmao");
    dsConsulta = source(dm.qryConsulta, "dsConsulta");
    dsBrinquedoNaConsulta = source(dm.qryBrinquedoNaConsulta, "dsBrinquedoNaConsulta");
    dsReavaliacao = source(dm.qryReavaliacao, "dsReavaliacao");
    dsIndicacao = source(dm.qryIndicacao, "dsIndicacao");
    dsOrientacao = source(dm.qryOrientacao, "dsOrientacao");
    dsHistorico = source(dm.qryHistorico, "dsHistorico");

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, handler([this] { Timer1Timer(); }));
    tmrObs = new QTimer(this);
    tmrObs->setObjectName(QStringLiteral("tmrObs"));
    tmrObs->setInterval(1000);
    tmrObs->setSingleShot(true);
    connect(tmrObs, &QTimer::timeout, this, handler([this] { tmrObsTimer(); }));

    CreateMenus();
    CreateCommandBar();
    CreateWorkPanel();
    CreateTabStrip();
    CreateGridMenu();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CoolBar1);
    layout->addWidget(pnlWork, 1);
    layout->addWidget(TabSet1);
    resize(kClientWidth, kClientHeight);

    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &TfrmClin::FocusChanged);
    FormCreate();
}

TfrmClin::~TfrmClin()
{
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    dm.PacienteAfterScrollCallBack = nullptr;
    dm.NoteLoaderStart = nullptr;
    dm.NoteLoaderStop = nullptr;
    controls::setErrorHandler({});
}

void TfrmClin::FormCreate()
{
    // The data module reaches the window's note loader, and every error no
    // other code handles reaches the window's error hook.
    dm.NoteLoaderStart = [this] { StartNoteLoader(); };
    dm.NoteLoaderStop = [this] { tmrObs->stop(); };
    controls::setErrorHandler([this](const EError& error) { ApplicationEvents1Exception(error); });

    try {
        dm.qryPaciente.open();
    } catch (const EError& error) {
        platform::showMessage(QStringLiteral(u"Erro na abertura do banco de dados:\r\r") + error.message());
    }
    for (int i = 0; i < TabSet1->count(); ++i)
        page(i)->setVisible(i == 0);
    m_visiblePage = 0;
    // Set after the first open, whose re-opening of the details needs no notice.
    dm.PacienteAfterScrollCallBack = [this] { PacienteAfterScroll(); };
    {
        const QSignalBlocker quiet(TabSet1);
        TabSet1->setCurrentIndex(0);
    }
    UpdateLookupHints();
    Timer1->start();
}

bool TfrmClin::SavePendingEdits()
{
    // The order in which the connection's closing saves them, each with the page that shows it.
    const std::pair<ds::DataSource*, int> sources[] = {
        {dsHistorico, 6},  {dsOrientacao, 5}, {dsIndicacao, 4}, {dsReavaliacao, 3}, {dsBrinquedoNaConsulta, 2},
        {dsConsulta, 2},   {dsIrmao, 1},      {dsMae, 1},       {dsPai, 1},         {dsPaciente, 0}};
    for (const auto& entry : sources) {
        ds::DataSource* source = entry.first;
        const int pageIndex = entry.second;
        const bool saved = controls::attempt([&] { PostPendingEdit(source); });
        if (saved && !source->dataSet()->isEditing())
            continue;
        // The user corrects or cancels the edit on its own page.
        if (m_visiblePage != pageIndex)
            TabSet1->setCurrentIndex(pageIndex);
        return false;
    }
    return true;
}

void TfrmClin::closeEvent(QCloseEvent* event)
{
    // A pending edit that cannot be saved keeps the window open instead of being lost.
    if (dm.ZConnection1.connected() && !SavePendingEdits()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    tmrObs->stop();
    try {
        dm.ZConnection1.disconnect();
    } catch (...) {
        // Nothing is left to save; a failing disconnection changes nothing for the user.
    }
    QWidget::closeEvent(event);
}

void TfrmClin::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    controls::attempt([this] { ShowPage(m_visiblePage); });
}

void TfrmClin::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The limit holds for the outer height, title bar and borders included.
    const int decoration = frameGeometry().height() - geometry().height();
    setMinimumHeight(std::max(0, kMinimumOuterHeight - std::max(0, decoration)));
}

bool TfrmClin::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (widget && widget->window() == this) {
            bool handled = false;
            controls::attempt([&] { FormKeyDown(static_cast<QKeyEvent*>(event), handled); });
            if (handled)
                return true;
        }
        break;
    case QEvent::ToolTip:
        ApplicationEvents1Hint();
        if (widget && widget->property("ShowHint") == QVariant(false))
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == dbEmail)
            controls::attempt([this] { dbEmailDblClick(); });
        break;
    case QEvent::MouseButtonPress:
        if (watched == DBLookupComboBox2)
            UpdateClippedHint(DBLookupComboBox2);
        break;
    case QEvent::Resize:
        if (watched == PageControl1)
            LayOutPages();
        else if (watched == pnlForm)
            UpdateClippedHint(DBLookupComboBox2);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
