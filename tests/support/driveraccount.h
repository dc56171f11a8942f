#pragma once
// The account a driver program logs in with: the test writes it to the
// driver's standard input, never on its command line or in its environment.

#include "store/account.h"

#include <QProcess>
#include <QTextStream>

inline void startDriver(QProcess& driver, const QString& program, const QStringList& arguments,
                        const store::Account& account)
{
    driver.start(program, arguments);
    driver.waitForStarted();
    driver.write((account.user + u'\n' + account.password + u'\n' + account.role + u'\n').toUtf8());
    // Written now: the test may wait for another driver before it reads this one's output.
    driver.waitForBytesWritten();
    driver.closeWriteChannel();
}

inline store::Account driverAccount()
{
    QTextStream in(stdin);
    store::Account account;
    account.user = in.readLine();
    account.password = in.readLine();
    account.role = in.readLine();
    return account;
}
