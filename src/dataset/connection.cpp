#include "dataset/connection.h"

namespace ds {

void Connection::connect()
{
    if (connected())
        return;
    if (beforeConnect)
        beforeConnect(*this);
    m_fb.connect(settings);
    if (afterConnect)
        afterConnect(*this);
}

void Connection::disconnect()
{
    if (!connected())
        return;
    if (beforeDisconnect)
        beforeDisconnect(*this);
    m_fb.disconnect();
    if (afterDisconnect)
        afterDisconnect(*this);
}

} // namespace ds
