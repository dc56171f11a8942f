#pragma once
// Private to the fb layer: access to the Firebird OO API, the one place
// where a Firebird status becomes an FbError, and the ownership of the
// client library's handles.

#include "fb/answerwatch_p.h"
#include "fb/connection.h"
#include "fb/failpoint.h"
#include "fb/fberror.h"
#include <firebird/Interface.h>
#include <memory>

namespace fb::detail {

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IProvider* provider();

// Turns a Firebird status into our error type.
FbError toError(const Firebird::IStatus* status);

// Runs a call with a throwing status wrapper over the given status, cleared
// first, and converts its failure.
template <typename F>
auto callWith(Firebird::IStatus* raw, F&& f)
{
    raw->init();
    Firebird::ThrowStatusWrapper status(raw);
    try {
        return f(&status);
    } catch (const Firebird::FbException& e) {
        throw toError(e.getStatus());
    }
}

// The same with a status of its own.
template <typename F>
auto call(F&& f)
{
    Firebird::IStatus* raw = master()->getStatus();
    struct Disposer {
        Firebird::IStatus* s;
        ~Disposer() { s->dispose(); }
    } disposer{raw};
    return callWith(raw, std::forward<F>(f));
}

// Puts the account (user, password, role) into a connection's or a service
// manager's parameter block, which take it under the same tags. The names
// go quoted: the server would otherwise fold them to capitals. An empty user
// or password is left out, so that the client's ISC_USER and ISC_PASSWORD apply.
void insertAccount(Firebird::IXpbBuilder* block, Firebird::ThrowStatusWrapper* st, const ConnectParams& account);

// The error of a connection that broke.
FbError lostConnection();
// The error of a call the server did not answer in time, which is a broken
// connection too, whatever the client library made of it.
FbError unanswered(const FbError& cause);

// Runs work while the guard watches it.
template <typename F>
decltype(auto) watched(AnswerGuard& guard, F&& work)
{
    try {
        return work();
    } catch (const FbError& e) {
        if (guard.timedOut() && !e.isConnectionFailure())
            throw unanswered(e);
        throw;
    }
}
// Throws lostConnection() when a test armed the point.
void passFailPoint(FailPoint point);
bool takeFailPoint(FailPoint point);

// Bookkeeping of openHandles().
void handleOpened();
void handleClosed();

// One handle of the client library, released whatever path leaves its scope.
// The character sets a message names for its texts.
constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetUtf8 = 4;

// A message's description, released with its owner.
struct MetadataRelease {
    void operator()(Firebird::IMessageMetadata* m) const
    {
        if (m)
            m->release();
    }
};
using MetadataPtr = std::unique_ptr<Firebird::IMessageMetadata, MetadataRelease>;

// Handles that end with a call of their own (free, close, commit, detach)
// hand themselves back through end(): on success the call has released the
// interface, on failure it is released here.
template <typename T>
class Handle {
public:
    Handle() = default;
    explicit Handle(T* p) { reset(p); }
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    void reset(T* p = nullptr)
    {
        if (m_p) {
            m_p->release();
            handleClosed();
        }
        m_p = p;
        if (m_p)
            handleOpened();
    }

    template <typename F>
    void end(F&& finalCall)
    {
        if (!m_p)
            return;
        T* p = m_p;
        m_p = nullptr;
        handleClosed();
        try {
            call([&](Firebird::ThrowStatusWrapper* st) { finalCall(p, st); });
        } catch (...) {
            p->release();
            throw;
        }
    }

private:
    T* m_p = nullptr;
};

} // namespace fb::detail
