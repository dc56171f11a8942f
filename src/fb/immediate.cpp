// Statements run without a prepare of their own: the server prepares,
// runs and answers them in one exchange.

#include "fb/connection.h"
#include "fb/fbapi_p.h"
#include "fb/statement.h"
#include "fb/transaction.h"
#include "fb/answerwatch_p.h"

#include <cstring>
#include <vector>

using namespace Firebird;

namespace fb {

namespace {

constexpr unsigned kTextBytes = 1020;   // a text of the row: 255 characters of up to four bytes

// A message of the given fields: integers as BIGINT, everything else as
// UTF-8 texts of the given byte lengths; every field may be NULL.
detail::MetadataPtr describe(ThrowStatusWrapper* st, const std::vector<unsigned>& textBytes,
                             const std::vector<bool>& integer)
{
    IMetadataBuilder* builder = detail::master()->getMetadataBuilder(st, unsigned(textBytes.size()));
    struct Guard {
        IMetadataBuilder* b;
        ~Guard() { b->release(); }
    } guard{builder};
    for (unsigned i = 0; i < textBytes.size(); ++i) {
        if (integer[i]) {
            builder->setType(st, i, SQL_INT64 | 1u);
            builder->setLength(st, i, sizeof(qint64));
            builder->setScale(st, i, 0);
        } else {
            builder->setType(st, i, SQL_VARYING | 1u);
            builder->setLength(st, i, textBytes[i]);
            builder->setCharSet(st, i, detail::kCharsetUtf8);
        }
    }
    return detail::MetadataPtr(builder->getMetadata(st));
}

} // namespace

QVariantList executeImmediate(Transaction& transaction, const QString& sql, const QVariantList& params,
                              int resultTexts)
{
    Connection& connection = transaction.connection();
    detail::AnswerGuard answer(connection.attachment(), connection.answerTime());
    return detail::watched(answer, [&] {
        return detail::call([&](ThrowStatusWrapper* st) {
            std::vector<unsigned> inBytes;
            std::vector<bool> inInteger;
            std::vector<QByteArray> texts;
            for (const QVariant& v : params) {
                const bool integer = v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong;
                texts.push_back(integer || v.isNull() ? QByteArray() : v.toString().toUtf8());
                inInteger.push_back(integer);
                inBytes.push_back(unsigned(qMax<qsizetype>(1, texts.back().size())));
            }
            detail::MetadataPtr in, out;
            std::vector<unsigned char> inBuffer, outBuffer;
            if (!params.isEmpty()) {
                in = describe(st, inBytes, inInteger);
                inBuffer.assign(in->getMessageLength(st), 0);
                for (unsigned i = 0; i < unsigned(params.size()); ++i) {
                    unsigned char* data = inBuffer.data() + in->getOffset(st, i);
                    const short null = params[int(i)].isNull() ? -1 : 0;
                    std::memcpy(inBuffer.data() + in->getNullOffset(st, i), &null, sizeof null);
                    if (null)
                        continue;
                    if (inInteger[i]) {
                        const qint64 value = params[int(i)].toLongLong();
                        std::memcpy(data, &value, sizeof value);
                    } else {
                        const auto length = static_cast<unsigned short>(texts[i].size());
                        std::memcpy(data, &length, sizeof length);
                        std::memcpy(data + sizeof length, texts[i].constData(), length);
                    }
                }
            }
            if (resultTexts > 0) {
                out = describe(st, std::vector<unsigned>(size_t(resultTexts), kTextBytes),
                               std::vector<bool>(size_t(resultTexts), false));
                outBuffer.assign(out->getMessageLength(st), 0);
            }
            const QByteArray text = sql.toUtf8();
            ITransaction* tra = transaction.handle();
            connection.attachment()->execute(st, tra, 0, text.constData(), unsigned(connection.dialect()), in.get(),
                                             in ? inBuffer.data() : nullptr, out.get(),
                                             out ? outBuffer.data() : nullptr);
            QVariantList row;
            for (unsigned i = 0; i < unsigned(qMax(0, resultTexts)); ++i) {
                short null = 0;
                std::memcpy(&null, outBuffer.data() + out->getNullOffset(st, i), sizeof null);
                const unsigned char* data = outBuffer.data() + out->getOffset(st, i);
                unsigned short length = 0;
                std::memcpy(&length, data, sizeof length);
                const char* bytes = reinterpret_cast<const char*>(data) + sizeof length;
                row << (null ? QVariant() : QVariant(QString::fromUtf8(bytes, length)));
            }
            return row;
        });
    });
}

} // namespace fb
