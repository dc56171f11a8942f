#pragma once
// The application object of Marvok: an error that reaches the event loop
// unhandled goes to the program's error hook, which shows it in one box, and
// the program goes on.

#include <QApplication>

class MarvokApplication : public QApplication {
    Q_OBJECT
public:
    MarvokApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
