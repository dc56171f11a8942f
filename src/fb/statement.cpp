#include "fb/statement.h"
#include "fb/connection.h"
#include "fb/fbapi_p.h"
#include "fb/sqlparams.h"
#include "fb/transaction.h"

#include "core/timeofday.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstring>

using namespace Firebird;

namespace fb {

namespace {

constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetUtf8 = 4;
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

struct MetadataRelease {
    void operator()(IMessageMetadata* m) const
    {
        if (m)
            m->release();
    }
};
using MetadataPtr = std::unique_ptr<IMessageMetadata, MetadataRelease>;

// Where a column lies in the output message, read once at prepare.
struct Slot {
    unsigned offset = 0;
    unsigned nullOffset = 0;
    unsigned type = 0;      // without the nullable bit
    unsigned length = 0;    // bytes
    bool utf8 = false;
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

} // namespace

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
    quint64 affected = 0;
    bool isSelect = false;

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
    }

    void attachmentEnding() noexcept override
    {
        cursor.reset();
        stmt.reset();
    }

    void connectionDestroyed() noexcept override { conn = nullptr; }

    IAttachment* att() const { return conn->attachment(); }

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
        columns.reserve(int(count));
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
            columns.append(c);
            places.push_back(slot);
        }
        row.resize(int(count));
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
                if (declared == SQL_BLOB) {
                    builder->setType(st, i, SQL_BLOB | 1u);
                    builder->setLength(st, i, sizeof(ISC_QUAD));
                } else {
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
        const int count = int(places.size());
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
};

Statement::Statement(Transaction& transaction, const QString& sql, ParamStyle style)
    : d(std::make_unique<Impl>(transaction))
{
    if (style == ParamStyle::Named)
        d->parsed = parseNamedParams(sql);
    else
        d->parsed.sql = sql;
    d->params.resize(d->parsed.names.size());
    detail::callWith(d->status, [&](ThrowStatusWrapper* st) {
        const QByteArray text = d->parsed.sql.toUtf8();
        // Owned from here on: a failure below releases it with the rest.
        d->stmt.reset(d->att()->prepare(st, transaction.handle(), 0, text.constData(),
                                        unsigned(transaction.connection().dialect()),
                                        IStatement::PREPARE_PREFETCH_METADATA));
        d->describe(st);
        // A raw text marks its parameters with "?": one value for each, set by position.
        if (style == ParamStyle::Raw)
            d->params.resize(qsizetype(d->inMeta->getCount(st)));
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
    detail::callWith(d->status, [&](ThrowStatusWrapper* st) {
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
        } else {
            d->stmt->execute(st, d->tra->handle(), in.get(), inBuffer.data(), d->outMeta.get(),
                             d->outBuffer.empty() ? nullptr : d->outBuffer.data());
            d->affected = d->stmt->getAffectedRecords(st);
            if (!d->columns.isEmpty())
                d->readRow(st);   // EXECUTE PROCEDURE and RETURNING give one row
        }
    });
}

bool Statement::fetch()
{
    if (!d->cursor)
        return false;
    return detail::callWith(d->status, [&](ThrowStatusWrapper* st) {
        if (d->cursor->fetchNext(st, d->outBuffer.data()) != IStatus::RESULT_OK) {
            d->closeCursor();
            return false;
        }
        d->readRow(st);
        return true;
    });
}

const QVector<QVariant>& Statement::row() const { return d->row; }

QVector<QVariant>& Statement::takeRow() { return d->row; }

void Statement::closeCursor() { d->closeCursor(); }

quint64 Statement::affectedRecords() const { return d->affected; }

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

QList<QVariantList> selectRows(Connection& connection, const QString& sql, const QVariantList& params,
                               ParamStyle style)
{
    Transaction tx(connection, TransactionOptions{true});
    Statement st(tx, sql, style);
    for (int i = 0; i < params.size(); ++i)
        st.setParamAt(i, params[i]);
    st.execute();
    QList<QVariantList> rows;
    while (st.fetch())
        rows.append(st.row());
    tx.commit();
    return rows;
}

QVariant selectValue(Connection& connection, const QString& sql, const QVariantList& params, ParamStyle style)
{
    return selectRows(connection, sql, params, style).value(0).value(0);
}

} // namespace fb
