#pragma once
// The data module: the database connection and its schema upgrade, the
// record data sets with their rules, and the key sources. It knows no
// window: where it must reach the main window it calls a callback.

#include "dataset/connection.h"
#include "dataset/sqldataset.h"
#include "store/tperiodo.h"
#include "store/tzsequence.h"

#include <QString>
#include <functional>

using TCallBack = std::function<void()>;

class Tdm {
public:
    // programFolder: where marvok.fdb lies; empty means the running program's folder.
    explicit Tdm(const QString& programFolder = {});
    ~Tdm();
    Tdm(const Tdm&) = delete;
    Tdm& operator=(const Tdm&) = delete;

    ds::Connection ZConnection1;

    ds::SqlDataSet qryCarater;
    ds::SqlDataSet qryTerapeuta;
    ds::SqlDataSet qryBrinquedo;
    ds::SqlDataSet qryEscola;
    ds::SqlDataSet qryInstrucao;
    ds::SqlDataSet qryTipoOrientacao;
    ds::SqlDataSet qryPaciente;
    ds::SqlDataSet qryPai;
    ds::SqlDataSet qryMae;
    ds::SqlDataSet qryIrmao;
    ds::SqlDataSet qryConsulta;
    ds::SqlDataSet qryBrinquedoNaConsulta;
    ds::SqlDataSet qryReavaliacao;
    ds::SqlDataSet qryIndicacao;
    ds::SqlDataSet qryOrientacao;
    ds::SqlDataSet qryHistorico;

    TZSequence* ZSequence1 = nullptr;
    TZSequence* seqPaciente = nullptr;

    TPeriodo Periodo;
    TCallBack PacienteAfterScrollCallBack;

    // The folder of the program file, with its trailing separator.
    const QString& programFolder() const { return m_programFolder; }
    // "localhost:" + the program's folder + "marvok.fdb".
    QString databaseLocation() const;

    // The sixteen record data sets, in the order of the schema.
    std::vector<ds::SqlDataSet*> recordDataSets();

private:
    void DataModuleCreate();
    void DataModuleDestroy();
    void defineFields();
    void ZConnection1BeforeConnect(ds::Connection& connection);
    void ZConnection1AfterConnect(ds::Connection& connection);
    void ZConnection1BeforeDisconnect(ds::Connection& connection);

    QString m_programFolder;
};
