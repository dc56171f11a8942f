#pragma once
// Drives the next modal dialog of a test: as soon as a modal widget is shown,
// runs the test's action on it once. A dialog still open when the time is up
// is closed and the test fails, so that no test hangs on a modal run.

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

class ModalDriver : public QObject {
    Q_OBJECT
public:
    explicit ModalDriver(std::function<void(QWidget*)> action, int timeoutMs = 10000);
    bool acted() const { return m_acted; }

private:
    void poll();
    void giveUp();

    std::function<void(QWidget*)> m_action;
    QTimer m_poll;
    QTimer m_deadline;
    bool m_acted = false;
};
