#include "fb/fbapi_p.h"

#include <QString>

namespace fb {

bool FbError::isConnectionFailure() const
{
    static const intptr_t kConnectionCodes[] = {
        isc_network_error,  isc_net_connect_err, isc_net_connect_listen_err, isc_net_read_err,
        isc_net_write_err,  isc_lost_db_connection, isc_conn_lost,           isc_att_shutdown,
        isc_shutdown,       isc_bad_db_handle,    isc_unavailable,
    };
    for (intptr_t code : kConnectionCodes)
        if (hasCode(code))
            return true;
    return false;
}

namespace detail {

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
