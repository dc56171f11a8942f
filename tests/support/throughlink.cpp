#include "support/throughlink.h"

fb::ConnectParams throughLink(fb::ConnectParams params, const netlink::LatencyProxy& proxy)
{
    params.database.replace(QStringLiteral("localhost:"), QString::fromStdString(proxy.databasePrefix()));
    return params;
}

void routeThroughLink(ds::Connection& connection, const netlink::LatencyProxy& proxy,
                      std::optional<std::chrono::milliseconds> answerTime)
{
    const ds::Connection::Event own = connection.beforeConnect;
    const QString prefix = QString::fromStdString(proxy.databasePrefix());
    connection.beforeConnect = [own, prefix, answerTime](ds::Connection& c) {
        if (own)
            own(c);
        c.settings.database.replace(QStringLiteral("localhost:"), prefix);
        if (answerTime)
            c.settings.answerTime = *answerTime;
    };
}
