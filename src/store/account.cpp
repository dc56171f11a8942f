// The rules for user names and passwords.

#include "store/account.h"

namespace store {

namespace {
// The server keeps names of up to 31 bytes.
constexpr int kMaxNameBytes = 31;
constexpr int kMinPasswordLength = 8;
// A password travels in the connection's parameter block, whose texts end at 255 bytes.
constexpr int kMaxPasswordBytes = 255;
} // namespace

fb::ConnectParams serverAdministration(const Account& administrator)
{
    fb::ConnectParams p;
    p.user = administrator.user;
    p.password = administrator.password;
    p.role = kServerAdminRole;
    return p;
}

QString userName(const QString& typed) { return typed.trimmed().toUpper(); }

QString userNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral(u"Informe o nome do usuário.");
    if (name.toUtf8().size() > kMaxNameBytes)
        return QStringLiteral(u"O nome do usuário é longo demais (até 31 letras sem acento).");
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral(u"O nome do usuário tem um caractere que não pode ser usado.");
    if (name == kServerAdministrator)
        return QStringLiteral(u"O administrador do servidor (SYSDBA) não trabalha no Marvok: entre com o seu "
                              u"próprio usuário.");
    return {};
}

QString passwordProblem(const QString& password)
{
    if (password.size() < kMinPasswordLength)
        return QStringLiteral(u"A senha deve ter pelo menos %1 caracteres.").arg(kMinPasswordLength);
    if (password.toUtf8().size() > kMaxPasswordBytes)
        return QStringLiteral(u"A senha é longa demais.");
    if (password.contains(QChar(0)))
        return QStringLiteral(u"A senha tem um caractere que não pode ser usado.");
    return {};
}

} // namespace store
