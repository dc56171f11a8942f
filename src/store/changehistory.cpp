// The change history's queries and the Portuguese names of what changed.

#include "store/changehistory.h"

#include "fb/connection.h"
#include "fb/statement.h"

#include <QHash>

namespace store {

namespace {

// The list needs only the start of a long note; the whole one is read when
// the user picks that change.
const QString kHistory = QStringLiteral(
    "SELECT A.ID, A.MOMENTO, A.USUARIO, A.TABELA, A.CHAVE, A.ACAO, C.CAMPO,\n"
    "       CAST(SUBSTRING(C.ANTES FROM 1 FOR %1) AS VARCHAR(%1) CHARACTER SET UTF8),\n"
    "       CAST(SUBSTRING(C.DEPOIS FROM 1 FOR %1) AS VARCHAR(%1) CHARACTER SET UTF8)\n"
    "FROM AUDITORIA A JOIN AUDITORIA_CAMPO C ON C.AUDITORIA = A.ID\n"
    "WHERE A.PACIENTE = :PACIENTE AND A.MOMENTO >= :DE AND A.MOMENTO < :ATE%2\n"
    "ORDER BY A.MOMENTO DESC, A.ID DESC, C.CAMPO");

QString text(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// The Portuguese names of the tables and columns, by their names in the database.
QHash<QString, QString> labelsOf(std::initializer_list<std::pair<const char*, const char16_t*>> names)
{
    QHash<QString, QString> labels;
    for (const auto& [name, label] : names)
        labels.insert(QString::fromLatin1(name), QString::fromUtf16(label));
    return labels;
}

} // namespace

QList<ChangeEntry> changeHistory(fb::Connection& connection, const ChangeFilter& filter)
{
    QList<ChangeEntry> entries;
    const QString sql = kHistory.arg(kChangePreview + 1)
                            .arg(filter.user.isEmpty() ? QString() : QStringLiteral(" AND A.USUARIO = :USUARIO"));
    QVariantList params{filter.patient,
                        QDateTime(filter.from.isValid() ? filter.from : QDate(1900, 1, 1), QTime(0, 0)),
                        QDateTime((filter.to.isValid() ? filter.to : QDate(9999, 12, 30)).addDays(1), QTime(0, 0))};
    if (!filter.user.isEmpty())
        params << filter.user;
    for (const QVariantList& row : fb::selectRows(connection, sql, params)) {
        ChangeEntry e;
        e.audit = row.value(0).toLongLong();
        e.when = row.value(1).toDateTime();
        e.user = row.value(2).toString();
        e.table = row.value(3).toString();
        e.key = row.value(4).toString();
        const QString action = row.value(5).toString();
        e.action = action.isEmpty() ? QChar() : action.front();
        e.field = row.value(6).toString();
        e.before = text(row.value(7));
        e.after = text(row.value(8));
        e.cut = e.before.size() > kChangePreview || e.after.size() > kChangePreview;
        e.before.truncate(kChangePreview);
        e.after.truncate(kChangePreview);
        entries << e;
    }
    return entries;
}

QStringList changeUsers(fb::Connection& connection, int patient)
{
    QStringList users;
    for (const QVariantList& row : fb::selectRows(
             connection, QStringLiteral("SELECT DISTINCT USUARIO FROM AUDITORIA WHERE PACIENTE = :PACIENTE ORDER BY 1"),
             {patient}))
        users << row.value(0).toString();
    return users;
}

std::pair<QString, QString> changeValues(fb::Connection& connection, qint64 audit, const QString& field)
{
    const QVariantList row =
        fb::selectRows(connection,
                       QStringLiteral("SELECT ANTES, DEPOIS FROM AUDITORIA_CAMPO WHERE AUDITORIA = :AUDITORIA AND "
                                      "CAMPO = :CAMPO"),
                       {audit, field})
            .value(0);
    return {text(row.value(0)), text(row.value(1))};
}

QString changeTableLabel(const QString& table)
{
    static const QHash<QString, QString> labels = labelsOf({
        {"PACIENTE", u"Ficha"}, {"PAIS", u"Pais"}, {"IRMAO", u"Irmão"},
        {"CONSULTA", u"Sessão"}, {"BRINQUEDO_NA_CONSULTA", u"Brinquedo da sessão"},
        {"REAVALIACAO", u"Reavaliação"}, {"INDICACAO", u"Indicação"}, {"ORIENTACAO", u"Orientação"}, {"HISTORICO", u"Histórico"},
    });
    return labels.value(table, table);
}

QString changeFieldLabel(const QString& field)
{
    static const QHash<QString, QString> labels = labelsOf({
        {"ID", u"Número"}, {"NOME", u"Nome"}, {"EMAIL", u"E-mail"}, {"NASCIMENTO", u"Nascimento"},
        {"CADASTRO", u"Entrada"}, {"SAIDA", u"Saída"}, {"STATUS", u"Situação"},
        {"FONE", u"Fone"}, {"FONE2", u"Fone (2)"},
        {"ENDERECO", u"Endereço"}, {"BAIRRO", u"Bairro"}, {"CIDADE", u"Cidade"}, {"UF", u"UF"}, {"CEP", u"CEP"},
        {"INSTRUCAO", u"Instrução"}, {"ESCOLA", u"Escola"}, {"TERAPEUTA", u"Terapeuta"}, {"CARATER", u"Caráter"},
        {"PROCEDENCIA", u"Procedência"},
        {"PACIENTE", u"Paciente"}, {"TIPO", u"Tipo"}, {"PROFISSAO", u"Profissão"},
        {"FONE_RES", u"Fone residencial"}, {"FONE_PROF", u"Fone profissional"}, {"FONE_CEL", u"Celular"},
        {"DATA", u"Data"}, {"HORA", u"Hora"}, {"OBSERVACOES", u"Observações"},
        {"CONSULTA", u"Sessão"}, {"BRINQUEDO", u"Brinquedo"}, {"CONTEUDO", u"Conteúdo"}, {"NOTA", u"Nota"},
    });
    return labels.value(field, field);
}

QString changeActionLabel(QChar action)
{
    switch (action.unicode()) {
    case u'I':
        return QStringLiteral(u"Inclusão");
    case u'E':
        return QStringLiteral(u"Exclusão");
    default:
        return QStringLiteral(u"Alteração");
    }
}

} // namespace store
