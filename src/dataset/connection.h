#pragma once
// A database connection with events around connecting and disconnecting,
// on which SQL data sets run their statements.

#include "fb/connection.h"

#include <functional>

namespace ds {

class Connection {
public:
    using Event = std::function<void(Connection&)>;

    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Settings used at the next connect; beforeConnect may still change them.
    fb::ConnectParams settings;

    // Connects unless connected. A failed connect leaves the connection closed;
    // a failing after-connect handler leaves it open and raises its error.
    void connect();
    // Runs beforeDisconnect (which may refuse by throwing), then detaches.
    void disconnect();
    bool connected() const { return m_fb.isConnected(); }
    fb::Connection& handle() { return m_fb; }

    Event beforeConnect, afterConnect, beforeDisconnect, afterDisconnect;

private:
    fb::Connection m_fb;
};

} // namespace ds
