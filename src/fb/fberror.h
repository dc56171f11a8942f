#pragma once
// A failure reported by the Firebird client or server, with the server's
// whole message text and the error codes of its status vector.

#include "core/eerror.h"
#include <QVector>
#include <cstdint>

namespace fb {

class FbError : public EError {
public:
    FbError(QString message, QVector<intptr_t> codes) : EError(std::move(message)), m_codes(std::move(codes)) {}
    const QVector<intptr_t>& codes() const { return m_codes; }
    bool hasCode(intptr_t code) const { return m_codes.contains(code); }
    // True when the error means that the server was never reached or the
    // connection broke, as opposed to the server refusing a statement.
    bool isConnectionFailure() const;
    // A blob the reader's transaction no longer finds: the row version it
    // belonged to was collected after another attachment changed the row.
    bool isMissingBlob() const;
    // A statement meant for one row (RETURNING) found several.
    bool isSeveralRows() const;
    // The server did not accept the user name and password (a user that
    // does not exist or is deactivated reads the same).
    bool isLoginRefused() const;
    // The statement needs a right that the attachment lacks.
    bool isPermissionDenied() const;
    // Another transaction holds what the statement would change (a deadlock,
    // an update conflict): the same work may succeed a moment later.
    bool isLockConflict() const;

private:
    QVector<intptr_t> m_codes;
};

} // namespace fb
