// The change history's queries and the Portuguese names of what changed.

#include "store/changehistory.h"

#include "fb/connection.h"
#include "fb/statement.h"
#include "fb/transaction.h"

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

} // namespace

QList<ChangeEntry> changeHistory(fb::Connection& connection, const ChangeFilter& filter)
{
    fb::Transaction tx(connection, fb::TransactionOptions{true});
    fb::Statement st(tx, kHistory.arg(kChangePreview + 1)
                             .arg(filter.user.isEmpty() ? QString() : QStringLiteral(" AND A.USUARIO = :USUARIO")));
    st.setParam(QStringLiteral("PACIENTE"), filter.patient);
    st.setParam(QStringLiteral("DE"), QDateTime(filter.from.isValid() ? filter.from : QDate(1900, 1, 1), QTime(0, 0)));
    st.setParam(QStringLiteral("ATE"),
                QDateTime((filter.to.isValid() ? filter.to : QDate(9999, 12, 30)).addDays(1), QTime(0, 0)));
    if (!filter.user.isEmpty())
        st.setParam(QStringLiteral("USUARIO"), filter.user);
    st.execute();
    QList<ChangeEntry> entries;
    while (st.fetch()) {
        ChangeEntry e;
        e.audit = st.value(0).toLongLong();
        e.when = st.value(1).toDateTime();
        e.user = st.value(2).toString();
        e.table = st.value(3).toString();
        e.key = st.value(4).toString();
        const QString action = st.value(5).toString();
        e.action = action.isEmpty() ? QChar() : action.front();
        e.field = st.value(6).toString();
        e.before = text(st.value(7));
        e.after = text(st.value(8));
        e.cut = e.before.size() > kChangePreview || e.after.size() > kChangePreview;
        e.before.truncate(kChangePreview);
        e.after.truncate(kChangePreview);
        entries << e;
    }
    st.closeCursor();
    tx.commit();
    return entries;
}

QStringList changeUsers(fb::Connection& connection, int patient)
{
    fb::Transaction tx(connection, fb::TransactionOptions{true});
    fb::Statement st(tx, QStringLiteral("SELECT DISTINCT USUARIO FROM AUDITORIA WHERE PACIENTE = :PACIENTE ORDER BY 1"));
    st.setParam(QStringLiteral("PACIENTE"), patient);
    st.execute();
    QStringList users;
    while (st.fetch())
        users << st.value(0).toString();
    st.closeCursor();
    tx.commit();
    return users;
}

std::pair<QString, QString> changeValues(fb::Connection& connection, qint64 audit, const QString& field)
{
    fb::Transaction tx(connection, fb::TransactionOptions{true});
    fb::Statement st(tx, QStringLiteral("SELECT ANTES, DEPOIS FROM AUDITORIA_CAMPO WHERE AUDITORIA = :AUDITORIA AND "
                                        "CAMPO = :CAMPO"));
    st.setParam(QStringLiteral("AUDITORIA"), audit);
    st.setParam(QStringLiteral("CAMPO"), field);
    st.execute();
    std::pair<QString, QString> values;
    if (st.fetch())
        values = {text(st.value(0)), text(st.value(1))};
    st.closeCursor();
    tx.commit();
    return values;
}

QString changeTableLabel(const QString& table)
{
    static const QHash<QString, QString> labels{
        {QStringLiteral("PACIENTE"), QStringLiteral("Ficha")},
        {QStringLiteral("PAIS"), QStringLiteral("Pais")},
        {QStringLiteral("IRMAO"), QStringLiteral(u"Irmão")},
        {QStringLiteral("CONSULTA"), QStringLiteral(u"Sessão")},
        {QStringLiteral("BRINQUEDO_NA_CONSULTA"), QStringLiteral(u"Brinquedo da sessão")},
        {QStringLiteral("REAVALIACAO"), QStringLiteral(u"Reavaliação")},
        {QStringLiteral("INDICACAO"), QStringLiteral(u"Indicação")},
        {QStringLiteral("ORIENTACAO"), QStringLiteral(u"Orientação")},
        {QStringLiteral("HISTORICO"), QStringLiteral(u"Histórico")},
    };
    return labels.value(table, table);
}

QString changeFieldLabel(const QString& field)
{
    static const QHash<QString, QString> labels{
        {QStringLiteral("ID"), QStringLiteral(u"Número")},
        {QStringLiteral("NOME"), QStringLiteral("Nome")},
        {QStringLiteral("EMAIL"), QStringLiteral("E-mail")},
        {QStringLiteral("NASCIMENTO"), QStringLiteral("Nascimento")},
        {QStringLiteral("CADASTRO"), QStringLiteral("Entrada")},
        {QStringLiteral("SAIDA"), QStringLiteral(u"Saída")},
        {QStringLiteral("STATUS"), QStringLiteral(u"Situação")},
        {QStringLiteral("FONE"), QStringLiteral("Fone")},
        {QStringLiteral("FONE2"), QStringLiteral("Fone (2)")},
        {QStringLiteral("ENDERECO"), QStringLiteral(u"Endereço")},
        {QStringLiteral("BAIRRO"), QStringLiteral("Bairro")},
        {QStringLiteral("CIDADE"), QStringLiteral("Cidade")},
        {QStringLiteral("UF"), QStringLiteral("UF")},
        {QStringLiteral("CEP"), QStringLiteral("CEP")},
        {QStringLiteral("INSTRUCAO"), QStringLiteral(u"Instrução")},
        {QStringLiteral("ESCOLA"), QStringLiteral("Escola")},
        {QStringLiteral("TERAPEUTA"), QStringLiteral("Terapeuta")},
        {QStringLiteral("CARATER"), QStringLiteral(u"Caráter")},
        {QStringLiteral("PROCEDENCIA"), QStringLiteral(u"Procedência")},
        {QStringLiteral("PACIENTE"), QStringLiteral("Paciente")},
        {QStringLiteral("TIPO"), QStringLiteral("Tipo")},
        {QStringLiteral("PROFISSAO"), QStringLiteral(u"Profissão")},
        {QStringLiteral("FONE_RES"), QStringLiteral("Fone residencial")},
        {QStringLiteral("FONE_PROF"), QStringLiteral("Fone profissional")},
        {QStringLiteral("FONE_CEL"), QStringLiteral("Celular")},
        {QStringLiteral("DATA"), QStringLiteral("Data")},
        {QStringLiteral("HORA"), QStringLiteral("Hora")},
        {QStringLiteral("OBSERVACOES"), QStringLiteral(u"Observações")},
        {QStringLiteral("CONSULTA"), QStringLiteral(u"Sessão")},
        {QStringLiteral("BRINQUEDO"), QStringLiteral("Brinquedo")},
        {QStringLiteral("CONTEUDO"), QStringLiteral(u"Conteúdo")},
        {QStringLiteral("NOTA"), QStringLiteral("Nota")},
    };
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
