#include "fb/statement.h"
#include "fb/connection.h"
#include "fb/fbapi_p.h"
#include "fb/sqlparams.h"
#include "fb/transaction.h"

#include "core/timeofday.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <optional>

using namespace Firebird;
using fb::detail::kCharsetOctets;
using fb::detail::kCharsetUtf8;
using fb::detail::MetadataPtr;

namespace fb {

namespace {

constexpr qint64 kJulianOfMjdZero = 2400001;   // ISC_DATE counts days from 17/11/1858
constexpr int kFractionsPerMs = 10;            // ISC_TIME counts 1/10000 s

ISC_DATE encodeDate(const QDate& d) { return ISC_DATE(d.toJulianDay() - kJulianOfMjdZero); }
QDate decodeDate(ISC_DATE v) { return QDate::fromJulianDay(qint64(v) + kJulianOfMjdZero); }
ISC_TIME encodeTime(const QTime& t) { return ISC_TIME(t.msecsSinceStartOfDay()) * kFractionsPerMs; }
QTime decodeTime(ISC_TIME v) { return QTime::fromMSecsSinceStartOfDay(int(v / kFractionsPerMs)); }

bool isTimeOfDay(const QVariant& v) { return v.metaType() == QMetaType::fromType<TimeOfDay>(); }

// NULL, and also a date or time that holds none: there is no day number
// to send for it.
bool isNullValue(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QDate: return !v.toDate().isValid();
    case QMetaType::QTime: return !v.toTime().isValid();
    case QMetaType::QDateTime: return !v.toDateTime().isValid();
    default: return isTimeOfDay(v) && !v.value<TimeOfDay>().isValid();
    }
}

ColumnType columnType(unsigned sqlType, int subType, int scale)
{
    switch (sqlType & ~1u) {
    case SQL_SHORT:
    case SQL_LONG:
        return scale ? ColumnType::Double : ColumnType::Integer;
    case SQL_INT64:
        return scale ? ColumnType::Double : ColumnType::BigInt;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnType::Double;
    case SQL_TEXT:
    case SQL_VARYING:
        return ColumnType::Text;
    case SQL_TYPE_DATE:
        return ColumnType::Date;
    case SQL_TYPE_TIME:
        return ColumnType::Time;
    case SQL_TIMESTAMP:
        return ColumnType::Timestamp;
    case SQL_BLOB:
        return subType == 1 ? ColumnType::TextBlob : ColumnType::Blob;
    case SQL_BOOLEAN:
        return ColumnType::Boolean;
    default:
        return ColumnType::Other;
    }
}

// Message buffers are unaligned byte arrays.
template <typename T>
T load(const unsigned char* data)
{
    T x;
    std::memcpy(&x, data, sizeof x);
    return x;
}

template <typename T>
void store(unsigned char* data, const T& x)
{
    std::memcpy(data, &x, sizeof x);
}

double scaled(qint64 v, int scale)
{
    double d = double(v);
    for (int i = 0; i < -scale; ++i)
        d /= 10.0;
    return d;
}

// Where a column lies in the output message, read once at prepare.
struct Slot {
    unsigned offset = 0;
    unsigned nullOffset = 0;
    unsigned type = 0;      // without the nullable bit
    unsigned length = 0;    // bytes
    bool utf8 = false;
    int inlineText = -1;    // a text blob's copy in the row (its place), when the server sends one
    int textLength = -1;    // and the place of the text's length in bytes
    int textColumn = -1;    // which of the statement's texts in rows it is
    // The column's last text and the bytes it came from: a row that repeats
    // it (a state, a city, a status) shares it instead of decoding it again.
    // A column whose first rows all differ (names, addresses) stops looking.
    std::vector<char> lastBytes;
    QVariant lastText;
    int repeats = 0;
    int changes = 0;
};

constexpr int kTrialRows = 32;

// The text of bytes, shared with the previous row's when they are the same.
void readText(Slot& slot, QVariant& out, const char* bytes, size_t size, int maxChars)
{
    const bool sharing = slot.changes < kTrialRows || slot.repeats * 4 >= slot.changes;
    if (sharing && slot.lastText.isValid() && slot.lastBytes.size() == size &&
        (size == 0 || std::memcmp(slot.lastBytes.data(), bytes, size) == 0)) {
        ++slot.repeats;
        out = slot.lastText;
        return;
    }
    QString s = QString::fromUtf8(bytes, qsizetype(size));
    if (maxChars >= 0 && s.size() > maxChars)
        s.truncate(maxChars);
    if (!sharing) {
        out = std::move(s);
        return;
    }
    ++slot.changes;
    slot.lastBytes.assign(bytes, bytes + size);
    slot.lastText = std::move(s);
    out = slot.lastText;
}

constexpr unsigned kSegment = 32768;

// Texts that come in their rows. The client asks for as many rows at once
// as its fetch cache (a megabyte) holds by the message's full width, so a
// row carries a short text, which most are, and keeps the batches large;
// it carries it as its UTF-8 bytes, which a VARCHAR of bytes sizes as they
// are, where a VARCHAR of UTF8 counts four bytes a character. Longer texts
// then come together in one more select, sized to the longest of them, and
// only texts longer than a VARCHAR holds are read as blobs.
constexpr int kInlineBytes = 2000;
constexpr int kMaxVarcharBytes = 32765;
constexpr int kMinInlineBytes = 256;
constexpr int kLongTextSizes[] = {4096, 8192, 16384, kMaxVarcharBytes};
// Texts sent as parameters travel in the message up to its size; the server
// makes them blobs. Longer ones go as blobs of their own.
constexpr qsizetype kParamTextBytes = kMaxVarcharBytes;
constexpr qsizetype kParamTextsPerMessage = 48 * 1024;

int inlineBytes(qsizetype columns)
{
    const int share = kInlineBytes / int(std::max<qsizetype>(1, columns));
    return std::clamp(share, kMinInlineBytes, kMaxVarcharBytes);
}

QString quotedName(const QString& name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

// The texts of one column longer than a row carries and at most size bytes
// long, each with its blob's identity.
QString longTextsOf(const QString& sql, const QString& column, int inRow, int size)
{
    const QString c = QStringLiteral("Q.") + quotedName(column);
    return QStringLiteral("SELECT %1, CAST(%1 AS VARCHAR(%2) CHARACTER SET OCTETS) FROM (\n%3\n) Q "
                          "WHERE OCTET_LENGTH(%1) > %4 AND OCTET_LENGTH(%1) <= %2")
        .arg(c)
        .arg(size)
        .arg(sql)
        .arg(inRow);
}

std::uint64_t blobKey(const ISC_QUAD& id)
{
    std::uint64_t key;
    std::memcpy(&key, &id, sizeof key);
    return key;
}

} // namespace

QString selectWithTextsInRows(const QString& sql, const QStringList& textColumns)
{
    const int bytes = inlineBytes(textColumns.size());
    QString select = QStringLiteral("SELECT Q.*");
    for (const QString& name : textColumns)
        select += QStringLiteral(", CASE WHEN OCTET_LENGTH(Q.%1) <= %2 THEN CAST(Q.%1 AS VARCHAR(%2) CHARACTER SET OCTETS) END")
                      .arg(quotedName(name))
                      .arg(bytes);
    for (const QString& name : textColumns)
        select += QStringLiteral(", OCTET_LENGTH(Q.%1)").arg(quotedName(name));
    // The line break ends a comment the text may close with.
    return select + QStringLiteral(" FROM (\n") + sql + QStringLiteral("\n) Q");
}

struct Statement::Impl : AttachmentUser {
    Connection* conn;
    Transaction* tra;
    ParsedSql parsed;
    detail::Handle<IStatement> stmt;
    detail::Handle<IResultSet> cursor;
    MetadataPtr inMeta;
    MetadataPtr outMeta;
    QVector<QVariant> params;
    QVector<Column> columns;
    std::vector<Slot> places;
    QVector<QVariant> row;
    std::vector<unsigned char> outBuffer;
    std::vector<char> blobBytes;
    std::unique_ptr<char[]> segment;
    IStatus* status = detail::master()->getStatus();
    mutable std::optional<quint64> affected;
    bool isSelect = false;
    int textsInRows = 0;       // the copies of text blobs (and their lengths) at the end of each row
    QStringList inlineNames;   // the text blob each copy was made of

    // A select with texts in its rows reads all its rows at its first fetch,
    // to bring the longer texts together, and hands them out from here.
    struct LongText {
        size_t row;
        int column;
        ISC_QUAD blob;
        qint64 length;   // bytes
    };
    std::deque<QVector<QVariant>> ahead;
    bool readAhead = false;
    std::vector<LongText> longTexts;
    // The last run's parameters, for the select of the longer texts.
    MetadataPtr lastIn;
    std::vector<unsigned char> lastInBuffer;
    // The selects of longer texts, by text and size.
    struct LongSelect {
        detail::Handle<IStatement> stmt;
        MetadataPtr out;
    };
    std::map<std::pair<int, int>, LongSelect> longSelects;

    explicit Impl(Transaction& t) : conn(&t.connection()), tra(&t) { conn->enlist(this); }
    ~Impl()
    {
        if (conn)
            conn->delist(this);
        closeQuietly();
        status->dispose();
    }

    void closeQuietly() noexcept
    {
        try {
            cursor.end([](IResultSet* rs, ThrowStatusWrapper* st) { rs->close(st); });
        } catch (...) {
        }
        try {
            stmt.end([](IStatement* s, ThrowStatusWrapper* st) { s->free(st); });
        } catch (...) {
        }
        for (auto& [key, select] : longSelects) {
            try {
                select.stmt.end([](IStatement* s, ThrowStatusWrapper* st) { s->free(st); });
            } catch (...) {
            }
        }
        longSelects.clear();
    }

    void attachmentEnding() noexcept override
    {
        cursor.reset();
        stmt.reset();
        for (auto& [key, select] : longSelects)
            select.stmt.reset();
        longSelects.clear();
    }

    void connectionDestroyed() noexcept override { conn = nullptr; }

    IAttachment* att() const { return conn->attachment(); }

    // Prepares a text and reads what it takes and gives; a handle prepared
    // before is let go of first.
    void prepare(ThrowStatusWrapper* st, Transaction& transaction, const QString& sql, const QStringList& texts)
    {
        closeQuietly();
        columns.clear();
        places.clear();
        const QByteArray text = sql.toUtf8();
        // Owned from here on: a failure below releases it with the rest.
        stmt.reset(att()->prepare(st, transaction.handle(), 0, text.constData(),
                                  unsigned(transaction.connection().dialect()), IStatement::PREPARE_PREFETCH_METADATA));
        inlineNames = texts;
        textsInRows = int(texts.size());
        describe(st);
    }

    // The names of the result's UTF8 text blobs.
    QStringList textBlobColumns() const
    {
        QStringList names;
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].type == ColumnType::TextBlob && places[size_t(i)].utf8)
                names << columns[i].name;
        return names;
    }

    // Reads a blob whole into blobBytes, which keeps its room from one blob
    // to the next, as the segment buffer does.
    void readBlob(ThrowStatusWrapper* st, ISC_QUAD* id)
    {
        detail::Handle<IBlob> blob(att()->openBlob(st, tra->handle(), id, 0, nullptr));
        if (!segment)
            segment = std::make_unique_for_overwrite<char[]>(kSegment);
        blobBytes.clear();
        for (;;) {
            detail::passFailPoint(FailPoint::BlobRead);
            unsigned len = 0;
            if (blob->getSegment(st, kSegment, segment.get(), &len) == IStatus::RESULT_NO_DATA)
                break;
            blobBytes.insert(blobBytes.end(), segment.get(), segment.get() + len);
        }
        blob.end([](IBlob* b, ThrowStatusWrapper* s) { b->close(s); });
    }

    void writeBlob(ThrowStatusWrapper* st, ISC_QUAD* id, const QByteArray& bytes)
    {
        detail::Handle<IBlob> blob(att()->createBlob(st, tra->handle(), id, 0, nullptr));
        for (qsizetype pos = 0; pos < bytes.size(); pos += kSegment) {
            detail::passFailPoint(FailPoint::BlobWrite);
            const unsigned len = unsigned(qMin<qsizetype>(kSegment, bytes.size() - pos));
            blob->putSegment(st, len, bytes.constData() + pos);
        }
        blob.end([](IBlob* b, ThrowStatusWrapper* s) { b->close(s); });
    }

    void describe(ThrowStatusWrapper* st)
    {
        detail::passFailPoint(FailPoint::Describe);
        inMeta.reset(stmt->getInputMetadata(st));
        outMeta.reset(stmt->getOutputMetadata(st));
        const unsigned type = stmt->getType(st);
        isSelect = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
        const unsigned count = outMeta->getCount(st);
        const unsigned visible = count - 2 * unsigned(textsInRows);
        columns.reserve(int(visible));
        places.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            Slot slot;
            slot.offset = outMeta->getOffset(st, i);
            slot.nullOffset = outMeta->getNullOffset(st, i);
            slot.type = outMeta->getType(st, i) & ~1u;
            slot.length = outMeta->getLength(st, i);
            slot.utf8 = (outMeta->getCharSet(st, i) & 0xFF) == kCharsetUtf8;
            Column c;
            c.name = QString::fromUtf8(outMeta->getAlias(st, i));
            c.field = QString::fromUtf8(outMeta->getField(st, i));
            c.relation = QString::fromUtf8(outMeta->getRelation(st, i));
            c.scale = outMeta->getScale(st, i);
            c.type = columnType(slot.type, outMeta->getSubType(st, i), c.scale);
            c.nullable = outMeta->isNullable(st, i);
            c.length = int(slot.utf8 ? slot.length / 4 : slot.length);
            if (i < visible)
                columns.append(c);
            places.push_back(slot);
        }
        // Each copy goes with the text blob it was made of, when it is one.
        for (unsigned k = 0; k < unsigned(textsInRows); ++k) {
            for (unsigned i = 0; i < visible; ++i)
                if (columns[int(i)].type == ColumnType::TextBlob && places[i].utf8 && places[i].inlineText < 0 &&
                    inlineNames.value(int(k)).compare(columns[int(i)].name, Qt::CaseInsensitive) == 0) {
                    places[i].inlineText = int(visible + k);
                    places[i].textLength = int(visible + unsigned(textsInRows) + k);
                    places[i].textColumn = int(k);
                    break;
                }
        }
        row.resize(int(visible));
        outBuffer.assign(outMeta->getMessageLength(st), 0);
    }

    // Builds the input message from the values given: each parameter is
    // described by the value's own type, and the server converts.
    MetadataPtr buildInput(ThrowStatusWrapper* st, std::vector<unsigned char>& buffer)
    {
        const unsigned count = inMeta->getCount(st);
        IMetadataBuilder* builder = inMeta->getBuilder(st);
        struct Guard {
            IMetadataBuilder* b;
            ~Guard() { b->release(); }
        } guard{builder};
        QVector<QByteArray> texts(static_cast<qsizetype>(count));
        qsizetype textsInMessage = 0;
        for (unsigned i = 0; i < count; ++i) {
            const QVariant& v = params[int(i)];
            const unsigned declared = inMeta->getType(st, i) & ~1u;
            if (isNullValue(v)) {
                builder->setType(st, i, declared | 1u);
                continue;
            }
            if (isTimeOfDay(v)) {
                builder->setType(st, i, SQL_TYPE_TIME | 1u);
                builder->setLength(st, i, sizeof(ISC_TIME));
                continue;
            }
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::Long:
                builder->setType(st, i, SQL_INT64 | 1u);
                builder->setLength(st, i, sizeof(qint64));
                builder->setScale(st, i, 0);
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                builder->setType(st, i, SQL_DOUBLE | 1u);
                builder->setLength(st, i, sizeof(double));
                builder->setScale(st, i, 0);
                break;
            case QMetaType::Bool:
                builder->setType(st, i, SQL_BOOLEAN | 1u);
                builder->setLength(st, i, 1);
                break;
            case QMetaType::QDate:
                builder->setType(st, i, SQL_TYPE_DATE | 1u);
                builder->setLength(st, i, sizeof(ISC_DATE));
                break;
            case QMetaType::QTime:
                builder->setType(st, i, SQL_TYPE_TIME | 1u);
                builder->setLength(st, i, sizeof(ISC_TIME));
                break;
            case QMetaType::QDateTime:
                builder->setType(st, i, SQL_TIMESTAMP | 1u);
                builder->setLength(st, i, sizeof(ISC_TIMESTAMP));
                break;
            default: {
                const bool binary = v.typeId() == QMetaType::QByteArray;
                texts[int(i)] = binary ? v.toByteArray() : v.toString().toUtf8();
                const qsizetype size = texts[int(i)].size();
                // A blob's value travels in the message when it fits, and
                // the server makes the blob: no exchanges of its own.
                const bool inMessage = declared != SQL_BLOB ||
                                       (size <= kParamTextBytes && textsInMessage + size <= kParamTextsPerMessage);
                if (!inMessage) {
                    builder->setType(st, i, SQL_BLOB | 1u);
                    builder->setLength(st, i, sizeof(ISC_QUAD));
                } else {
                    textsInMessage += size;
                    builder->setType(st, i, SQL_VARYING | 1u);
                    builder->setLength(st, i, unsigned(qMax<qsizetype>(1, texts[int(i)].size())));
                    builder->setCharSet(st, i, binary ? kCharsetOctets : kCharsetUtf8);
                }
            }
            }
        }
        MetadataPtr meta(builder->getMetadata(st));
        buffer.assign(meta->getMessageLength(st), 0);
        for (unsigned i = 0; i < count; ++i) {
            const QVariant& v = params[int(i)];
            unsigned char* data = buffer.data() + meta->getOffset(st, i);
            auto* nullFlag = reinterpret_cast<short*>(buffer.data() + meta->getNullOffset(st, i));
            if (isNullValue(v)) {
                *nullFlag = -1;
                continue;
            }
            *nullFlag = 0;
            switch (meta->getType(st, i) & ~1u) {
            case SQL_INT64:
                store<qint64>(data, v.toLongLong());
                break;
            case SQL_DOUBLE:
                store<double>(data, v.toDouble());
                break;
            case SQL_BOOLEAN:
                *data = v.toBool() ? 1 : 0;
                break;
            case SQL_TYPE_DATE:
                store(data, encodeDate(v.toDate()));
                break;
            case SQL_TYPE_TIME:
                store(data, isTimeOfDay(v) ? ISC_TIME(v.value<TimeOfDay>().ticks()) : encodeTime(v.toTime()));
                break;
            case SQL_TIMESTAMP: {
                const QDateTime dt = v.toDateTime();
                store(data, ISC_TIMESTAMP{encodeDate(dt.date()), encodeTime(dt.time())});
                break;
            }
            case SQL_BLOB:
                writeBlob(st, reinterpret_cast<ISC_QUAD*>(data), texts[int(i)]);
                break;
            default: {
                const QByteArray& bytes = texts[int(i)];
                store(data, static_cast<unsigned short>(bytes.size()));
                std::memcpy(data + sizeof(unsigned short), bytes.constData(), size_t(bytes.size()));
            }
            }
        }
        return meta;
    }

    void readRow(ThrowStatusWrapper* st)
    {
        const unsigned char* buffer = outBuffer.data();
        const int count = int(columns.size());   // the copies of texts at the end are read with their blobs
        for (int i = 0; i < count; ++i) {
            Slot& slot = places[size_t(i)];
            QVariant& out = row[i];
            if (load<short>(buffer + slot.nullOffset)) {
                out = QVariant();
                continue;
            }
            const unsigned char* data = buffer + slot.offset;
            const Column& col = columns[i];
            switch (slot.type) {
            case SQL_SHORT:
                out = col.scale ? QVariant(scaled(load<short>(data), col.scale)) : QVariant(int(load<short>(data)));
                break;
            case SQL_LONG:
                out = col.scale ? QVariant(scaled(load<qint32>(data), col.scale)) : QVariant(int(load<qint32>(data)));
                break;
            case SQL_INT64:
                out = col.scale ? QVariant(scaled(load<qint64>(data), col.scale)) : QVariant(qlonglong(load<qint64>(data)));
                break;
            case SQL_FLOAT:
                out = double(load<float>(data));
                break;
            case SQL_DOUBLE:
            case SQL_D_FLOAT:
                out = load<double>(data);
                break;
            case SQL_TEXT:
                // A fixed-length UTF8 column is padded to four bytes a character.
                readText(slot, out, reinterpret_cast<const char*>(data), slot.length, slot.utf8 ? col.length : -1);
                break;
            case SQL_VARYING:
                readText(slot, out, reinterpret_cast<const char*>(data + sizeof(unsigned short)),
                         load<unsigned short>(data), -1);
                break;
            case SQL_TYPE_DATE:
                out = decodeDate(load<ISC_DATE>(data));
                break;
            case SQL_TYPE_TIME:
                out = TimeOfDay::fromTicks(load<ISC_TIME>(data)).toVariant();
                break;
            case SQL_TIMESTAMP: {
                const auto x = load<ISC_TIMESTAMP>(data);
                out = QDateTime(decodeDate(x.timestamp_date), decodeTime(x.timestamp_time));
                break;
            }
            case SQL_BOOLEAN:
                out = bool(*data);
                break;
            case SQL_BLOB: {
                if (slot.inlineText >= 0) {
                    const Slot& copy = places[size_t(slot.inlineText)];
                    if (!load<short>(buffer + copy.nullOffset)) {
                        detail::passFailPoint(FailPoint::BlobRead);
                        const unsigned char* text = buffer + copy.offset;
                        out = QString::fromUtf8(reinterpret_cast<const char*>(text + sizeof(unsigned short)),
                                                load<unsigned short>(text));
                        break;
                    }
                    if (readAhead) {
                        // Longer than a row carries: it comes with the others once all rows are in.
                        const Slot& length = places[size_t(slot.textLength)];
                        const qint64 bytes = length.type == SQL_INT64 ? load<qint64>(buffer + length.offset)
                                                                      : load<qint32>(buffer + length.offset);
                        longTexts.push_back({ahead.size(), i, load<ISC_QUAD>(data), bytes});
                        out = QString();
                        break;
                    }
                }
                ISC_QUAD id = load<ISC_QUAD>(data);
                readBlob(st, &id);
                const auto size = qsizetype(blobBytes.size());
                out = col.type == ColumnType::TextBlob ? QVariant(QString::fromUtf8(blobBytes.data(), size))
                                                       : QVariant(QByteArray(blobBytes.data(), size));
                break;
            }
            default:
                out = QVariant();
            }
        }
    }

    void closeCursor()
    {
        cursor.end([](IResultSet* rs, ThrowStatusWrapper* st) { rs->close(st); });
    }

    // Reads every row of the cursor, then the longer texts they wait for.
    void readAllRows(ThrowStatusWrapper* st)
    {
        readAhead = true;
        longTexts.clear();
        while (cursor->fetchNext(st, outBuffer.data()) == IStatus::RESULT_OK) {
            readRow(st);
            ahead.push_back(row);
        }
        closeCursor();
        readAhead = false;
        readLongTexts(st);
    }

    void readLongTexts(ThrowStatusWrapper* st)
    {
        // One select for each text column and size, the size of the longest
        // text it brings; a text longer than any is read as a blob.
        std::map<std::pair<int, int>, std::vector<const LongText*>> bySize;
        std::vector<const LongText*> asBlobs;
        for (const LongText& t : longTexts) {
            const int* size = std::find_if(std::begin(kLongTextSizes), std::end(kLongTextSizes),
                                           [&](int candidate) { return t.length <= candidate; });
            if (size == std::end(kLongTextSizes))
                asBlobs.push_back(&t);
            else
                bySize[{places[size_t(t.column)].textColumn, *size}].push_back(&t);
        }
        for (const auto& [key, texts] : bySize) {
            const std::map<std::uint64_t, QString> found = selectLongTexts(st, key.first, key.second);
            for (const LongText* t : texts) {
                auto it = found.find(blobKey(t->blob));
                // Not found: another copy of the program changed the row since
                // it came, and the blob it came with is read as it stands.
                if (it == found.end())
                    asBlobs.push_back(t);
                else
                    ahead[t->row][t->column] = it->second;
            }
        }
        for (const LongText* t : asBlobs) {
            ISC_QUAD id = t->blob;
            readBlob(st, &id);
            ahead[t->row][t->column] = QString::fromUtf8(blobBytes.data(), qsizetype(blobBytes.size()));
        }
        longTexts.clear();
    }

    std::map<std::uint64_t, QString> selectLongTexts(ThrowStatusWrapper* st, int column, int size)
    {
        LongSelect& select = longSelects[{column, size}];
        if (!select.stmt) {
            const QString sql = longTextsOf(parsed.sql, inlineNames[column], inlineBytes(textsInRows), size);
            select.stmt.reset(att()->prepare(st, tra->handle(), 0, sql.toUtf8().constData(),
                                             unsigned(tra->connection().dialect()),
                                             IStatement::PREPARE_PREFETCH_METADATA));
            select.out.reset(select.stmt->getOutputMetadata(st));
        }
        std::vector<unsigned char> buffer(select.out->getMessageLength(st));
        const unsigned blobAt = select.out->getOffset(st, 0);
        const unsigned textAt = select.out->getOffset(st, 1);
        const unsigned textNull = select.out->getNullOffset(st, 1);
        std::map<std::uint64_t, QString> texts;
        detail::Handle<IResultSet> rows(select.stmt->openCursor(st, tra->handle(), lastIn.get(),
                                                                lastInBuffer.empty() ? nullptr : lastInBuffer.data(),
                                                                select.out.get(), 0));
        while (rows->fetchNext(st, buffer.data()) == IStatus::RESULT_OK) {
            if (load<short>(buffer.data() + textNull))
                continue;
            const unsigned char* text = buffer.data() + textAt;
            texts[blobKey(load<ISC_QUAD>(buffer.data() + blobAt))] = QString::fromUtf8(
                reinterpret_cast<const char*>(text + sizeof(unsigned short)), load<unsigned short>(text));
        }
        rows.end([](IResultSet* rs, ThrowStatusWrapper* s) { rs->close(s); });
        return texts;
    }
};

Statement::Statement(Transaction& transaction, const QString& sql, ParamStyle style, TextBlobs texts,
                     const QStringList& textColumns)
    : d(std::make_unique<Impl>(transaction))
{
    if (style == ParamStyle::Named)
        d->parsed = parseNamedParams(sql);
    else
        d->parsed.sql = sql;
    d->params.resize(d->parsed.names.size());
    detail::AnswerGuard answer(d->att(), transaction.connection().answerTime());
    detail::watched(answer, [&] {
        const auto prepare = [&](const QString& text, const QStringList& inRows) {
            detail::callWith(d->status, [&](ThrowStatusWrapper* st) { d->prepare(st, transaction, text, inRows); });
        };
        // A text the server cannot take so (a join that repeats a column
        // name, a statement that is no select) is read as written.
        const auto prepareWithTexts = [&](const QStringList& names) {
            try {
                prepare(selectWithTextsInRows(d->parsed.sql, names), names);
                return true;
            } catch (const FbError& e) {
                if (e.isConnectionFailure())
                    throw;
                return false;
            }
        };
        if (texts == TextBlobs::WithRows && !textColumns.isEmpty()) {
            if (!prepareWithTexts(textColumns))
                prepare(d->parsed.sql, {});
        } else {
            prepare(d->parsed.sql, {});
            const QStringList names = texts == TextBlobs::WithRows && d->isSelect ? d->textBlobColumns() : QStringList();
            if (!names.isEmpty() && !prepareWithTexts(names))
                prepare(d->parsed.sql, {});
        }
        // A raw text marks its parameters with "?": one value for each, set by position.
        if (style == ParamStyle::Raw)
            detail::callWith(d->status,
                             [&](ThrowStatusWrapper* st) { d->params.resize(qsizetype(d->inMeta->getCount(st))); });
    });
}

Statement::~Statement() = default;

bool Statement::isPrepared() const { return bool(d->stmt); }

QStringList Statement::paramNames() const
{
    QStringList names;
    for (const QString& n : d->parsed.names)
        if (!names.contains(n))
            names.append(n);
    return names;
}

bool Statement::hasParam(const QString& name) const { return d->parsed.names.contains(name.toUpper()); }

void Statement::setParam(const QString& name, const QVariant& value)
{
    const QString key = name.toUpper();
    bool found = false;
    for (int i = 0; i < d->parsed.names.size(); ++i) {
        if (d->parsed.names[i] == key) {
            d->params[i] = value;
            found = true;
        }
    }
    if (!found)
        throw EError(QStringLiteral("Parameter '%1' not found").arg(name));
}

void Statement::setParamAt(int position, const QVariant& value) { d->params[position] = value; }

const QVector<Column>& Statement::columns() const { return d->columns; }

bool Statement::hasResultSet() const { return d->isSelect; }

void Statement::execute(Transaction& transaction)
{
    d->tra = &transaction;
    execute();
}

void Statement::execute()
{
    closeCursor();
    if (!d->stmt)
        throw FbError(QStringLiteral("The statement's connection has ended"), {isc_bad_db_handle});
    detail::AnswerGuard answer(d->att(), d->conn->answerTime());
    detail::watched(answer, [&] { detail::callWith(d->status, [&](ThrowStatusWrapper* st) {
        d->ahead.clear();
        std::vector<unsigned char> inBuffer;
        MetadataPtr in = d->buildInput(st, inBuffer);
        for (Slot& slot : d->places) {
            slot.repeats = slot.changes = 0;
            slot.lastText.clear();
        }
        if (d->isSelect) {
            d->cursor.reset(
                d->stmt->openCursor(st, d->tra->handle(), in.get(), inBuffer.data(), d->outMeta.get(), 0));
            d->affected = 0;
            if (d->textsInRows > 0) {
                d->lastIn = std::move(in);
                d->lastInBuffer = std::move(inBuffer);
            }
        } else {
            d->stmt->execute(st, d->tra->handle(), in.get(), inBuffer.data(), d->outMeta.get(),
                             d->outBuffer.empty() ? nullptr : d->outBuffer.data());
            d->affected.reset();
            if (!d->columns.isEmpty())
                d->readRow(st);   // EXECUTE PROCEDURE and RETURNING give one row
        }
    }); });
}

bool Statement::fetch()
{
    if (!d->cursor && d->ahead.empty())
        return false;
    detail::AnswerGuard answer(d->att(), d->conn->answerTime());
    return detail::watched(answer, [&] {
        return detail::callWith(d->status, [&](ThrowStatusWrapper* st) {
            if (d->textsInRows > 0) {
                if (d->cursor)
                    d->readAllRows(st);
                if (d->ahead.empty())
                    return false;
                d->row = std::move(d->ahead.front());
                d->ahead.pop_front();
                return true;
            }
            if (d->cursor->fetchNext(st, d->outBuffer.data()) != IStatus::RESULT_OK) {
                d->closeCursor();
                return false;
            }
            d->readRow(st);
            return true;
        });
    });
}

const QVector<QVariant>& Statement::row() const { return d->row; }

QVector<QVariant>& Statement::takeRow() { return d->row; }

void Statement::closeCursor()
{
    d->ahead.clear();
    if (!d->cursor)
        return;
    detail::AnswerGuard answer(d->att(), d->conn->answerTime());
    detail::watched(answer, [&] { d->closeCursor(); });
}

quint64 Statement::affectedRecords() const
{
    if (!d->affected) {
        if (!d->stmt)
            return 0;
        detail::AnswerGuard answer(d->att(), d->conn->answerTime());
        d->affected = detail::watched(answer, [&] {
            return detail::callWith(d->status,
                                    [&](ThrowStatusWrapper* st) { return quint64(d->stmt->getAffectedRecords(st)); });
        });
    }
    return *d->affected;
}

quint64 executeSql(Transaction& transaction, const QString& sql, ParamStyle style)
{
    Statement s(transaction, sql, style);
    s.execute();
    return s.affectedRecords();
}

void executeInTransaction(Connection& connection, const QStringList& statements, ParamStyle style)
{
    Transaction tx(connection);
    for (const QString& sql : statements)
        executeSql(tx, sql, style);
    tx.commit();
}

QList<QVariantList> selectRows(Transaction& transaction, const QString& sql, const QVariantList& params,
                               ParamStyle style)
{
    Statement st(transaction, sql, style);
    for (int i = 0; i < params.size(); ++i)
        st.setParamAt(i, params[i]);
    st.execute();
    QList<QVariantList> rows;
    while (st.fetch())
        rows.append(st.row());
    return rows;
}

QList<QVariantList> selectRows(Connection& connection, const QString& sql, const QVariantList& params,
                               ParamStyle style)
{
    Transaction tx(connection, TransactionOptions{true});
    QList<QVariantList> rows = selectRows(tx, sql, params, style);
    tx.commit();
    return rows;
}

QVariant selectValue(Connection& connection, const QString& sql, const QVariantList& params, ParamStyle style)
{
    return selectRows(connection, sql, params, style).value(0).value(0);
}

QVariant selectValue(Transaction& transaction, const QString& sql, const QVariantList& params, ParamStyle style)
{
    return selectRows(transaction, sql, params, style).value(0).value(0);
}

} // namespace fb
