#include "backup/pendingfile.h"

#include "backup/durablefiles.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

PendingFile::PendingFile(QString target) : m_target(std::move(target))
{
    // Created here, empty, so that no other file can take the name meanwhile.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name =
            m_target + u'.' + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp");
        QFile f(name);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_path = name;
            return;
        }
        if (!QFile::exists(name)) {   // not a name that was taken: the folder refuses
            m_error = f.errorString();
            return;
        }
    }
    m_error = QString::fromLocal8Bit(std::strerror(EEXIST));
}

PendingFile::~PendingFile()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

QString PendingFile::commit()
{
    QString error = durable::sync(m_path);
    if (error.isEmpty() && QFile::exists(m_target))
        QFile::setPermissions(m_path, QFile::permissions(m_target));
    if (error.isEmpty())
        error = durable::replace(m_path, m_target);
    if (!error.isEmpty())
        return error;
    m_path.clear();
    return {};
}
