#pragma once
// The six printed reports, each built into an empty definition and bound to
// the report data sets of the data module under their report-side names.

#include "reportengine/definition.h"

class Tdm;

namespace reports {

void buildRepFicha(report::Definition& definition, Tdm& dm);
void buildRepSessao(report::Definition& definition, Tdm& dm);
void buildRepReavaliacao(report::Definition& definition, Tdm& dm);
void buildRepIndicacao(report::Definition& definition, Tdm& dm);
void buildRepOrientacoes(report::Definition& definition, Tdm& dm);
void buildRepHistorico(report::Definition& definition, Tdm& dm);

} // namespace reports
