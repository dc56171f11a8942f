// Database locations as the client library reads them: which server, which
// path, and where that server's service manager is.

#include "fb/location.h"

#include <gtest/gtest.h>

namespace {

TEST(FbLocation, SplitsServerAndPath)
{
    struct Case {
        QString location, server, path, serviceManager;
    } cases[] = {
        {"localhost:/pasta com espaço/marvok.fdb", "localhost", "/pasta com espaço/marvok.fdb", "localhost:service_mgr"},
        {"servidor/3051:marvok", "servidor/3051", "marvok", "servidor/3051:service_mgr"},
        {"[::1]:/x/marvok.fdb", "[::1]", "/x/marvok.fdb", "[::1]:service_mgr"},
        {"C:\\Marvok\\marvok.fdb", "", "C:\\Marvok\\marvok.fdb", "service_mgr"},
        {"/x/marvok.fdb", "", "/x/marvok.fdb", "service_mgr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.location.toStdString());
        const fb::Location at = fb::parseLocation(c.location);
        EXPECT_EQ(at.server, c.server);
        EXPECT_EQ(at.path, c.path);
        EXPECT_EQ(at.serviceManager(), c.serviceManager);
        EXPECT_EQ(at.text(), c.location);
        EXPECT_EQ(at.sibling(QStringLiteral("/y/outro.fdb")).server, c.server);
    }
}

TEST(FbLocation, TheServersFolderOfAPath)
{
    EXPECT_EQ(fb::serverFolderOf(QStringLiteral("/var/lib/marvok/marvok.fdb")), QStringLiteral("/var/lib/marvok/"));
    EXPECT_EQ(fb::serverFolderOf(QStringLiteral("C:\\Marvok\\marvok.fdb")), QStringLiteral("C:\\Marvok\\"));
    EXPECT_EQ(fb::serverFolderOf(QStringLiteral("marvok")), QString());
}

} // namespace
