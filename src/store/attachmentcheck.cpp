#include "store/attachmentcheck.h"

#include "fb/connection.h"
#include "fb/statement.h"
#include "platform/settings.h"
#include "store/account.h"
#include "store/schemaversion.h"

namespace store {

namespace {

// One round to the server, readable under any role or none.
const QString kFacts = QStringLiteral(
    "select CURRENT_USER, CURRENT_ROLE, RDB$GET_CONTEXT('SYSTEM', 'WIRE_ENCRYPTED'),\n"
    "  (select count(*) from RDB$ROLES where RDB$ROLE_NAME in (?, ?))\n"
    "from RDB$DATABASE");

// The host of "host:path", "host/port:path" or "[address]/port:path";
// empty for a bare path.
QString hostOf(const QString& location)
{
    if (location.startsWith(u'['))
        return location.mid(1, location.indexOf(u']') - 1);
    const qsizetype colon = location.indexOf(u':');
    if (colon <= 0)
        return {};
    QString host = location.left(colon);
    if (host.contains(u'/'))
        host = host.left(host.indexOf(u'/'));
    return host;
}

} // namespace

bool isThisMachine(const QString& location)
{
    const QString host = hostOf(location).toLower();
    return host.isEmpty() || host == platform::thisComputer() || host == QStringLiteral("127.0.0.1") ||
           host == QStringLiteral("::1");
}

EUnencryptedConnection::EUnencryptedConnection(const QString& location)
    : EError(QStringLiteral(u"A conexão com o servidor do banco de dados (%1) não é criptografada, e o Marvok não "
                            u"trabalha sem criptografia com outro computador.\rPeça ao administrador que configure o "
                            u"servidor para a rede do consultório (marvok-setup server).")
                 .arg(location))
{
}

ENotInRole::ENotInRole(const QString& user)
    : EError(QStringLiteral(u"O usuário %1 não tem acesso ao Marvok neste banco de dados.\rPeça a um administrador "
                            u"do Marvok que o inclua em \"Usuários\".")
                 .arg(user))
{
}

AttachmentFacts attachmentFacts(fb::Connection& connection)
{
    const QVariantList row =
        fb::executeImmediate(connection.readTransaction(), kFacts, {kTherapistRole, kAdministratorRole}, 4);
    AttachmentFacts facts;
    facts.user = row.value(0).toString().trimmed();
    facts.role = row.value(1).toString().trimmed();
    facts.encrypted = row.value(2).toString() == QStringLiteral("TRUE");
    facts.programRoles = row.value(3).toInt();
    return facts;
}

void requireEncryption(const AttachmentFacts& facts, const QString& location)
{
    if (!facts.encrypted && !isThisMachine(location))
        throw EUnencryptedConnection(location);
}

void checkAttachment(fb::Connection& connection, const QString& location)
{
    const AttachmentFacts facts = attachmentFacts(connection);
    // Nothing of the record travels before this.
    requireEncryption(facts, location);
    if (facts.user == kServerAdministrator)
        throw EAccessRefused(userNameProblem(facts.user));
    if (facts.role != kTherapistRole && facts.role != kAdministratorRole) {
        if (facts.programRoles < 2)
            throw EOlderDatabase(-1, programSchemaVersion());
        throw ENotInRole(facts.user);
    }
    checkSchemaVersion(connection);
}

} // namespace store
