#include "fb/connection.h"
#include "fb/fbapi_p.h"

#include <algorithm>

using namespace Firebird;

namespace fb {

Connection::~Connection()
{
    abandon();
    for (AttachmentUser* user : m_users)
        user->connectionDestroyed();
}

namespace {
enum class Attach { Open, Create };

IAttachment* attach(const ConnectParams& params, Attach mode, int pageSize, bool forcedWrites)
{
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
        if (mode == Attach::Create) {
            dpb->insertInt(st, isc_dpb_page_size, pageSize);
            dpb->insertString(st, isc_dpb_set_db_charset, "UTF8");
            dpb->insertInt(st, isc_dpb_force_write, forcedWrites ? 1 : 0);
        }
        const QByteArray path = params.database.toUtf8();
        IAttachment* att =
            mode == Attach::Create
                ? detail::provider()->createDatabase(st, path.constData(), dpb->getBufferLength(st), dpb->getBuffer(st))
                : detail::provider()->attachDatabase(st, path.constData(), dpb->getBufferLength(st), dpb->getBuffer(st));
        detail::handleOpened();
        return att;
    });
}
} // namespace

void Connection::connect(const ConnectParams& params)
{
    if (m_attachment)
        return;
    m_attachment = attach(params, Attach::Open, 0, true);
    m_dialect = params.dialect;
}

void Connection::create(const ConnectParams& params, int pageSize, bool forcedWrites)
{
    disconnect();
    m_attachment = attach(params, Attach::Create, pageSize, forcedWrites);
    m_dialect = params.dialect;
}

void Connection::dropDatabase()
{
    if (!m_attachment)
        return;
    endUsers();
    detail::call([&](ThrowStatusWrapper* st) { m_attachment->dropDatabase(st); });
    m_attachment = nullptr;   // a successful drop releases the interface
    detail::handleClosed();
}

void Connection::disconnect()
{
    if (!m_attachment)
        return;
    endUsers();
    IAttachment* att = m_attachment;
    m_attachment = nullptr;
    detail::handleClosed();
    try {
        detail::call([&](ThrowStatusWrapper* st) { att->detach(st); });
    } catch (...) {
        // A broken connection cannot detach; its handle is released all the same.
        att->release();
        throw;
    }
}

void Connection::abandon() noexcept
{
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
