// The searches: a patient by name or number ("Ficha"), and the entry of a
// date on the four pages of dated entries.

#include "mainwin/tfrmclin.h"

// The patient search through the search list dialog.
void TfrmClin::btnLocalizarClick() {}

// Moves the field's list to the entry of the date asked for, or to the next one.
void TfrmClin::SearchByDate(ds::Field&) {}

void TfrmClin::btnLocalizarSessaoClick() { SearchByDate(dm.qryConsulta.fieldByName(QStringLiteral("DATA"))); }

void TfrmClin::SpeedButton2Click() { SearchByDate(dm.qryReavaliacao.fieldByName(QStringLiteral("DATA"))); }

void TfrmClin::SpeedButton1Click() { SearchByDate(dm.qryIndicacao.fieldByName(QStringLiteral("DATA"))); }

void TfrmClin::btnLocalizarOrientacaoClick() { SearchByDate(dm.qryOrientacao.fieldByName(QStringLiteral("DATA"))); }
