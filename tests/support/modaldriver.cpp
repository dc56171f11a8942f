#include "support/modaldriver.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

ModalDriver::ModalDriver(std::function<void(QWidget*)> action, int timeoutMs) : m_action(std::move(action))
{
    connect(&m_poll, &QTimer::timeout, this, &ModalDriver::poll);
    connect(&m_deadline, &QTimer::timeout, this, &ModalDriver::giveUp);
    m_poll.start(10);
    m_deadline.setSingleShot(true);
    m_deadline.start(timeoutMs);
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    m_poll.stop();
    m_acted = true;
    // Focus moves (and so the checks that run on leaving a field) happen
    // only in the active window.
    modal->activateWindow();
    QTest::qWaitForWindowActive(modal);
    m_action(modal);
}

void ModalDriver::giveUp()
{
    m_poll.stop();
    for (int open = 0; open < 10; ++open) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ADD_FAILURE() << "a modal dialog was still open: " << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}
