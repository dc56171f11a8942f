#pragma once
// The server's administrator, named here once: the tests make databases and
// users with it; the data module never connects with it.

#include "fb/connection.h"

// User and password, the database left to the caller.
inline fb::ConnectParams testAccount()
{
    fb::ConnectParams p;
    p.user = QStringLiteral("SYSDBA");
    p.password = QStringLiteral("velkarbin");
    return p;
}
