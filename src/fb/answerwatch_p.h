#pragma once
// Private to the fb layer: no call to the server waits for ever. While a
// guard lives, the calls its thread makes for one connection must be
// answered within the connection's answer time; a call still waiting then
// has its link cut from the watch's own thread (the client library's abort
// of the attachment or, while the attachment is still being made, a
// shutdown of its new socket), so that it fails as a broken connection
// does. A link that went silent (a Wi-Fi that dropped, a server that
// stopped answering) otherwise leaves the client waiting for an answer that
// never comes: the system acknowledges what the client sends, so no timeout
// of its own ends the wait.

#include <chrono>

namespace Firebird {
class IAttachment;
}

namespace fb::detail {

class AnswerGuard {
public:
    // Calls on an attachment; an answer time of zero watches nothing.
    AnswerGuard(Firebird::IAttachment* attachment, std::chrono::milliseconds answerTime);
    // An attachment being made to a server port (0: unknown, any new socket is its).
    AnswerGuard(int serverPort, std::chrono::milliseconds answerTime);
    ~AnswerGuard();
    AnswerGuard(const AnswerGuard&) = delete;
    AnswerGuard& operator=(const AnswerGuard&) = delete;

    // The server did not answer in time: the watch cut the link, or the
    // call took the whole answer time.
    bool timedOut();

private:
    void arm(Firebird::IAttachment* attachment, int serverPort, std::chrono::milliseconds answerTime);
    void end();

    bool m_outer = false;   // the outermost guard of its thread, the one watched
    bool m_ended = false;
    bool m_cut = false;
    std::chrono::steady_clock::time_point m_deadline;
};

// The server port named by a database location ("host/port:path",
// "inet://host:port/path"), 3050 for "host:path", 0 when it is a service name.
int serverPortOf(const char* location);

} // namespace fb::detail
