#pragma once
// A ZIP archive whose files are stored as they are, uncompressed, which every
// unzip tool reads: the record export puts its PDF and its JSON in one.

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QIODevice;

namespace reports {

class StoredZip {
public:
    // Writes to the device, which must be open for writing.
    explicit StoredZip(QIODevice& out);

    // Adds a file (its name in UTF-8, "/" between folders). Throws EError
    // when the device refuses the bytes or the file is too large for a ZIP
    // archive without its 64-bit extension.
    void add(const QString& name, const QByteArray& data, const QDateTime& modified);
    // Writes the archive's directory; nothing may be added afterwards.
    void finish();

private:
    struct Entry {
        QByteArray name;
        quint32 crc = 0;
        quint32 size = 0;
        quint32 offset = 0;
        quint16 time = 0;
        quint16 date = 0;
    };
    void write(const QByteArray& bytes);

    QIODevice& m_out;
    QList<Entry> m_entries;
    qint64 m_written = 0;
    bool m_finished = false;
};

} // namespace reports
