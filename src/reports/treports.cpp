#include "reports/treports.h"

#include "reports/reportlayouts.h"
#include "reports/tfrmperiodo.h"
#include "store/tdm.h"

TReports::TReports(Tdm& dm)
    : repFicha(dm, QStringLiteral("repFicha"), QStringLiteral("Dados Gerais")),
      repSessao(dm, QStringLiteral("repSessao"), QStringLiteral(u"Sessão")),
      repReavaliacao(dm, QStringLiteral("repReavaliacao"), QStringLiteral(u"Reavaliações")),
      repIndicacao(dm, QStringLiteral("repIndicacao"), QStringLiteral(u"Indicações")),
      repOrientacoes(dm, QStringLiteral("repOrientacoes"), QStringLiteral(u"Orientações")),
      repHistorico(dm, QStringLiteral("repHistorico"), QStringLiteral(u"Histórico")),
      m_dm(dm)
{
    reports::buildRepFicha(repFicha.definition(), dm);
    reports::buildRepSessao(repSessao.definition(), dm);
    reports::buildRepReavaliacao(repReavaliacao.definition(), dm);
    reports::buildRepIndicacao(repIndicacao.definition(), dm);
    reports::buildRepOrientacoes(repOrientacoes.definition(), dm);
    reports::buildRepHistorico(repHistorico.definition(), dm);

    dm.repFicha = &repFicha;
    dm.repSessao = &repSessao;
    dm.repReavaliacao = &repReavaliacao;
    dm.repIndicacao = &repIndicacao;
    dm.repOrientacoes = &repOrientacoes;
    dm.repHistorico = &repHistorico;
    dm.SelectPeriodoCallBack = [](TPeriodo& periodo, const QString& prompt) { return SelectPeriodo(periodo, prompt); };
}

TReports::~TReports()
{
    m_dm.repFicha = m_dm.repSessao = m_dm.repReavaliacao = nullptr;
    m_dm.repIndicacao = m_dm.repOrientacoes = m_dm.repHistorico = nullptr;
    m_dm.SelectPeriodoCallBack = nullptr;
}
