#pragma once
// Connections that reach the server through the latency proxy, as over the
// practice's network.

#include "dataset/connection.h"
#include "latencyproxy.h"

#include <chrono>
#include <optional>

// The settings of a connection with the server reached through the proxy.
fb::ConnectParams throughLink(fb::ConnectParams params, const netlink::LatencyProxy& proxy);

// From now on every attachment of the connection goes through the proxy,
// with its own answer time when one is given.
void routeThroughLink(ds::Connection& connection, const netlink::LatencyProxy& proxy,
                      std::optional<std::chrono::milliseconds> answerTime = std::nullopt);
