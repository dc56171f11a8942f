#pragma once
// The program's main window: one patient at a time on seven pages chosen
// from a tab strip along the bottom edge, a command bar with the reference
// tables, reports, backup and help, and a navigator bar that follows the
// part of the page the user works in. It binds its controls to the data
// module's data sets, saves pending edits when the user leaves a page, loads
// long notes a second after the user stops on one, and installs the
// program's hint and error hooks.

#include "controls/datagrid.h"
#include "controls/errorhandler.h"
#include "controls/fieldcombobox.h"
#include "controls/fieldedit.h"
#include "controls/fieldlabel.h"
#include "controls/fieldmemo.h"
#include "controls/linklabel.h"
#include "controls/lookupcombobox.h"
#include "controls/recordcommands.h"
#include "dataset/datasource.h"
#include "store/tdm.h"

#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QMenu>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

class QScrollArea;

class PageAnchors;
class PageBuilder;

class TfrmClin : public QWidget {
    Q_OBJECT
public:
    explicit TfrmClin(Tdm& dataModule, QWidget* parent = nullptr);
    ~TfrmClin() override;

    // --- operations that other parts of the program call
    // Posts the data source's data set when it is being edited or inserted.
    void PostPendingEdit(ds::DataSource* source);
    // Posts every pending edit of the patient's record, details first.
    void PostEveryPendingEdit();
    // Points the eight navigator commands at the data source.
    void BindNavigator(ds::DataSource* source);
    // The box's hint becomes the text it shows, shown only when that text does not fit.
    void UpdateClippedHint(QComboBox* box);
    // Called by the data module after the current patient changed.
    void PacienteAfterScroll();
    // Whole 365-day years and 30-day months from start to end; an invalid date counts as day 0.
    static QString CalcIdade(const QDate& start, const QDate& end);

    // --- the application-wide hooks
    // Turns the hints of the five date boxes into age texts.
    void ApplicationEvents1Hint();
    // Shows an error that no other code handled, three framework messages in Portuguese.
    void ApplicationEvents1Exception(const EError& error);
    // The text the error hook shows for an error.
    static QString ErrorText(const EError& error);

    // The index of the one visible page (0 "Ficha" ... 6 "Histórico").
    int visiblePage() const { return m_visiblePage; }
    // The help context of a control: its own, else its nearest container's.
    static int helpContext(const QWidget* widget);
    // Whether the school box's hint is shown when the pointer rests on it.
    bool schoolHintShown() const { return DBLookupComboBox2->property("ShowHint").toBool(); }
    // The ID of the chosen guidance type; 0 while none is.
    int chosenGuidanceType() const { return m_chosenGuidanceType; }
    // The point size of a note box's font.
    static int noteFontSize(const controls::FieldMemo* memo);

    Tdm& dm;

    // --- data sources
    ds::DataSource* dsPaciente;
    ds::DataSource* dsPai;
    ds::DataSource* dsMae;
    ds::DataSource* dsIrmao;
    ds::DataSource* dsConsulta;
    ds::DataSource* dsBrinquedoNaConsulta;
    ds::DataSource* dsReavaliacao;
    ds::DataSource* dsIndicacao;
    ds::DataSource* dsOrientacao;
    ds::DataSource* dsHistorico;

    // --- command bar
    QFrame* CoolBar1;
    QToolBar* ToolBar1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton12;
    QToolButton* ToolButton14;
    QToolButton* ToolButton13;
    QToolButton* ToolButton1;
    QMenu* popTabelas;
    QAction* erapeuta1;
    QAction* Carter1;
    QAction* Brinquedo1;
    QAction* ipoOrientao1;
    QAction* Escola1;
    QAction* Instruo1;
    QMenu* popRelat;
    QAction* Dadosgerais1;
    QAction* Sesso1;
    QAction* Reavaliaes1;
    QAction* Indicaes1;
    QAction* Orientaes1;
    QAction* Histrico1;
    QAction* Exportarprontuario1;
    QAction* Historicodealteracoes1;
    QMenu* popTools;
    QMenu* CpiadeSegurana1;
    QAction* Salvar1;
    QAction* Restaurar1;
    QAction* Dadosdoconsultorio1;
    QAction* AlterarSenha1;
    QAction* Usuarios1;
    QMenu* popHelp;
    QAction* Conteudo1;
    QAction* opicSearch1;
    QAction* Sobre1;
    QAction* HomePage1;

    // --- work panel, navigator, tab strip
    QWidget* pnlWork;
    QFrame* PageControl1;
    QWidget* tsFicha;
    QWidget* tsFamilia;
    QWidget* tsSessoes;
    QWidget* tsAvaliacoes;
    QWidget* tsIndicacoes;
    QWidget* tsOrientacoes;
    QWidget* tsHistorico;
    QToolBar* ToolBar2;
    controls::RecordCommands* ActionList2;
    controls::RecordCommand* DataSetFirst1;
    controls::RecordCommand* DataSetPrior1;
    controls::RecordCommand* DataSetNext1;
    controls::RecordCommand* DataSetLast1;
    controls::RecordCommand* DataSetInsert1;
    controls::RecordCommand* DataSetDelete1;
    controls::RecordCommand* DataSetPost1;
    controls::RecordCommand* DataSetCancel1;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton6;
    QToolButton* ToolButton7;
    QToolButton* ToolButton8;
    QToolButton* ToolButton9;
    QToolButton* ToolButton10;
    QToolButton* ToolButton11;
    QTabBar* TabSet1;

    // --- grid menu
    QMenu* popupGrid;
    controls::RecordCommands* ActionList3;
    controls::RecordCommand* DataSetInsert2;
    controls::RecordCommand* DataSetDelete2;
    controls::RecordCommand* DataSetPost2;
    controls::RecordCommand* DataSetCancel2;

    // --- timers: the focus poller and the one-shot note loader
    QTimer* Timer1;
    QTimer* tmrObs;

    // --- page 0, "Ficha"
    QScrollArea* sbxFicha;
    QWidget* pnlForm;
    controls::FieldEdit* DBEdit1;
    controls::FieldComboBox* DBComboBox1;
    QToolButton* btnLocalizarFicha;
    QToolButton* SpeedButton4;
    QToolButton* btnHistoricoAlteracoes;
    controls::FieldEdit* DBEdit2;
    controls::FieldEdit* dbEmail;
    controls::FieldEdit* DBEdit3;
    controls::FieldEdit* DBEdit4;
    controls::FieldEdit* DBEdit5;
    controls::FieldEdit* DBEdit7;
    controls::FieldEdit* DBEdit8;
    controls::FieldEdit* DBEdit25;
    controls::FieldEdit* DBEdit9;
    controls::FieldEdit* DBEdit10;
    controls::FieldEdit* DBEdit11;
    controls::FieldEdit* DBEdit12;
    controls::LinkLabel* lblInstrucao;
    controls::LookupComboBox* DBLookupComboBox1;
    controls::LinkLabel* lblEscola;
    controls::LookupComboBox* DBLookupComboBox2;
    controls::LinkLabel* lblTerapeuta;
    controls::LookupComboBox* DBLookupComboBox3;
    controls::LinkLabel* lblCarater;
    controls::LookupComboBox* DBLookupComboBox4;
    controls::FieldEdit* DBEdit17;

    // --- page 1, "Família"
    controls::FieldEdit* DBEdit6;
    controls::FieldEdit* DBEdit14;
    controls::FieldEdit* DBEdit13;
    controls::LinkLabel* Label16;
    controls::LookupComboBox* DBLookupComboBox5;
    controls::FieldEdit* DBEdit26;
    controls::FieldEdit* DBEdit27;
    controls::FieldEdit* DBEdit28;
    controls::FieldEdit* DBEdit15;
    controls::FieldEdit* DBEdit18;
    controls::FieldEdit* DBEdit16;
    controls::LinkLabel* Label21;
    controls::LookupComboBox* DBLookupComboBox6;
    controls::FieldEdit* DBEdit29;
    controls::FieldEdit* DBEdit30;
    controls::FieldEdit* DBEdit31;
    controls::DataGrid* DBGrid1;

    // --- page 2, "Sessões"
    controls::FieldEdit* DBEdit19;
    QToolButton* SpeedButton1;
    controls::FieldEdit* DBEdit20;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton10;
    QToolButton* SpeedButton11;
    controls::LinkLabel* lblBrinquedos;
    controls::DataGrid* DBGrid2;
    controls::FieldMemo* mmoConsulta;

    // --- page 3, "Reavaliações"
    controls::FieldEdit* DBEdit21;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton16;
    QToolButton* SpeedButton17;
    controls::FieldMemo* mmoReavaliacao;

    // --- page 4, "Indicações"
    controls::FieldEdit* DBEdit22;
    QToolButton* SpeedButton3;
    controls::FieldEdit* DBEdit23;
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton12;
    QToolButton* SpeedButton13;
    controls::FieldMemo* mmoIndicacoes;

    // --- page 5, "Orientações"
    controls::LinkLabel* lblTipoOrientacao;
    QComboBox* cbxTipoOrientacao;
    controls::FieldEdit* DBEdit24;
    QToolButton* btnLocalizarOrientacao;
    QToolButton* SpeedButton8;
    QToolButton* SpeedButton14;
    QToolButton* SpeedButton15;
    controls::FieldMemo* mmoOrientacao;

    // --- page 6, "Histórico"
    QToolButton* SpeedButton9;
    controls::DataGrid* DBGrid3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // --- building the window (one file per part)
    void CreateCommandBar();
    void CreateMenus();
    void CreateWorkPanel();
    void CreateNavigator();
    void CreateTabStrip();
    void CreateFicha();
    void CreateFamilia();
    void CreateSessoes();
    void CreateReavaliacoes();
    void CreateIndicacoes();
    void CreateOrientacoes();
    void CreateHistorico();
    void CreateGridMenu();
    QWidget* page(int index) const;
    void LayOutPages();

    // --- creation and closing
    void FormCreate();
    // Saves every pending edit before the connection closes; false (with the
    // error shown and its record's page in view) when one cannot be saved.
    bool SavePendingEdits();

    // --- pages
    void FormKeyDown(QKeyEvent* event, bool& handled);
    void TabSet1Change(int newTab);
    void ChangePage(int newPage);
    void ShowPage(int index);
    void ExitPage(int index);
    void EnterControl(QWidget* control);
    void FocusChanged(QWidget* old, QWidget* now);
    int pageOf(const QWidget* widget) const;
    void ShowGridMenu(controls::DataGrid* grid, const QPoint& at);

    // --- timers, notes, guidance types, e-mail
    void Timer1Timer();
    void tmrObsTimer();
    void StartNoteLoader();
    void ChangeNoteFont(controls::FieldMemo* memo, int step);
    // The "Aumentar Fonte" button of a note box at (x, y) and "Diminuir Fonte" beside it.
    void CreateFontButtons(PageBuilder& b, controls::FieldMemo* memo, QPoint at, const char* moreName,
                           QToolButton*& more, const char* lessName, QToolButton*& less);
    void FillGuidanceTypes();
    void cbxTipoOrientacaoChange(int item);
    void dbEmailDblClick();

    // --- hints
    void UpdateLookupHints();

    // --- reference tables
    void EditReferenceTable(const QString& caption, ds::DataSet& dataSet);
    void lblInstrucaoClick(controls::LinkLabel* label);
    void Label21Click(controls::LinkLabel* label);

    // --- reports: each posts what it prints, then runs its report
    void Dadosgerais1Click();
    void Sesso1Click();
    void Reavaliaes1Click();
    void Indicaes1Click();
    void Orientaes1Click();
    void Histrico1Click();
    // The whole record of the current patient into a ZIP file the user names.
    void Exportarprontuario1Click();

    // --- searches
    void btnLocalizarClick();
    void SearchByDate(ds::Field& dateField);
    void btnLocalizarSessaoClick();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void btnLocalizarOrientacaoClick();

    // --- backup and restore
    void Salvar1Click();
    void Restaurar1Click();

    // --- the practice's data on every report (tfrmclinpractice.cpp)
    void Dadosdoconsultorio1Click();
    // --- the current patient's change history (tfrmclinhistory.cpp)
    void Historicodealteracoes1Click();
    // --- the user's password and the users (administrators)
    void AlterarSenha1Click();
    void Usuarios1Click();

    // --- help and information
    void Conteudo1Click();
    void opicSearch1Click();
    void HomePage1Click();
    void Sobre1Click();
    void ShowHelpOfFocusedControl();

    PageAnchors* m_anchors = nullptr;
    int m_visiblePage = 0;
    int m_focusPage = -1;        // the page that holds the focus, as last seen
    bool m_shownOnce = false;
    int m_chosenGuidanceType = 0;
    bool m_changingPage = false;
    QList<QPair<QWidget*, ds::DataSource*>> m_enterSteps;
};
