#pragma once
// One attachment to a Firebird database through the client library.

#include <QString>
#include <chrono>
#include <memory>
#include <vector>

namespace Firebird {
class IAttachment;
}

namespace fb {

struct ConnectParams {
    QString database;              // "localhost:/folder/marvok.fdb"
    // The user's name exactly as the server keeps it (case and blanks
    // count); empty: the client's ISC_USER.
    QString user;
    QString password;              // empty: the client's ISC_PASSWORD
    QString role;                  // empty: none (the user's own rights only)
    QString charset = QStringLiteral("UTF8");
    int dialect = 3;
    // How long one call may wait for the server's answer, attaching
    // included; then the link is taken for broken and the call fails as a
    // lost connection. Zero waits as long as the call takes (bulk work,
    // tools), which a link that went silent makes for ever.
    std::chrono::milliseconds answerTime{0};

    // The same account at another database.
    ConnectParams at(const QString& otherDatabase) const
    {
        ConnectParams p = *this;
        p.database = otherDatabase;
        return p;
    }
};

class Transaction;

// Something that holds handles of an attachment (a prepared statement): it
// lets go of them before the attachment goes, whether it is detached or
// abandoned, and can be prepared again on the next attachment.
class AttachmentUser {
public:
    virtual void attachmentEnding() noexcept = 0;
    // The connection itself is being destroyed: forget it.
    virtual void connectionDestroyed() noexcept = 0;

protected:
    ~AttachmentUser() = default;
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void connect(const ConnectParams& params);   // throws FbError
    // Creates the database file named in params and stays attached to it.
    // Without forced writes the server leaves flushing to the system (test files).
    void create(const ConnectParams& params, int pageSize = 8192, bool forcedWrites = true);
    // Deletes the attached database file.
    void dropDatabase();
    void disconnect();                           // throws FbError; the attachment is gone either way
    // Lets go of an attachment that the server or the network has dropped,
    // closing its link without waiting for the server: the next connect
    // attaches again.
    void abandon() noexcept;
    bool isConnected() const { return m_attachment != nullptr; }
    int dialect() const { return m_dialect; }
    std::chrono::milliseconds answerTime() const { return m_answerTime; }

    // A read-only read-committed transaction kept while the attachment
    // lives, started at its first use: reads and generator draws need no
    // transaction of their own, and the server lets such a transaction
    // hold back no garbage collection.
    Transaction& readTransaction();

    Firebird::IAttachment* attachment() const { return m_attachment; }

    void enlist(AttachmentUser* user);
    void delist(AttachmentUser* user);

private:
    void endUsers() noexcept;

    void endReadTransaction() noexcept;

    Firebird::IAttachment* m_attachment = nullptr;
    int m_dialect = 3;
    std::chrono::milliseconds m_answerTime{0};
    std::unique_ptr<Transaction> m_read;
    std::vector<AttachmentUser*> m_users;
};

} // namespace fb
