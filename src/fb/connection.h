#pragma once
// One attachment to a Firebird database through the client library.

#include <QString>

namespace Firebird {
class IAttachment;
}

namespace fb {

struct ConnectParams {
    QString database;              // "localhost:/folder/marvok.fdb"
    QString user;
    QString password;
    QString charset = QStringLiteral("UTF8");
    int dialect = 3;
};

class Connection {
public:
    Connection() = default;
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
    bool isConnected() const { return m_attachment != nullptr; }
    int dialect() const { return m_dialect; }

    Firebird::IAttachment* attachment() const { return m_attachment; }

private:
    Firebird::IAttachment* m_attachment = nullptr;
    int m_dialect = 3;
};

} // namespace fb
