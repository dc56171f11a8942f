#include "dataset/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"

namespace ds {

// A user waits this long at most for an answer before learning that the
// server cannot be reached; the program's statements take far less.
constexpr std::chrono::seconds kAnswerTime{8};

Connection::Connection() { settings.answerTime = kAnswerTime; }

Connection::~Connection() = default;

void Connection::connect() { connect(false); }

void Connection::connect(bool changesKept)
{
    if (connected())
        return;
    if (beforeConnect)
        beforeConnect(*this);
    try {
        m_fb.connect(settings);
    } catch (const fb::FbError& error) {
        if (error.isConnectionFailure())
            throw EConnectionLost(error.message(), changesKept);
        throw;
    }
    const bool reattached = m_dropped;
    m_dropped = false;
    try {
        if (afterConnect)
            afterConnect(*this);
        if (reattached && afterReattach)
            afterReattach(*this);
    } catch (const fb::FbError& error) {
        if (error.isConnectionFailure())
            lost(error, changesKept);
        throw;
    }
}

void Connection::disconnect()
{
    if (!connected() && !m_dropped)
        return;
    if (beforeDisconnect)
        beforeDisconnect(*this);
    try {
        m_fb.disconnect();
    } catch (const fb::FbError& error) {
        // A dropped attachment is gone already, which is what was asked.
        if (!error.isConnectionFailure())
            throw;
    }
    m_dropped = false;
    if (afterDisconnect)
        afterDisconnect(*this);
}

fb::Statement& Connection::statement(fb::Transaction& transaction, const QString& sql)
{
    constexpr size_t kKept = 64;
    auto it = m_statements.begin();
    while (it != m_statements.end() && it->first != sql)
        ++it;
    if (it != m_statements.end()) {
        m_statements.splice(m_statements.begin(), m_statements, it);
    } else {
        m_statements.emplace_front(sql, nullptr);
        if (m_statements.size() > kKept)
            m_statements.pop_back();
    }
    std::unique_ptr<fb::Statement>& kept = m_statements.front().second;
    // Prepared again when the attachment it was prepared on has ended.
    if (!kept || !kept->isPrepared()) {
        kept.reset();
        try {
            kept = std::make_unique<fb::Statement>(transaction, sql);
        } catch (...) {
            m_statements.pop_front();
            throw;
        }
    }
    return *kept;
}

void Connection::lost(const fb::FbError& error, bool changesKept)
{
    m_fb.abandon();
    m_dropped = true;
    throw EConnectionLost(error.message(), changesKept);
}

} // namespace ds
