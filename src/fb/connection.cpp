#include "fb/connection.h"
#include "fb/fbapi_p.h"
#include "fb/transaction.h"

#include <algorithm>

using namespace Firebird;

namespace fb {

Connection::Connection() = default;

Connection::~Connection()
{
    try {
        disconnect();
    } catch (...) {
        // Released all the same.
    }
    for (AttachmentUser* user : m_users)
        user->connectionDestroyed();
}

namespace {
enum class Attach { Open, Create };

IAttachment* attach(const ConnectParams& params, Attach mode, int pageSize, bool forcedWrites)
{
    const QByteArray path = params.database.toUtf8();
    detail::AnswerGuard answer(detail::serverPortOf(path.constData()), params.answerTime);
    return detail::watched(answer, [&] {
        return detail::call([&](ThrowStatusWrapper* st) {
            IXpbBuilder* dpb = detail::util()->getXpbBuilder(st, IXpbBuilder::DPB, nullptr, 0);
            struct Guard {
                IXpbBuilder* b;
                ~Guard() { b->dispose(); }
            } guard{dpb};
            // Every text of the block is UTF-8 (the server reads them in the
            // system's character set otherwise, which refuses accents).
            dpb->insertTag(st, isc_dpb_utf8_filename);
            detail::insertAccount(dpb, st, params);
            if (!params.charset.isEmpty())
                dpb->insertString(st, isc_dpb_lc_ctype, params.charset.toUtf8().constData());
            dpb->insertInt(st, isc_dpb_sql_dialect, params.dialect);
            // The client's own limit, for the first exchange only; the guard watches the rest.
            if (params.answerTime.count() > 0) {
                const auto seconds = std::chrono::ceil<std::chrono::seconds>(params.answerTime).count();
                dpb->insertInt(st, isc_dpb_connect_timeout, int(std::max<long long>(1, seconds)));
            }
            if (mode == Attach::Create) {
                dpb->insertInt(st, isc_dpb_page_size, pageSize);
                dpb->insertString(st, isc_dpb_set_db_charset, "UTF8");
                dpb->insertInt(st, isc_dpb_force_write, forcedWrites ? 1 : 0);
            }
            IAttachment* att = mode == Attach::Create
                                   ? detail::provider()->createDatabase(st, path.constData(), dpb->getBufferLength(st),
                                                                        dpb->getBuffer(st))
                                   : detail::provider()->attachDatabase(st, path.constData(), dpb->getBufferLength(st),
                                                                        dpb->getBuffer(st));
            detail::handleOpened();
            return att;
        });
    });
}
} // namespace

void Connection::connect(const ConnectParams& params)
{
    if (m_attachment)
        return;
    m_attachment = attach(params, Attach::Open, 0, true);
    m_dialect = params.dialect;
    m_answerTime = params.answerTime;
}

void Connection::create(const ConnectParams& params, int pageSize, bool forcedWrites)
{
    disconnect();
    m_attachment = attach(params, Attach::Create, pageSize, forcedWrites);
    m_dialect = params.dialect;
    m_answerTime = params.answerTime;
}

Transaction& Connection::readTransaction()
{
    if (!m_read || !m_read->isActive())
        m_read = std::make_unique<Transaction>(*this, TransactionOptions{true});
    return *m_read;
}

void Connection::endReadTransaction() noexcept
{
    if (!m_read)
        return;
    try {
        m_read->commit();
    } catch (...) {
        // Gone with a broken link; the server ends it with the attachment.
    }
    m_read.reset();
}

void Connection::dropDatabase()
{
    if (!m_attachment)
        return;
    endUsers();
    endReadTransaction();
    detail::AnswerGuard guard(m_attachment, m_answerTime);
    detail::watched(guard, [&] { detail::call([&](ThrowStatusWrapper* st) { m_attachment->dropDatabase(st); }); });
    m_attachment = nullptr;   // a successful drop releases the interface
    detail::handleClosed();
}

void Connection::disconnect()
{
    if (!m_attachment)
        return;
    endUsers();
    endReadTransaction();
    IAttachment* att = m_attachment;
    m_attachment = nullptr;
    detail::handleClosed();
    try {
        detail::AnswerGuard guard(att, m_answerTime);
        detail::watched(guard, [&] { detail::call([&](ThrowStatusWrapper* st) { att->detach(st); }); });
    } catch (...) {
        // A broken connection cannot detach; its handle is released all the same.
        att->release();
        throw;
    }
}

void Connection::abandon() noexcept
{
    // The link is closed on this side first: a server that dropped the
    // attachment may leave what is still said to it (the rollback of an open
    // transaction, the detach) unanswered.
    if (m_attachment) {
        IStatus* status = detail::master()->getStatus();
        CheckStatusWrapper wrapper(status);
        m_attachment->cancelOperation(&wrapper, fb_cancel_abort);
        status->dispose();
    }
    if (m_read)
        m_read->abandon();
    m_read.reset();
    try {
        disconnect();
    } catch (...) {
    }
}

void Connection::enlist(AttachmentUser* user) { m_users.push_back(user); }

void Connection::delist(AttachmentUser* user) { m_users.erase(std::remove(m_users.begin(), m_users.end(), user), m_users.end()); }

void Connection::endUsers() noexcept
{
    // Statements go before their attachment: the client library frees what
    // they point to with it.
    const std::vector<AttachmentUser*> users = m_users;
    for (AttachmentUser* user : users)
        user->attachmentEnding();
}

} // namespace fb
