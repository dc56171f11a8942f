#pragma once
// A transaction with an explicit parameter block. One that is neither
// committed nor rolled back rolls back when it goes out of scope.

namespace Firebird {
class ITransaction;
}

namespace fb {

class Connection;

struct TransactionOptions {
    bool readOnly = false;   // read committed, record version, wait in both cases
    // A snapshot instead of read committed: the row versions it reads, and
    // their memos, stay until it ends, whatever other attachments commit.
    bool snapshot = false;
};

class Transaction {
public:
    explicit Transaction(Connection& connection, TransactionOptions options = {});
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();
    // Lets go of a transaction whose attachment's link is closed: the
    // server ends it with the attachment.
    void abandon() noexcept;
    bool isActive() const { return m_transaction != nullptr; }

    Connection& connection() const { return m_connection; }
    Firebird::ITransaction* handle() const { return m_transaction; }

private:
    Connection& m_connection;
    Firebird::ITransaction* m_transaction = nullptr;
};

} // namespace fb
