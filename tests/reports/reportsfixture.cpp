#include "reportsfixture.h"

#include "controls/torbdateedit.h"
#include "reportengine/exporter.h"
#include "reportengine/previewdialog.h"
#include "reports/tfrmperiodo.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

ModalQueue::ModalQueue(QList<std::function<void(QWidget*)>> actions) : m_actions(std::move(actions))
{
    m_timer = startTimer(10);
}

ModalQueue::~ModalQueue()
{
    killTimer(m_timer);
    EXPECT_EQ(m_acted, m_actions.size()) << "modal windows answered";
}

void ModalQueue::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_last || m_acted >= m_actions.size())
        return;
    m_last = modal;
    modal->activateWindow();
    QTest::qWaitForWindowActive(modal);
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
        for (auto [box, text] : {std::pair{dialog->dtInicio, start}, std::pair{dialog->dtFim, end}}) {
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            box->setCursorPosition(0);
            QTest::keyClicks(box, text);
        }
        QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    });
}
