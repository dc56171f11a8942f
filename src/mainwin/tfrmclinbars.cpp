// The frame of the window: the command bar with its menus, the work panel
// with the page area and the navigator bar, the tab strip along the bottom
// edge, and the grids' menu.

#include "mainwin/tfrmclin.h"

#include "controls/lightgradient.h"
#include "controls/menubutton.h"
#include "icons/icons.h"
#include "mainwin/handler.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using mainwin::handler;

namespace {

constexpr int kPageCount = 7;
const QSize kPageSize(474, 333);

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, const char* icon = nullptr)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    if (icon)
        item->setIcon(icons::get(QString::fromLatin1(icon)));
    return item;
}

// A button keeps its design width unless its caption needs more in the font in use.
int buttonWidth(const QToolButton* button, int designWidth)
{
    const int caption = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&'));
    return std::max(designWidth, caption + 8);
}

QMenu* popupMenu(QWidget* owner, const char* name)
{
    auto* menu = new QMenu(owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void TfrmClin::CreateMenus()
{
    popTabelas = popupMenu(this, "popTabelas");
    erapeuta1 = menuItem(popTabelas, "erapeuta1", QStringLiteral("Terapeuta"), "table");
    Carter1 = menuItem(popTabelas, "Carter1", QStringLiteral(u"Caráter"), "table");
    Brinquedo1 = menuItem(popTabelas, "Brinquedo1", QStringLiteral("Brinquedo"), "table");
    ipoOrientao1 = menuItem(popTabelas, "ipoOrientao1", QStringLiteral(u"Tipo de Orientação"), "table");
    Escola1 = menuItem(popTabelas, "Escola1", QStringLiteral("Escola"), "table");
    Instruo1 = menuItem(popTabelas, "Instruo1", QStringLiteral(u"Instrução"), "table");
    connect(erapeuta1, &QAction::triggered, this,
            handler([this] { EditReferenceTable(QStringLiteral("Terapeuta"), dm.qryTerapeuta); }));
    connect(Carter1, &QAction::triggered, this,
            handler([this] { EditReferenceTable(QStringLiteral(u"Caráter"), dm.qryCarater); }));
    connect(Brinquedo1, &QAction::triggered, this,
            handler([this] { EditReferenceTable(QStringLiteral("Brinquedo"), dm.qryBrinquedo); }));
    connect(ipoOrientao1, &QAction::triggered, this,
            handler([this] { EditReferenceTable(QStringLiteral(u"Tipo de Orientação"), dm.qryTipoOrientacao); }));
    connect(Escola1, &QAction::triggered, this,
            handler([this] { EditReferenceTable(QStringLiteral("Escola"), dm.qryEscola); }));
    connect(Instruo1, &QAction::triggered, this,
            handler([this] { EditReferenceTable(QStringLiteral(u"Instrução"), dm.qryInstrucao); }));

    popRelat = popupMenu(this, "popRelat");
    Dadosgerais1 = menuItem(popRelat, "Dadosgerais1", QStringLiteral("Dados Gerais"), "document-print-preview");
    Sesso1 = menuItem(popRelat, "Sesso1", QStringLiteral(u"Sessão"), "document-print-preview");
    Reavaliaes1 = menuItem(popRelat, "Reavaliaes1", QStringLiteral(u"Reavaliações"), "document-print-preview");
    Indicaes1 = menuItem(popRelat, "Indicaes1", QStringLiteral(u"Indicações"), "document-print-preview");
    Orientaes1 = menuItem(popRelat, "Orientaes1", QStringLiteral(u"Orientações"), "document-print-preview");
    Histrico1 = menuItem(popRelat, "Histrico1", QStringLiteral(u"Histórico"), "document-print-preview");
    connect(Dadosgerais1, &QAction::triggered, this, handler([this] { Dadosgerais1Click(); }));
    connect(Sesso1, &QAction::triggered, this, handler([this] { Sesso1Click(); }));
    connect(Reavaliaes1, &QAction::triggered, this, handler([this] { Reavaliaes1Click(); }));
    connect(Indicaes1, &QAction::triggered, this, handler([this] { Indicaes1Click(); }));
    connect(Orientaes1, &QAction::triggered, this, handler([this] { Orientaes1Click(); }));
    connect(Histrico1, &QAction::triggered, this, handler([this] { Histrico1Click(); }));
    popRelat->addSeparator();
    Exportarprontuario1 =
        menuItem(popRelat, "Exportarprontuario1", QStringLiteral(u"Exportar prontuário"), "document-export");
    connect(Exportarprontuario1, &QAction::triggered, this, handler([this] { Exportarprontuario1Click(); }));
    Historicodealteracoes1 = menuItem(popRelat, "Historicodealteracoes1", QStringLiteral(u"Histórico de alterações..."),
                                      "view-history");
    connect(Historicodealteracoes1, &QAction::triggered, this, handler([this] { Historicodealteracoes1Click(); }));

    popTools = popupMenu(this, "popTools");
    CpiadeSegurana1 = popTools->addMenu(icons::get(QStringLiteral("backup")), QStringLiteral("Backup"));
    CpiadeSegurana1->setObjectName(QStringLiteral("CpiadeSegurana1"));
    Salvar1 = menuItem(CpiadeSegurana1, "Salvar1", QStringLiteral("Salvar..."), "document-save-as");
    Restaurar1 = menuItem(CpiadeSegurana1, "Restaurar1", QStringLiteral("Restaurar..."), "document-open");
    connect(Salvar1, &QAction::triggered, this, handler([this] { Salvar1Click(); }));
    connect(Restaurar1, &QAction::triggered, this, handler([this] { Restaurar1Click(); }));
    Dadosdoconsultorio1 =
        menuItem(popTools, "Dadosdoconsultorio1", QStringLiteral(u"Dados do consultório..."), "document-edit");
    connect(Dadosdoconsultorio1, &QAction::triggered, this, handler([this] { Dadosdoconsultorio1Click(); }));
    popTools->addSeparator()->setObjectName(QStringLiteral("N2"));
    AlterarSenha1 = menuItem(popTools, "AlterarSenha1", QStringLiteral("Alterar senha..."), "security-high");
    Usuarios1 = menuItem(popTools, "Usuarios1", QStringLiteral(u"Usuários..."), "system-users");
    connect(AlterarSenha1, &QAction::triggered, this, handler([this] { AlterarSenha1Click(); }));
    connect(Usuarios1, &QAction::triggered, this, handler([this] { Usuarios1Click(); }));
    // Backups, the practice's data and users are the administrators' work; a therapist sees only her own
    // password.
    const bool administrator = dm.account().isAdministrator();
    CpiadeSegurana1->menuAction()->setVisible(administrator);
    Dadosdoconsultorio1->setVisible(administrator);
    Usuarios1->setVisible(administrator);

    popHelp = popupMenu(this, "popHelp");
    Conteudo1 = menuItem(popHelp, "Conteudo1", QStringLiteral(u"Conteúdo"), "help-contents");
    Conteudo1->setToolTip(QStringLiteral(u"Conteúdo da Ajuda"));
    opicSearch1 = menuItem(popHelp, "opicSearch1", QStringLiteral("Contexto"), "help-contextual");
    popHelp->addSeparator()->setObjectName(QStringLiteral("N1"));
    Sobre1 = menuItem(popHelp, "Sobre1", QStringLiteral("Sobre"), "help-about");
    HomePage1 = menuItem(popHelp, "HomePage1", QStringLiteral("Home Page"), "go-home");
    connect(Conteudo1, &QAction::triggered, this, handler([this] { Conteudo1Click(); }));
    connect(opicSearch1, &QAction::triggered, this, handler([this] { opicSearch1Click(); }));
    connect(Sobre1, &QAction::triggered, this, handler([this] { Sobre1Click(); }));
    connect(HomePage1, &QAction::triggered, this, handler([this] { HomePage1Click(); }));
}

void TfrmClin::CreateCommandBar()
{
    CoolBar1 = new QFrame(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setFixedHeight(47);
    controls::setLightGradient(CoolBar1);
    ToolBar1 = new QToolBar(CoolBar1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(44);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    controls::setLightGradient(ToolBar1);
    auto* layout = new QHBoxLayout(CoolBar1);
    layout->setContentsMargins(0, 1, 0, 2);
    layout->addWidget(ToolBar1);

    const auto button = [this](const char* name, const QString& caption, const char* icon, QMenu* menu) {
        // A click on the face of a menu button drops the menu as its arrow
        // does, under the button's left edge; the arrow follows the caption.
        auto* menuButton = menu ? new controls::MenuButton(menu, ToolBar1) : nullptr;
        QToolButton* b = menuButton ? menuButton : new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setIcon(icons::get(QString::fromLatin1(icon)));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        const int width = menuButton ? std::max(74, menuButton->neededWidth()) : buttonWidth(b, 74);
        b->setFixedSize(width, 42);
        ToolBar1->addWidget(b);
        return b;
    };
    ToolButton2 = button("ToolButton2", QStringLiteral("Menu"), "application-menu", popTabelas);
    ToolButton12 = button("ToolButton12", QStringLiteral(u"Relatórios"), "office-report", popRelat);
    ToolButton14 = button("ToolButton14", QStringLiteral("&Ferramentas"), "tools", popTools);
    ToolButton13 = button("ToolButton13", QStringLiteral("A&juda"), "help-contents", popHelp);
    ToolButton13->setToolTip(QStringLiteral("Ajuda"));
    auto* separator = new QWidget(ToolBar1);
    separator->setObjectName(QStringLiteral("ToolButton3"));
    separator->setFixedWidth(8);
    ToolBar1->addWidget(separator);
    ToolButton1 = button("ToolButton1", QStringLiteral("Sai&r"), "application-exit", nullptr);
    ToolBar1->layout()->setSpacing(0);
    // The hint "Sair|Encerra a aplicação": the tooltip shows what stands before the bar.
    ToolButton1->setToolTip(QStringLiteral("Sair"));
    connect(ToolButton1, &QToolButton::clicked, this, &QWidget::close);
}

void TfrmClin::CreateWorkPanel()
{
    pnlWork = new QWidget(this);
    pnlWork->setObjectName(QStringLiteral("pnlWork"));
    PageControl1 = new QFrame(pnlWork);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    const char* names[kPageCount] = {"tsFicha",      "tsFamilia",     "tsSessoes",  "tsAvaliacoes",
                                     "tsIndicacoes", "tsOrientacoes", "tsHistorico"};
    QWidget** members[kPageCount] = {&tsFicha,      &tsFamilia,     &tsSessoes,  &tsAvaliacoes,
                                     &tsIndicacoes, &tsOrientacoes, &tsHistorico};
    for (int i = 0; i < kPageCount; ++i) {
        auto* p = new QWidget(PageControl1);
        p->setObjectName(QString::fromLatin1(names[i]));
        p->setProperty(mainwin::kHelpContext, 250 + 10 * i);
        p->resize(kPageSize);
        *members[i] = p;
    }
    CreateFicha();
    CreateFamilia();
    CreateSessoes();
    CreateReavaliacoes();
    CreateIndicacoes();
    CreateOrientacoes();
    CreateHistorico();
    CreateNavigator();

    auto* layout = new QVBoxLayout(pnlWork);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PageControl1, 1);
    auto* bar = new QHBoxLayout;
    // The navigator stands 4 pixels from the panel's sides, under the page area.
    bar->setContentsMargins(4, 12, 4, 11);
    bar->addWidget(ToolBar2);
    layout->addLayout(bar);
}

void TfrmClin::LayOutPages()
{
    // Every page, shown or not, fills the page area, 5 pixels inside its edges.
    const QRect area = PageControl1->rect().adjusted(5, 5, -5, -5);
    for (int i = 0; i < kPageCount; ++i)
        page(i)->setGeometry(area);
}

QWidget* TfrmClin::page(int index) const
{
    QWidget* const pages[kPageCount] = {tsFicha, tsFamilia, tsSessoes, tsAvaliacoes, tsIndicacoes, tsOrientacoes,
                                        tsHistorico};
    return index >= 0 && index < kPageCount ? pages[index] : nullptr;
}

void TfrmClin::CreateNavigator()
{
    ToolBar2 = new QToolBar(pnlWork);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setProperty(mainwin::kHelpContext, 120);
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar2->setMovable(false);
    controls::setLightGradient(ToolBar2);
    ActionList2 = new controls::RecordCommands(this);
    ActionList2->setObjectName(QStringLiteral("ActionList2"));
    controls::RecordCommand** commands[] = {&DataSetFirst1, &DataSetPrior1,  &DataSetNext1, &DataSetLast1,
                                            &DataSetInsert1, &DataSetDelete1, &DataSetPost1, &DataSetCancel1};
    const char* commandNames[] = {"DataSetFirst1",  "DataSetPrior1",  "DataSetNext1", "DataSetLast1",
                                  "DataSetInsert1", "DataSetDelete1", "DataSetPost1", "DataSetCancel1"};
    QToolButton** buttons[] = {&ToolButton4, &ToolButton5, &ToolButton6,  &ToolButton7,
                               &ToolButton8, &ToolButton9, &ToolButton10, &ToolButton11};
    for (int i = 0; i < 8; ++i) {
        controls::RecordCommand* command = ActionList2->commands()[i];
        command->setObjectName(QString::fromLatin1(commandNames[i]));
        *commands[i] = command;
        ToolBar2->addAction(command);
        auto* b = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(command));
        b->setObjectName(QStringLiteral("ToolButton%1").arg(i + 4));
        b->setFixedSize(buttonWidth(b, 49), 36);
        b->setFocusPolicy(Qt::NoFocus);
        *buttons[i] = b;
    }
    ToolBar2->setFixedHeight(37);
    // After saving or cancelling, the note of the record in view is loaded again.
    connect(DataSetPost1, &controls::RecordCommand::executed, this, [this] { StartNoteLoader(); });
    connect(DataSetCancel1, &controls::RecordCommand::executed, this, [this] { StartNoteLoader(); });
    BindNavigator(dsPaciente);
}

void TfrmClin::CreateTabStrip()
{
    TabSet1 = new QTabBar(this);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    TabSet1->setShape(QTabBar::RoundedSouth);
    TabSet1->setExpanding(false);
    TabSet1->setDrawBase(false);
    TabSet1->setFocusPolicy(Qt::NoFocus);
    TabSet1->setFixedHeight(21);
    TabSet1->setToolTip(QStringLiteral("Próxima aba = Ctrl+TAB"));
    TabSet1->setProperty(mainwin::kHelpContext, 250);
    for (const char16_t* caption : {u"Ficha", u"Família", u"Sessões", u"Reavaliações", u"Indicações",
                                    u"Orientações", u"Histórico"})
        TabSet1->addTab(QString::fromUtf16(caption));
    connect(TabSet1, &QTabBar::currentChanged, this, &TfrmClin::TabSet1Change);
}

void TfrmClin::CreateGridMenu()
{
    popupGrid = popupMenu(this, "popupGrid");
    ActionList3 = new controls::RecordCommands({controls::RecordAction::Append, controls::RecordAction::Delete,
                                                controls::RecordAction::Post, controls::RecordAction::Cancel},
                                               this);
    ActionList3->setObjectName(QStringLiteral("ActionList3"));
    controls::RecordCommand** commands[] = {&DataSetInsert2, &DataSetDelete2, &DataSetPost2, &DataSetCancel2};
    const char* names[] = {"DataSetInsert2", "DataSetDelete2", "DataSetPost2", "DataSetCancel2"};
    for (int i = 0; i < 4; ++i) {
        *commands[i] = ActionList3->commands()[i];
        (*commands[i])->setObjectName(QString::fromLatin1(names[i]));
        popupGrid->addAction(*commands[i]);
    }
    ActionList3->bind(dsBrinquedoNaConsulta);
    connect(DataSetInsert2, &controls::RecordCommand::executed, this, [this] { StartNoteLoader(); });
    for (controls::DataGrid* grid : {DBGrid1, DBGrid2, DBGrid3})
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, grid](const QPoint& at) { ShowGridMenu(grid, at); });
}

void TfrmClin::ShowGridMenu(controls::DataGrid* grid, const QPoint& at)
{
    // The menu acts on the list of the grid it was opened on.
    ActionList3->bind(grid->dataSource());
    popupGrid->popup(grid->viewport()->mapToGlobal(at));
}
