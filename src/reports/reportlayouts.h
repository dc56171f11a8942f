#pragma once
// The program's printed reports, each built into an empty definition and
// bound to the report data sets of the data module under their report-side
// names.

#include "reportengine/definition.h"

class Tdm;

namespace reports {

void buildRepFicha(report::Definition& definition, Tdm& dm);
void buildRepSessao(report::Definition& definition, Tdm& dm);
void buildRepReavaliacao(report::Definition& definition, Tdm& dm);
void buildRepIndicacao(report::Definition& definition, Tdm& dm);
void buildRepOrientacoes(report::Definition& definition, Tdm& dm);
// wholeNotes: each note grows to its whole text instead of its first line.
void buildRepHistorico(report::Definition& definition, Tdm& dm, bool wholeNotes = false);

// What the record export prints besides the six reports: every session in
// one list, and the patient's e-mail on the patient file (the text of
// MemoEmail), below the therapist.
void buildRepSessoes(report::Definition& definition, Tdm& dm);
void addEmailLine(report::Definition& repFicha);

} // namespace reports
