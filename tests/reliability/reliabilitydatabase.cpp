#include "reliabilitydatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <stdexcept>

namespace {

// Runs gfix on the database; its output, or why it failed.
QString gfix(const TestDatabase& db, const QStringList& arguments, bool* ok)
{
    const fb::ConnectParams p = db.connectParams();
    QProcess gfix;
    gfix.setProcessChannelMode(QProcess::MergedChannels);
    gfix.start(QStringLiteral("gfix"),
               arguments + QStringList{QStringLiteral("-user"), p.user, QStringLiteral("-password"), p.password,
                                       db.location()});
    *ok = gfix.waitForFinished(120000) && gfix.exitStatus() == QProcess::NormalExit && gfix.exitCode() == 0;
    const QString output = QString::fromLocal8Bit(gfix.readAll()).trimmed();
    return *ok ? output : QStringLiteral("gfix failed (exit code %1): %2").arg(gfix.exitCode()).arg(output);
}

} // namespace

void setForcedWrites(const TestDatabase& db)
{
    bool ok = false;
    const QString output = gfix(db, {QStringLiteral("-write"), QStringLiteral("sync")}, &ok);
    if (!ok)
        throw std::runtime_error(output.toStdString());
}

QString validate(const TestDatabase& db)
{
    bool ok = false;
    return gfix(db, {QStringLiteral("-v"), QStringLiteral("-full")}, &ok);
}

void endOtherAttachments(const TestDatabase& db)
{
    db.exec(QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> current_connection "
                           "and MON$SYSTEM_FLAG = 0"));
}

QString driverProgram(const char* name)
{
    return QCoreApplication::applicationDirPath() + u'/' + QString::fromLatin1(name);
}
