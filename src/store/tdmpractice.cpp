// The practice's data: read for every report and export, written by the
// "Dados do consultório" window, always the one row of CONSULTORIO.

#include "fb/statement.h"
#include "fb/transaction.h"
#include "store/tdm.h"

namespace {

QVariant textOrNull(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QVariant() : QVariant(trimmed);
}

} // namespace

TConsultorio Tdm::DadosConsultorio()
{
    return ZConnection1.use([](fb::Connection& connection) {
        const QVariantList row = fb::selectRows(connection, QStringLiteral("select NOME, ENDERECO, TELEFONE, "
                                                                           "REGISTRO, LOGOTIPO from CONSULTORIO "
                                                                           "where ID = 1"))
                                     .value(0);
        TConsultorio practice;
        practice.Nome = row.value(0).toString();
        practice.Endereco = row.value(1).toString();
        practice.Telefone = row.value(2).toString();
        practice.Registro = row.value(3).toString();
        practice.Logotipo = row.value(4).toByteArray();
        return practice;
    });
}

void Tdm::GravarDadosConsultorio(const TConsultorio& practice)
{
    ZConnection1.use([&](fb::Connection& connection) {
        fb::Transaction tx(connection);
        fb::Statement write(tx, QStringLiteral("update or insert into CONSULTORIO (ID, NOME, ENDERECO, TELEFONE, "
                                               "REGISTRO, LOGOTIPO) values (1, :NOME, :ENDERECO, :TELEFONE, "
                                               ":REGISTRO, :LOGOTIPO) matching (ID)"));
        write.setParam(QStringLiteral("NOME"), textOrNull(practice.Nome));
        write.setParam(QStringLiteral("ENDERECO"), textOrNull(practice.Endereco));
        write.setParam(QStringLiteral("TELEFONE"), textOrNull(practice.Telefone));
        write.setParam(QStringLiteral("REGISTRO"), textOrNull(practice.Registro));
        write.setParam(QStringLiteral("LOGOTIPO"),
                       practice.Logotipo.isEmpty() ? QVariant() : QVariant(practice.Logotipo));
        write.execute();
        tx.commit();
    });
}
