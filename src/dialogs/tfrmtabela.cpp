#include "dialogs/tfrmtabela.h"

#include "controls/errorhandler.h"
#include "controls/lightgradient.h"
#include "platform/messages.h"
#include "platform/windowfont.h"

#include <QApplication>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfrmTabela::TfrmTabela(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral(u"Tabela"));
    setFont(platform::windowFont());
    resize(456, 214);
    setSizeGripEnabled(false);

    DataSource1 = new ds::DataSource(nullptr, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    DBGrid1 = new controls::DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setRowIndicator(false);
    DBGrid1->setGridLines(false);
    DBGrid1->setDataSource(DataSource1);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    controls::setLightGradient(ToolBar1);

    commands = new controls::RecordCommands(this);
    commands->bind(DataSource1);
    QToolButton** buttons[] = {&ToolButton1, &ToolButton2, &ToolButton3, &ToolButton4,
                               &ToolButton5, &ToolButton6, &ToolButton7, &ToolButton8};
    for (int i = 0; i < 8; ++i) {
        QAction* command = commands->commands()[i];
        ToolBar1->addAction(command);
        auto* button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(command));
        button->setObjectName(QStringLiteral("ToolButton%1").arg(i + 1));
        button->setFixedSize(49, 36);
        *buttons[i] = button;
    }
    // Set once the buttons are in: the tool bar's layout sets its own minimum.
    ToolBar1->setFixedHeight(37);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(0);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(ToolBar1);
}

void TfrmTabela::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred over the main window, which is the active window when the editor opens.
    const QWidget* over = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    const QRect area = over && over != this ? over->frameGeometry() : screen()->availableGeometry();
    move(area.center() - rect().center());
}

bool TfrmTabela::FormCloseQuery()
{
    ds::DataSet* data = DataSource1->dataSet();
    if (!data || !data->isEditing())
        return true;
    platform::MessageRequest question;
    question.type = platform::MsgType::Confirmation;
    question.text = QStringLiteral(u"Salvar alterações?");
    question.buttons = {platform::MsgButton::Yes, platform::MsgButton::No, platform::MsgButton::Cancel};
    question.defaultButton = platform::MsgButton::Cancel;
    try {
        switch (platform::MessageService::instance().show(question)) {
        case platform::MsgButton::Yes: data->post(); return true;
        case platform::MsgButton::No: data->cancel(); return true;
        default: return false;
        }
    } catch (const EError& error) {
        controls::handleError(error);
        return false;
    }
}

void TfrmTabela::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}
