#pragma once
// The program's six printed reports and its period dialog, installed into
// the data module so that its report commands (Tdm::OpenRelFicha ...
// OpenRelHistorico) can run them.
//
// At start-up the main routine creates one TReports right after the data
// module and keeps it as long as the data module lives:
//
//     Tdm dm;
//     TReports reports(dm);   // sets dm.repFicha ... dm.repHistorico and dm.SelectPeriodoCallBack
//
// Destroying it takes them out of the data module again.

#include "reports/definitionrelatorio.h"

class Tdm;

class TReports {
public:
    explicit TReports(Tdm& dm);
    ~TReports();
    TReports(const TReports&) = delete;
    TReports& operator=(const TReports&) = delete;

    DefinitionRelatorio repFicha;
    DefinitionRelatorio repSessao;
    DefinitionRelatorio repReavaliacao;
    DefinitionRelatorio repIndicacao;
    DefinitionRelatorio repOrientacoes;
    DefinitionRelatorio repHistorico;

private:
    Tdm& m_dm;
};
