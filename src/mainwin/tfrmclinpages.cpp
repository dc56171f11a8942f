// Choosing a page: the tab strip and Ctrl+Tab, the steps that run when a
// page is shown and when the focus leaves it, and the navigator that
// follows the part of the page the user works in.

#include "mainwin/tfrmclin.h"

#include "controls/errorhandler.h"
#include "dataset/dberror.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

void TfrmClin::PostPendingEdit(ds::DataSource* source)
{
    ds::DataSet* data = source->dataSet();
    if (data && (data->isEditing() || data->state() == ds::DataSetState::SetKey))
        data->post();
}

void TfrmClin::PostEveryPendingEdit()
{
    for (ds::DataSource* source : {dsIrmao, dsMae, dsPai, dsPaciente, dsBrinquedoNaConsulta, dsConsulta, dsReavaliacao,
                                   dsIndicacao, dsOrientacao, dsHistorico})
        PostPendingEdit(source);
}

void TfrmClin::BindNavigator(ds::DataSource* source) { ActionList2->bind(source); }

void TfrmClin::FormKeyDown(QKeyEvent* event, bool& handled)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier) {
        TabSet1->setCurrentIndex((TabSet1->currentIndex() + 1) % TabSet1->count());
        handled = true;
    } else if (event->key() == Qt::Key_F1 && modifiers == Qt::NoModifier) {
        ShowHelpOfFocusedControl();
        handled = true;
    }
}

void TfrmClin::TabSet1Change(int newTab)
{
    if (m_changingPage || newTab < 0 || newTab == m_visiblePage)
        return;
    if (!controls::attempt([this, newTab] { ChangePage(newTab); })) {
        // The page in view could not be left: the tab strip shows it again.
        const QSignalBlocker quiet(TabSet1);
        TabSet1->setCurrentIndex(m_visiblePage);
    }
}

void TfrmClin::ChangePage(int newPage)
{
    const QScopedValueRollback changing(m_changingPage, true);
    // A pending history edit is saved here; when it cannot be, the page stays.
    dm.qryHistorico.close();

    // The page in view hands over the focus first, which runs its exit step.
    QWidget* focused = focusWidget();
    if (focused && pageOf(focused) == m_visiblePage) {
        const bool active = isActiveWindow();
        PageControl1->setFocus(Qt::OtherFocusReason);
        if (!active)
            controls::attempt([this] { ExitPage(m_visiblePage); });
        else if (pageOf(QApplication::focusWidget()) == m_visiblePage)
            throw ds::EAbort();   // a box kept the focus for a text it refused, and said so
    }
    for (int i = 0; i < TabSet1->count(); ++i) {
        if (i == newPage) {
            page(i)->setVisible(true);
            m_visiblePage = i;
            // An error here is shown and does not stop the change.
            controls::attempt([this, i] { ShowPage(i); });
        } else {
            page(i)->setVisible(false);
        }
    }
    StartNoteLoader();
    TabSet1->setProperty("HelpContext", 250 + 10 * newPage);
}

void TfrmClin::ShowPage(int index)
{
    switch (index) {
    case 0:
        BindNavigator(dsPaciente);
        DBEdit1->setFocus(Qt::OtherFocusReason);
        break;
    case 1:
        BindNavigator(dsPai);
        DataSetDelete2->setDataSource(dsIrmao);
        DataSetCancel2->setDataSource(dsIrmao);
        DBEdit6->setFocus(Qt::OtherFocusReason);
        break;
    case 2:
        BindNavigator(dsConsulta);
        DataSetDelete2->setDataSource(dsBrinquedoNaConsulta);
        DataSetCancel2->setDataSource(dsBrinquedoNaConsulta);
        DBEdit19->setFocus(Qt::OtherFocusReason);
        break;
    case 3:
        BindNavigator(dsReavaliacao);
        DBEdit21->setFocus(Qt::OtherFocusReason);
        break;
    case 4:
        BindNavigator(dsIndicacao);
        DBEdit22->setFocus(Qt::OtherFocusReason);
        break;
    case 5:
        if (cbxTipoOrientacao->count() == 0)
            FillGuidanceTypes();
        BindNavigator(dsOrientacao);
        if (m_chosenGuidanceType == 0)
            dm.qryOrientacao.close();
        cbxTipoOrientacao->setFocus(Qt::OtherFocusReason);
        break;
    case 6:
        BindNavigator(dsHistorico);
        dm.qryHistorico.paramByName(QStringLiteral("ID"))
            .setAsInteger(dm.qryPaciente.fieldByName(QStringLiteral("ID")).asInteger());
        dm.qryHistorico.open();
        DBGrid3->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

void TfrmClin::ExitPage(int index)
{
    // Saved in this order; a save that fails stops the ones after it.
    switch (index) {
    case 0: PostPendingEdit(dsPaciente); break;
    case 1:
        PostPendingEdit(dsIrmao);
        PostPendingEdit(dsMae);
        PostPendingEdit(dsPai);
        break;
    case 2:
        PostPendingEdit(dsBrinquedoNaConsulta);
        PostPendingEdit(dsConsulta);
        break;
    case 3: PostPendingEdit(dsReavaliacao); break;
    case 4: PostPendingEdit(dsIndicacao); break;
    case 5: PostPendingEdit(dsOrientacao); break;
    case 6: PostPendingEdit(dsHistorico); break;
    default: break;
    }
}

int TfrmClin::pageOf(const QWidget* widget) const
{
    for (; widget; widget = widget->parentWidget())
        for (int i = 0; i < TabSet1->count(); ++i)
            if (widget == page(i))
                return i;
    return -1;
}

void TfrmClin::FocusChanged(QWidget*, QWidget* now)
{
    // Another window or a popup taking the focus leaves no page.
    QWidget* current = QApplication::focusWidget();
    if (!current || current->window() != this)
        return;
    const int currentPage = pageOf(current);
    if (currentPage != m_focusPage) {
        const int left = m_focusPage;
        m_focusPage = currentPage;
        if (left >= 0)
            controls::attempt([this, left] { ExitPage(left); });
    }
    if (now == current)
        EnterControl(current);
}

void TfrmClin::EnterControl(QWidget* control)
{
    // The navigator follows only these controls (a grid's cell editor counts as its grid).
    for (QWidget* w = control; w && w != this; w = w->parentWidget())
        for (const auto& [entered, source] : m_enterSteps)
            if (w == entered) {
                BindNavigator(source);
                return;
            }
}
