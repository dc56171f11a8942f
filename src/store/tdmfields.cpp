// The columns of the record data sets: types, sizes, labels, widths,
// hidden columns, masks, lookup columns and the order each data set keeps.

#include "store/phonemask.h"
#include "store/tdm.h"

using ds::FieldType;

namespace {

const QString kPhoneMask = store::phoneMask(store::PhoneStyle::Box);
const QString kPostalCodeMask = QStringLiteral("00\\.000\\-999;0; ");
const QString kStateMask = QStringLiteral(">ll;0; ");

ds::Field& text(ds::DataSet& d, const char* name, int size, bool required = false)
{
    return d.addField(QString::fromLatin1(name), FieldType::Text, size, required);
}

ds::Field& integer(ds::DataSet& d, const char* name, bool required = false)
{
    return d.addField(QString::fromLatin1(name), FieldType::Integer, 0, required);
}

ds::Field& date(ds::DataSet& d, const char* name, bool required = false)
{
    return d.addField(QString::fromLatin1(name), FieldType::Date, 0, required);
}

ds::Field& memo(ds::DataSet& d, const char* name, bool required = false)
{
    return d.addField(QString::fromLatin1(name), FieldType::Memo, 0, required);
}

ds::Field& lookup(ds::DataSet& d, const char* name, const char* key, ds::DataSet& ref, const char* shown, int size)
{
    return d.addLookupField(QString::fromLatin1(name), QString::fromLatin1(key), &ref, QStringLiteral("ID"),
                            QString::fromLatin1(shown), size);
}

void labelled(ds::Field& f, const QString& label, int width = 0)
{
    f.setDisplayLabel(label);
    if (width)
        f.setDisplayWidth(width);
}

// A reference table of an ID and one described column.
void referenceTable(ds::DataSet& d, const char* column, int size, const QString& label)
{
    integer(d, "ID", true);
    ds::Field& f = text(d, column, size, true);
    if (!label.isEmpty())
        f.setDisplayLabel(label);
}

void parent(ds::DataSet& d, Tdm& dm, const QString& nameLabel, bool labelInstrucao)
{
    integer(d, "PACIENTE", true);
    text(d, "TIPO", 1, true);
    labelled(text(d, "NOME", 60, true), nameLabel, 20);
    date(d, "NASCIMENTO");
    labelled(text(d, "PROFISSAO", 40), QStringLiteral(u"PROFISSÃO"), 20);
    ds::Field& instrucao = integer(d, "INSTRUCAO");
    if (labelInstrucao)
        instrucao.setDisplayLabel(QStringLiteral(u"INSTRUÇÃO"));
    labelled(lookup(d, "DescrInstrucao", "INSTRUCAO", dm.qryInstrucao, "DESCRICAO", 40), QStringLiteral(u"INSTRUÇÃO"),
             20);
    for (auto [name, label] : {std::pair{"FONE_RES", u"RESIDENCIAL"}, std::pair{"FONE_PROF", u"PROFISSIONAL"},
                               std::pair{"FONE_CEL", u"CELULAR"}}) {
        ds::Field& f = text(d, name, 12);
        f.setDisplayLabel(QString::fromUtf16(label));
        f.setEditMask(kPhoneMask);
    }
}

} // namespace

void Tdm::defineFields()
{
    referenceTable(qryCarater, "CARATER", 20, QStringLiteral(u"CARÁTER"));
    qryCarater.setSortFields({QStringLiteral("CARATER")});
    // Therapists and toys present whatever columns their tables have.
    qryTerapeuta.setSortFields({QStringLiteral("NOME")});
    qryBrinquedo.setSortFields({QStringLiteral("BRINQUEDO")});
    referenceTable(qryEscola, "NOME", 60, {});
    qryEscola.setSortFields({QStringLiteral("NOME")});
    referenceTable(qryInstrucao, "DESCRICAO", 40, QStringLiteral(u"DESCRIÇÃO"));
    qryInstrucao.setSortFields({QStringLiteral("ID")});
    referenceTable(qryTipoOrientacao, "DESCRICAO", 40, QStringLiteral(u"DESCRIÇÃO"));

    ds::DataSet& p = qryPaciente;
    integer(p, "ID", true);
    text(p, "NOME", 60, true).setDisplayWidth(30);
    text(p, "EMAIL", 60).setDisplayWidth(30);
    date(p, "NASCIMENTO", true);
    date(p, "CADASTRO", true);
    date(p, "SAIDA").setDisplayLabel(QStringLiteral(u"SAÍDA"));
    text(p, "STATUS", 1, true);
    text(p, "FONE", 12).setEditMask(kPhoneMask);
    ds::Field& fone2 = text(p, "FONE2", 12);
    fone2.setDisplayLabel(QStringLiteral("FONE (2)"));
    fone2.setEditMask(kPhoneMask);
    labelled(text(p, "ENDERECO", 100), QStringLiteral(u"ENDEREÇO"), 30);
    text(p, "BAIRRO", 40);
    text(p, "CIDADE", 60);
    text(p, "UF", 2).setEditMask(kStateMask);
    text(p, "CEP", 8).setEditMask(kPostalCodeMask);
    for (auto [name, label] : {std::pair{"INSTRUCAO", u"INSTRUÇÃO"}, std::pair{"ESCOLA", u""},
                               std::pair{"TERAPEUTA", u""}, std::pair{"CARATER", u"CARÁTER"}}) {
        ds::Field& f = integer(p, name);
        f.setDisplayLabel(QString::fromUtf16(label));
        f.setVisible(false);
    }
    text(p, "PROCEDENCIA", 30).setDisplayLabel(QStringLiteral(u"PROCEDÊNCIA"));
    labelled(lookup(p, "DescrInstrucao", "INSTRUCAO", qryInstrucao, "DESCRICAO", 40), QStringLiteral(u"INSTRUÇÃO"), 20);
    labelled(lookup(p, "DescrEscola", "ESCOLA", qryEscola, "NOME", 60), QStringLiteral("ESCOLA"), 20);
    labelled(lookup(p, "NomeTerapeuta", "TERAPEUTA", qryTerapeuta, "NOME", 60), QStringLiteral("TERAPEUTA"), 20);
    labelled(lookup(p, "DescrCarater", "CARATER", qryCarater, "CARATER", 20), QStringLiteral(u"CARÁTER"), 15);
    p.setSortFields({QStringLiteral("NOME")});

    parent(qryPai, *this, QStringLiteral("PAI"), true);
    parent(qryMae, *this, QStringLiteral(u"MÃE"), false);

    integer(qryIrmao, "ID", true).setVisible(false);
    integer(qryIrmao, "PACIENTE", true).setVisible(false);
    text(qryIrmao, "NOME", 60, true).setDisplayWidth(45);
    // The date and the age after it: "10/03/2014 (10 anos e 11 meses)".
    date(qryIrmao, "NASCIMENTO", true).setDisplayWidth(31);
    qryIrmao.setSortFields({QStringLiteral("NASCIMENTO")});

    integer(qryConsulta, "ID", true);
    date(qryConsulta, "DATA", true);
    qryConsulta.addField(QStringLiteral("HORA"), FieldType::Time);
    integer(qryConsulta, "PACIENTE", true);
    memo(qryConsulta, "OBSERVACOES").setDisplayLabel(QStringLiteral(u"OBSERVAÇÕES"));
    qryConsulta.setSortFields({QStringLiteral("DATA"), QStringLiteral("HORA")});

    integer(qryBrinquedoNaConsulta, "BRINQUEDO", true).setVisible(false);
    integer(qryBrinquedoNaConsulta, "CONSULTA", true).setVisible(false);
    lookup(qryBrinquedoNaConsulta, "NomeBrinquedo", "BRINQUEDO", qryBrinquedo, "BRINQUEDO", 20)
        .setDisplayLabel(QStringLiteral("BRINQUEDO"));

    integer(qryReavaliacao, "ID", true);
    integer(qryReavaliacao, "PACIENTE", true);
    date(qryReavaliacao, "DATA", true);
    memo(qryReavaliacao, "OBSERVACOES", true).setDisplayLabel(QStringLiteral(u"OBSERVAÇÕES"));
    qryReavaliacao.setSortFields({QStringLiteral("DATA"), QStringLiteral("ID")});

    integer(qryIndicacao, "ID", true);
    integer(qryIndicacao, "PACIENTE", true);
    date(qryIndicacao, "DATA", true);
    labelled(text(qryIndicacao, "INDICACAO", 40, true), QStringLiteral(u"INDICAÇÃO"), 20);
    labelled(memo(qryIndicacao, "OBSERVACOES"), QStringLiteral(u"OBSERVAÇÕES"), 20);
    qryIndicacao.setSortFields({QStringLiteral("DATA"), QStringLiteral("ID")});

    integer(qryOrientacao, "ID", true);
    integer(qryOrientacao, "TIPO", true);
    integer(qryOrientacao, "PACIENTE", true);
    date(qryOrientacao, "DATA", true);
    memo(qryOrientacao, "CONTEUDO", true).setDisplayLabel(QStringLiteral(u"CONTEÚDO"));
    qryOrientacao.setSortFields({QStringLiteral("DATA"), QStringLiteral("ID")});
    // Until a guidance type is chosen the parameter holds this type.
    qryOrientacao.paramByName(QStringLiteral("TIPO")).setAsInteger(24);

    // The history grid shows the date and the note only.
    integer(qryHistorico, "ID", true).setVisible(false);
    integer(qryHistorico, "PACIENTE", true).setVisible(false);
    date(qryHistorico, "DATA", true);
    text(qryHistorico, "NOTA", 120).setDisplayWidth(100);
    qryHistorico.setSortFields({QStringLiteral("DATA")});
}
