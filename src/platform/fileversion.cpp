#include "platform/fileversion.h"

#include "platform/versionrecord_p.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>

namespace platform {

namespace {

QByteArray marker()
{
    // Unmasked at run time: a marker spelled out here would make every
    // program that links this reader look as if it carried a record.
    volatile unsigned char mask = versionrecord::kMask;
    QByteArray text(versionrecord::kMarkerSize, Qt::Uninitialized);
    for (int i = 0; i < versionrecord::kMarkerSize; ++i)
        text[i] = char(versionrecord::kMaskedMarker[i] ^ mask);
    return text;
}

QString versionAt(QByteArrayView content, qsizetype start)
{
    if (start + 2 * versionrecord::kNumberCount > content.size())
        return {};
    QStringList parts;
    for (int i = 0; i < versionrecord::kNumberCount; ++i) {
        const auto low = quint8(content[start + 2 * i]);
        const auto high = quint8(content[start + 2 * i + 1]);
        parts << QString::number(low | (high << 8));
    }
    return parts.join(u'.');
}

} // namespace

QString fileVersionText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    QByteArray copy;
    const uchar* mapped = file.map(0, file.size());
    const QByteArrayView content = mapped ? QByteArrayView(mapped, file.size()) : QByteArrayView(copy = file.readAll());
    const qsizetype at = content.indexOf(marker());
    return at < 0 ? QString() : versionAt(content, at + versionrecord::kMarkerSize);
}

} // namespace platform
