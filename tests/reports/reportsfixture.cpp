#include "reportsfixture.h"

#include "controls/torbdateedit.h"
#include "reportengine/exporter.h"
#include "reportengine/previewdialog.h"
#include "reports/tfrmperiodo.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QTimerEvent>
#include <QPushButton>
#include <QTest>

ModalQueue::ModalQueue(QList<std::function<void(QWidget*)>> actions, int timeoutMs) : m_actions(std::move(actions))
{
    m_timer = startTimer(10);
    m_deadline = startTimer(timeoutMs);
}

ModalQueue::~ModalQueue()
{
    killTimer(m_timer);
    killTimer(m_deadline);
    EXPECT_EQ(m_acted, m_actions.size()) << "modal windows answered";
}

void ModalQueue::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_deadline) {
        poll();
        return;
    }
    killTimer(m_timer);
    killTimer(m_deadline);
    for (int open = 0; open < 10; ++open) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ADD_FAILURE() << "a modal window was still open: " << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            // A dialog that checks its fields before closing is cancelled through its Cancel button.
            if (auto* period = qobject_cast<TfrmPeriodo*>(dialog))
                period->btnCancel->click();
            else
                dialog->reject();
        } else {
            modal->close();
        }
    }
}

void typeDate(TOrbDateEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    box->setCursorPosition(0);
    QTest::keyClicks(box, text);
}

void ModalQueue::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_last || m_acted >= m_actions.size())
        return;
    m_last = modal;
    modal->activateWindow();
    (void)QTest::qWaitForWindowActive(modal);
    m_actions[m_acted++](modal);
}

QString ReportsTest::runReport(const std::function<void()>& command, const QString& pdf,
                               const std::function<void(TfrmPeriodo*)>& period)
{
    QString title;
    QList<std::function<void(QWidget*)>> actions;
    if (period)
        actions << [&](QWidget* modal) {
            auto* dialog = qobject_cast<TfrmPeriodo*>(modal);
            ASSERT_NE(dialog, nullptr);
            period(dialog);
        };
    actions << [&](QWidget* modal) {
        auto* preview = qobject_cast<report::PreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        title = preview->windowTitle();
        report::Exporter::toPdf(preview->report(), pdf, title);
        // To look at the pages: MARVOK_KEEP_REPORTS=folder keeps a copy of every report shown.
        if (const QString keep = qEnvironmentVariable("MARVOK_KEEP_REPORTS"); !keep.isEmpty())
            QFile::copy(pdf, keep + u'/' + QFileInfo(pdf).fileName());
        preview->reject();
    };
    ModalQueue queue(actions);
    command();
    return title;
}

QString ReportsTest::runPeriodReport(const std::function<void()>& command, const QString& pdf, const QString& start,
                                     const QString& end)
{
    return runReport(command, pdf, [&](TfrmPeriodo* dialog) {
        typeDate(dialog->dtInicio, start);
        typeDate(dialog->dtFim, end);
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    });
}

bool ReportsTest::anyReportDataSetOpen()
{
    for (ds::SqlDataSet* d : {&dm.qryRelFicha, &dm.qryRelPais, &dm.qryRelIrmaos, &dm.qryRelSessao, &dm.qryRelSessaoDet,
                              &dm.qryRelReavaliacao, &dm.qryRelIndicacao, &dm.qryRelOrientacoes, &dm.qryRelHistorico,
                              &dm.qryRelSessoes})
        if (d->isActive())
            return true;
    return false;
}
