#include "dataset/connection.h"

namespace ds {

void Connection::connect() { connect(false); }

void Connection::connect(bool changesKept)
{
    if (connected())
        return;
    if (beforeConnect)
        beforeConnect(*this);
    try {
        m_fb.connect(settings);
    } catch (const fb::FbError& error) {
        if (error.isConnectionFailure())
            throw EConnectionLost(error.message(), changesKept);
        throw;
    }
    m_dropped = false;
    if (!afterConnect)
        return;
    try {
        afterConnect(*this);
    } catch (const fb::FbError& error) {
        if (error.isConnectionFailure())
            lost(error, changesKept);
        throw;
    }
}

void Connection::disconnect()
{
    if (!connected() && !m_dropped)
        return;
    if (beforeDisconnect)
        beforeDisconnect(*this);
    try {
        m_fb.disconnect();
    } catch (const fb::FbError& error) {
        // A dropped attachment is gone already, which is what was asked.
        if (!error.isConnectionFailure())
            throw;
    }
    m_dropped = false;
    if (afterDisconnect)
        afterDisconnect(*this);
}

void Connection::lost(const fb::FbError& error, bool changesKept)
{
    m_fb.abandon();
    m_dropped = true;
    throw EConnectionLost(error.message(), changesKept);
}

} // namespace ds
