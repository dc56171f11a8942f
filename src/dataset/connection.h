#pragma once
// A database connection with events around connecting and disconnecting,
// on which SQL data sets run their statements.
//
// A connection that the server or the network dropped does not linger: the
// operation that finds it broken releases the dead attachment and raises
// EConnectionLost, and the next operation attaches again by itself.

#include "dataset/dberror.h"
#include "fb/connection.h"
#include "fb/fberror.h"

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

    // Connects unless connected. A failed connect leaves the connection closed
    // (EConnectionLost when the server cannot be reached); a failing
    // after-connect handler leaves it open and raises its error.
    void connect();
    // Runs beforeDisconnect (which may refuse by throwing), then detaches.
    // A connection whose attachment was dropped still runs beforeDisconnect,
    // so that what its data sets hold reaches the database first.
    void disconnect();
    bool connected() const { return m_fb.isConnected(); }
    fb::Connection& handle() { return m_fb; }

    // Connects, then runs work(handle()). A failure that shows the connection
    // broken releases the attachment and is raised as EConnectionLost;
    // changesKept words it for a save whose changes stay pending.
    template <typename F>
    decltype(auto) use(F&& work, bool changesKept = false)
    {
        connect(changesKept);
        try {
            return work(m_fb);
        } catch (const fb::FbError& error) {
            if (!error.isConnectionFailure())
                throw;
            lost(error, changesKept);
        }
    }

    Event beforeConnect, afterConnect, beforeDisconnect, afterDisconnect;

private:
    void connect(bool changesKept);
    [[noreturn]] void lost(const fb::FbError& error, bool changesKept);

    fb::Connection m_fb;
    bool m_dropped = false;   // the attachment was lost, not disconnected
};

} // namespace ds
