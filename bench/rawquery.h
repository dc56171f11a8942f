#pragma once
// The floor of the benchmarks that read: the Firebird OO API itself, with no
// layer of ours. A statement prepared once in a read-only read-committed
// transaction that it keeps, as a connection of the data sets keeps one;
// each run opens the cursor with integer parameters, fetches every row into
// the message buffer and converts nothing. Text blobs are read whole into a byte buffer, as a data set
// holding memos must read them, but not decoded; given the names of its
// memos, the query has them come in their rows as the data sets do, and
// reads as a blob only a memo too long for its row.

#include "fb/connection.h"
#include "fb/sqlparams.h"
#include "fb/statement.h"

#include <QString>
#include <cstring>
#include <firebird/Interface.h>
#include <stdexcept>
#include <vector>

namespace bench {

class RawQuery {
public:
    RawQuery(fb::Connection& connection, const QString& sql, const QStringList& memos = {})
        : m_master(Firebird::fb_get_master_interface()), m_status(m_master->getStatus()), m_att(connection.attachment())
    {
        Firebird::ThrowStatusWrapper st(m_status);
        m_tx = m_att->startTransaction(&st, sizeof kReadOnly, kReadOnly);
        Firebird::ITransaction* tx = m_tx;
        // Named parameters become the server's "?".
        QString positional = fb::parseNamedParams(sql).sql;
        if (!memos.isEmpty())
            positional = fb::selectWithTextsInRows(positional, memos);
        const QByteArray text = positional.toUtf8();
        m_stmt = m_att->prepare(&st, tx, 0, text.constData(), 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        m_in = m_stmt->getInputMetadata(&st);
        m_out = m_stmt->getOutputMetadata(&st);
        m_inBuffer.assign(m_in->getMessageLength(&st), 0);
        m_outBuffer.assign(m_out->getMessageLength(&st), 0);
        const unsigned columns = m_out->getCount(&st) - 2 * unsigned(memos.size());   // a copy and a length each
        for (unsigned i = 0; i < columns; ++i) {
            if ((m_out->getType(&st, i) & ~1u) != SQL_BLOB)
                continue;
            Place blob{m_out->getOffset(&st, i), m_out->getNullOffset(&st, i)};
            const qsizetype copy = memos.indexOf(QString::fromUtf8(m_out->getAlias(&st, i)));
            if (copy >= 0)
                blob.copyNullOffset = int(m_out->getNullOffset(&st, columns + unsigned(copy)));
            m_blobs.push_back(blob);
        }
        for (unsigned i = 0; i < m_in->getCount(&st); ++i)
            m_params.push_back({m_in->getOffset(&st, i), m_in->getNullOffset(&st, i)});
    }
    ~RawQuery()
    {
        m_in->release();
        m_out->release();
        Firebird::ThrowStatusWrapper st(m_status);
        try {
            m_stmt->free(&st);
        } catch (const Firebird::FbException&) {
            m_stmt->release();
        }
        try {
            m_tx->commit(&st);
        } catch (const Firebird::FbException&) {
            m_tx->release();
        }
        m_status->dispose();
    }
    RawQuery(const RawQuery&) = delete;
    RawQuery& operator=(const RawQuery&) = delete;

    // The parameters are INTEGER columns, given in the order of the text;
    // the statement's own "?" or ":NAME" marks are the same to it.
    int run(const std::vector<int>& params = {})
    {
        Firebird::ThrowStatusWrapper st(m_status);
        try {
            for (size_t i = 0; i < m_params.size(); ++i) {
                std::memcpy(m_inBuffer.data() + m_params[i].offset, &params.at(i), sizeof(int));
                const short notNull = 0;
                std::memcpy(m_inBuffer.data() + m_params[i].nullOffset, &notNull, sizeof notNull);
            }
            Firebird::ITransaction* tx = m_tx;
            Firebird::IResultSet* rs = m_stmt->openCursor(&st, tx, m_in, m_inBuffer.data(), m_out, 0);
            int rows = 0;
            while (rs->fetchNext(&st, m_outBuffer.data()) == Firebird::IStatus::RESULT_OK) {
                ++rows;
                for (const Place& blob : m_blobs)
                    readBlob(&st, tx, blob);
            }
            rs->close(&st);
            return rows;
        } catch (const Firebird::FbException&) {
            throw std::runtime_error("the raw query failed");
        }
    }

private:
    struct Place {
        unsigned offset;
        unsigned nullOffset;
        int copyNullOffset = -1;   // of the memo's copy in the row
    };
    static constexpr unsigned char kReadOnly[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                                  isc_tpb_rec_version, isc_tpb_wait};

    void readBlob(Firebird::ThrowStatusWrapper* st, Firebird::ITransaction* tx, const Place& place)
    {
        short isNull = 0;
        std::memcpy(&isNull, m_outBuffer.data() + place.nullOffset, sizeof isNull);
        if (isNull)
            return;
        if (place.copyNullOffset >= 0) {
            std::memcpy(&isNull, m_outBuffer.data() + place.copyNullOffset, sizeof isNull);
            if (!isNull)
                return;   // it came in its row
        }
        ISC_QUAD id;
        std::memcpy(&id, m_outBuffer.data() + place.offset, sizeof id);
        Firebird::IBlob* blob = m_att->openBlob(st, tx, &id, 0, nullptr);
        m_blobBytes.clear();
        char chunk[32768];
        unsigned length = 0;
        while (blob->getSegment(st, sizeof chunk, chunk, &length) != Firebird::IStatus::RESULT_NO_DATA)
            m_blobBytes.insert(m_blobBytes.end(), chunk, chunk + length);
        blob->close(st);
    }

    Firebird::IMaster* m_master;
    Firebird::IStatus* m_status;
    Firebird::IAttachment* m_att;
    Firebird::ITransaction* m_tx = nullptr;
    Firebird::IStatement* m_stmt = nullptr;
    Firebird::IMessageMetadata* m_in = nullptr;
    Firebird::IMessageMetadata* m_out = nullptr;
    std::vector<unsigned char> m_inBuffer, m_outBuffer;
    std::vector<Place> m_blobs, m_params;
    std::vector<char> m_blobBytes;
};

} // namespace bench
