#include "fb/fbapi_p.h"
#include "fb/sqlquote.h"

#include <QString>
#include <atomic>

namespace fb {

bool FbError::isConnectionFailure() const
{
    static const intptr_t kConnectionCodes[] = {
        isc_network_error,  isc_net_connect_err, isc_net_connect_listen_err, isc_net_read_err,
        isc_net_write_err,  isc_lost_db_connection, isc_conn_lost,           isc_att_shutdown,
        isc_shutdown,       isc_bad_db_handle,    isc_unavailable,
        // A link cut before the server accepted the connection.
        isc_connect_reject,
    };
    for (intptr_t code : kConnectionCodes)
        if (hasCode(code))
            return true;
    return false;
}

bool FbError::isMissingBlob() const
{
    // The server reports a blob it collected under a reader's feet with its
    // generic code and this text, and one it never had as an invalid id.
    return hasCode(isc_bad_segstr_id) ||
           (hasCode(isc_random) && message().contains(QLatin1String("BLOB not found")));
}

bool FbError::isSeveralRows() const { return hasCode(isc_sing_select_err); }

bool FbError::isLoginRefused() const { return hasCode(isc_login); }

bool FbError::isPermissionDenied() const { return hasCode(isc_no_priv); }

bool FbError::isLockConflict() const
{
    return hasCode(isc_deadlock) || hasCode(isc_update_conflict) || hasCode(isc_lock_conflict) ||
           hasCode(isc_lock_timeout);
}

namespace detail {

static_assert(isc_spb_user_name == isc_dpb_user_name && isc_spb_password == isc_dpb_password &&
                  isc_spb_sql_role_name == isc_dpb_sql_role_name,
              "the account travels under the same tags in both kinds of block");

void insertAccount(Firebird::IXpbBuilder* block, Firebird::ThrowStatusWrapper* st, const ConnectParams& account)
{
    if (!account.user.isEmpty())
        block->insertString(st, isc_dpb_user_name, quoteIdentifier(account.user).toUtf8().constData());
    if (!account.password.isEmpty())
        block->insertString(st, isc_dpb_password, account.password.toUtf8().constData());
    if (!account.role.isEmpty())
        block->insertString(st, isc_dpb_sql_role_name, quoteIdentifier(account.role).toUtf8().constData());
}

} // namespace detail

namespace {
// Counted from every thread that talks to a server.
std::atomic<int> g_openHandles{0};
bool g_armed[int(FailPoint::Count)] = {};
} // namespace

void armFailPoint(FailPoint point) { g_armed[int(point)] = true; }

void disarmFailPoints()
{
    for (bool& armed : g_armed)
        armed = false;
}

int openHandles() { return g_openHandles; }

namespace detail {

void handleOpened() { ++g_openHandles; }
void handleClosed() { --g_openHandles; }

bool takeFailPoint(FailPoint point)
{
    const bool armed = g_armed[int(point)];
    g_armed[int(point)] = false;
    return armed;
}

void passFailPoint(FailPoint point)
{
    if (takeFailPoint(point))
        throw lostConnection();
}

FbError lostConnection()
{
    return FbError(QStringLiteral("Unable to complete network request to host \"localhost\".\n"
                                  "-Error reading data from the connection."),
                   {isc_network_error, isc_net_read_err});
}

FbError unanswered(const FbError& cause)
{
    return FbError(QStringLiteral("The server did not answer in time.\n") + cause.message(),
                   {isc_network_error, isc_net_read_err});
}

Firebird::IMaster* master()
{
    static Firebird::IMaster* m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil* util()
{
    static Firebird::IUtil* u = master()->getUtilInterface();
    return u;
}

Firebird::IProvider* provider()
{
    static Firebird::IProvider* p = master()->getDispatcher();
    return p;
}

FbError toError(const Firebird::IStatus* status)
{
    char buffer[4096];
    util()->formatStatus(buffer, sizeof buffer, const_cast<Firebird::IStatus*>(status));
    QVector<intptr_t> codes;
    // The status vector is a list of (argument kind, value) pairs; the
    // error codes are the values of isc_arg_gds pairs.
    for (const intptr_t* v = status->getErrors(); *v != isc_arg_end;) {
        const intptr_t kind = *v++;
        if (kind == isc_arg_cstring) {
            v += 2;
            continue;
        }
        if (kind == isc_arg_gds)
            codes.append(*v);
        ++v;
    }
    return FbError(QString::fromUtf8(buffer), codes);
}

} // namespace detail
} // namespace fb

namespace fb {

void shutdownClient()
{
    Firebird::IStatus* raw = detail::master()->getStatus();
    Firebird::CheckStatusWrapper status(raw);
    // A failure here has nothing left to tell: the program is ending.
    detail::provider()->shutdown(&status, 0, fb_shutrsn_app_stopped);
    raw->dispose();
}

} // namespace fb
