#pragma once
// The one account every test connects with: the server's administrator.

#include "fb/connection.h"

// User and password, the database left to the caller.
inline fb::ConnectParams testAccount()
{
    fb::ConnectParams p;
    p.user = QStringLiteral("SYSDBA");
    p.password = QStringLiteral("velkarbin");
    return p;
}
