#include "backup/databasefile.h"

#include <QFile>

namespace {

quint16 littleEndian16(const QByteArray& bytes, int at)
{
    return quint16(quint8(bytes[at]) | (quint8(bytes[at + 1]) << 8));
}

} // namespace

bool isDatabaseFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    if (header.size() < 20 || header[0] != 1)   // the header page
        return false;
    const quint16 pageSize = littleEndian16(header, 16);
    const quint16 structure = littleEndian16(header, 18);
    const bool knownPageSize = pageSize >= 1024 && pageSize <= 32768 && (pageSize & (pageSize - 1)) == 0;
    return knownPageSize && (structure & 0x8000) != 0;
}
