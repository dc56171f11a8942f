#include "fb/transaction.h"
#include "fb/connection.h"
#include "fb/fbapi_p.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <vector>

using namespace Firebird;

namespace fb {

Transaction::Transaction(Connection& connection, TransactionOptions options) : m_connection(connection)
{
    if (!connection.isConnected())
        throw FbError(QStringLiteral("Not connected to a database"), {isc_bad_db_handle});
    // Read committed, record version, wait: a read sees every committed
    // change and a writer waits for a conflicting one instead of failing.
    // On a watched connection the wait ends well within the answer time, as
    // a lock conflict: a row another attachment holds (one whose link died
    // in the middle of a save holds it until the server notices) is not
    // taken for a server that stopped answering.
    const unsigned char access = options.readOnly ? isc_tpb_read : isc_tpb_write;
    std::vector<unsigned char> tpb{isc_tpb_version3, access};
    if (options.snapshot)
        tpb.push_back(isc_tpb_concurrency);
    else
        tpb.insert(tpb.end(), {isc_tpb_read_committed, isc_tpb_rec_version});
    tpb.push_back(isc_tpb_wait);
    if (connection.answerTime().count() > 0) {
        const auto half = std::chrono::duration_cast<std::chrono::seconds>(connection.answerTime() / 2);
        const auto seconds = static_cast<std::uint32_t>(std::max<std::chrono::seconds::rep>(1, half.count()));
        tpb.insert(tpb.end(), {isc_tpb_lock_timeout, 4, static_cast<unsigned char>(seconds & 0xff),
                               static_cast<unsigned char>((seconds >> 8) & 0xff),
                               static_cast<unsigned char>((seconds >> 16) & 0xff),
                               static_cast<unsigned char>(seconds >> 24)});
    }
    detail::AnswerGuard answer(connection.attachment(), connection.answerTime());
    m_transaction = detail::watched(answer, [&] {
        return detail::call(
            [&](ThrowStatusWrapper* st) { return connection.attachment()->startTransaction(st, unsigned(tpb.size()), tpb.data()); });
    });
    detail::handleOpened();
}

Transaction::~Transaction()
{
    if (!m_transaction)
        return;
    try {
        rollback();
    } catch (...) {
        // Never throw from a destructor; the server rolls back a transaction
        // whose attachment is gone.
    }
}

void Transaction::commit()
{
    if (!m_transaction)
        return;
    detail::passFailPoint(FailPoint::CommitNotSent);
    detail::AnswerGuard answer(m_connection.attachment(), m_connection.answerTime());
    const auto commit = [&] {
        detail::watched(answer, [&] { detail::call([&](ThrowStatusWrapper* st) { m_transaction->commit(st); }); });
        m_transaction = nullptr;   // commit releases the interface
        detail::handleClosed();
    };
    if (detail::takeFailPoint(FailPoint::CommitAnswerLost)) {
        // The commit is done; only its answer is lost on the way back.
        commit();
        throw detail::lostConnection();
    }
    commit();
}

void Transaction::rollback()
{
    if (!m_transaction)
        return;
    ITransaction* tra = m_transaction;
    m_transaction = nullptr;
    detail::handleClosed();
    try {
        detail::AnswerGuard answer(m_connection.attachment(), m_connection.answerTime());
        detail::watched(answer, [&] { detail::call([&](ThrowStatusWrapper* st) { tra->rollback(st); }); });
    } catch (...) {
        tra->release();
        throw;
    }
}

void Transaction::abandon() noexcept
{
    if (!m_transaction)
        return;
    m_transaction->release();
    m_transaction = nullptr;
    detail::handleClosed();
}

} // namespace fb
