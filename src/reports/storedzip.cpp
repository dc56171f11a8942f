#include "reports/storedzip.h"

#include "core/eerror.h"

#include <QIODevice>
#include <QtEndian>
#include <limits>
#include <zlib.h>

namespace reports {

namespace {

constexpr quint32 kLocalHeader = 0x04034b50;
constexpr quint32 kCentralHeader = 0x02014b50;
constexpr quint32 kEndOfDirectory = 0x06054b50;
constexpr quint16 kVersion = 20;         // 2.0: folders, no 64-bit extension
constexpr quint16 kMadeOnUnix = 3 << 8;
constexpr quint16 kUtf8Names = 1 << 11;
constexpr quint32 kReadableFile = 0100644u << 16;
constexpr quint32 kMax32 = std::numeric_limits<quint32>::max();

// Little-endian fields, appended one after the other.
class Fields {
public:
    Fields& u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_bytes.append(b, 2);
        return *this;
    }
    Fields& u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_bytes.append(b, 4);
        return *this;
    }
    Fields& bytes(const QByteArray& v)
    {
        m_bytes.append(v);
        return *this;
    }
    const QByteArray& data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

[[noreturn]] void tooLarge() { throw EError(QStringLiteral(u"O arquivo é grande demais para um arquivo ZIP.")); }

} // namespace

StoredZip::StoredZip(QIODevice& out) : m_out(out) {}

void StoredZip::write(const QByteArray& bytes)
{
    if (m_out.write(bytes) != bytes.size())
        throw EError(QStringLiteral(u"Não foi possível gravar o arquivo: %1").arg(m_out.errorString()));
    m_written += bytes.size();
}

void StoredZip::add(const QString& name, const QByteArray& data, const QDateTime& modified)
{
    Entry entry;
    entry.name = name.toUtf8();
    if (quint64(data.size()) >= kMax32 || quint64(m_written) >= kMax32 || entry.name.size() > 0xffff ||
        m_entries.size() >= 0xffff)
        tooLarge();
    entry.size = quint32(data.size());
    entry.offset = quint32(m_written);
    entry.crc = quint32(crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.constData()),
                                size_t(data.size())));
    // MS-DOS time: two-second steps, years from 1980.
    const QDate d = modified.date();
    const QTime t = modified.time();
    entry.date = d.year() < 1980 ? quint16((1 << 5) | 1)
                                 : quint16(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
    entry.time = d.year() < 1980 ? 0 : quint16((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));

    Fields header;
    header.u32(kLocalHeader).u16(kVersion).u16(kUtf8Names).u16(0 /* stored */).u16(entry.time).u16(entry.date);
    header.u32(entry.crc).u32(entry.size).u32(entry.size).u16(quint16(entry.name.size())).u16(0).bytes(entry.name);
    write(header.data());
    write(data);
    m_entries << entry;
}

void StoredZip::finish()
{
    if (m_finished)
        return;
    if (quint64(m_written) >= kMax32)
        tooLarge();
    const auto directoryStart = quint32(m_written);
    for (const Entry& e : std::as_const(m_entries)) {
        Fields central;
        central.u32(kCentralHeader).u16(kMadeOnUnix | kVersion).u16(kVersion).u16(kUtf8Names).u16(0);
        central.u16(e.time).u16(e.date).u32(e.crc).u32(e.size).u32(e.size);
        central.u16(quint16(e.name.size())).u16(0).u16(0).u16(0).u16(0).u32(kReadableFile).u32(e.offset);
        central.bytes(e.name);
        write(central.data());
    }
    if (quint64(m_written) >= kMax32)
        tooLarge();
    const auto directorySize = quint32(m_written - directoryStart);
    const auto count = quint16(m_entries.size());
    Fields end;
    end.u32(kEndOfDirectory).u16(0).u16(0).u16(count).u16(count).u32(directorySize).u32(directoryStart).u16(0);
    write(end.data());
    m_finished = true;
}

} // namespace reports
