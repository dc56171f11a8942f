#include "backup/aside.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <exception>
#include <memory>

void runAside(const std::function<void(const LineReport& report)>& work, const LineReport& onLine)
{
    QObject here;   // lines are delivered to this thread through it
    QEventLoop loop;
    std::exception_ptr error;
    const LineReport report = [&here, &onLine](const QString& line) {
        if (onLine)
            QMetaObject::invokeMethod(&here, [&onLine, line] { onLine(line); }, Qt::QueuedConnection);
    };
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(report);
        } catch (...) {
            error = std::current_exception();
        }
    }));
    // Queued behind every line the work reported.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
    QCoreApplication::sendPostedEvents(&here, QEvent::MetaCall);
    if (error)
        std::rethrow_exception(error);
}
