#pragma once
// A database connection with events around connecting and disconnecting,
// on which SQL data sets run their statements.
//
// A connection that the server or the network dropped does not linger: the
// operation that finds it broken releases the dead attachment and raises
// EConnectionLost, and the next operation attaches again by itself. A call
// that the server leaves unanswered for settings.answerTime (8 s unless set
// otherwise) counts as a broken connection too: a link that went silent
// does not hold the program for ever.

#include "dataset/dberror.h"
#include "fb/connection.h"
#include "fb/fberror.h"

#include <QString>
#include <functional>
#include <list>
#include <memory>

namespace fb {
class Statement;
class Transaction;
}

namespace ds {

class Connection {
public:
    using Event = std::function<void(Connection&)>;

    Connection();
    ~Connection();
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

    // A statement of this text prepared on the attachment and kept for the
    // next call (a prepare is an exchange with the server), ready to run on
    // the transaction given. Only the statements used last are kept.
    fb::Statement& statement(fb::Transaction& transaction, const QString& sql);

    Event beforeConnect, afterConnect, beforeDisconnect, afterDisconnect;
    // Runs after afterConnect when the attachment before this one was lost:
    // the changes that stayed pending can be sent now that the server answers.
    Event afterReattach;

private:
    void connect(bool changesKept);
    [[noreturn]] void lost(const fb::FbError& error, bool changesKept);

    fb::Connection m_fb;
    bool m_dropped = false;   // the attachment was lost, not disconnected
    // Kept statements, the one used last first; they go before m_fb.
    std::list<std::pair<QString, std::unique_ptr<fb::Statement>>> m_statements;
};

} // namespace ds
