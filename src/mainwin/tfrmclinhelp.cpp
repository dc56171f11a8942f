// Help, the home page and the about box.

#include "mainwin/tfrmclin.h"

#include "dialogs/tfrmsobre.h"
#include "mainwin/handler.h"
#include "platform/help.h"
#include "platform/shell.h"

#include <QApplication>

namespace {
const QString kHomePage = QStringLiteral("https://www.marvok.com.br");
} // namespace

int TfrmClin::helpContext(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property(mainwin::kHelpContext);
        if (context.isValid())
            return context.toInt();
    }
    return 0;
}

void TfrmClin::Conteudo1Click() { platform::Help::instance().showContext(0); }

void TfrmClin::opicSearch1Click() { platform::Help::instance().showContext(250 + 10 * m_visiblePage); }

void TfrmClin::ShowHelpOfFocusedControl()
{
    const QWidget* focused = QApplication::focusWidget();
    platform::Help::instance().showContext(helpContext(focused && focused->window() == this ? focused : this));
}

void TfrmClin::HomePage1Click() { platform::Shell::instance().openUrl(kHomePage); }

void TfrmClin::Sobre1Click()
{
    TfrmSobre box;
    box.ShowModal();
}
