#include "fb/transaction.h"
#include "fb/connection.h"
#include "fb/fbapi_p.h"

#include <exception>

using namespace Firebird;

namespace fb {

Transaction::Transaction(Connection& connection, TransactionOptions options) : m_connection(connection)
{
    if (!connection.isConnected())
        throw FbError(QStringLiteral("Not connected to a database"), {isc_bad_db_handle});
    // Read committed, record version, wait: a read sees every committed
    // change and a writer waits for a conflicting one instead of failing.
    const unsigned char access = options.readOnly ? isc_tpb_read : isc_tpb_write;
    const unsigned char committed[] = {isc_tpb_version3, access, isc_tpb_read_committed, isc_tpb_rec_version,
                                       isc_tpb_wait};
    const unsigned char snapshot[] = {isc_tpb_version3, access, isc_tpb_concurrency, isc_tpb_wait};
    const unsigned char* tpb = options.snapshot ? snapshot : committed;
    const unsigned length = options.snapshot ? sizeof snapshot : sizeof committed;
    detail::AnswerGuard answer(connection.attachment(), connection.answerTime());
    m_transaction = detail::watched(answer, [&] {
        return detail::call(
            [&](ThrowStatusWrapper* st) { return connection.attachment()->startTransaction(st, length, tpb); });
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
