// The searches: a patient by name or number ("Ficha"), and the entry of a
// date on the four pages of dated entries.

#include "mainwin/tfrmclin.h"

#include "core/integertext.h"
#include "dataset/dateformat.h"
#include "dialogs/tdatadlg.h"
#include "dialogs/tfrmlocalizar.h"
#include "platform/messages.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Runs fn with the list's bound controls holding still; they follow the list
// again afterwards, also when fn raises.
template <class Fn>
void withDisplaySuspended(ds::DataSet& list, Fn fn)
{
    list.disableControls();
    try {
        fn();
    } catch (...) {
        list.enableControls();
        throw;
    }
    list.enableControls();
}

// The position of the first name equal to that one, letter case ignored; -1 when none is.
int firstEqualIgnoringCase(const QStringList& names, const QString& name)
{
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void notFound() { platform::showMessage(QStringLiteral(u"Não encontrado")); }

} // namespace

// The patient search through the search list dialog: a number typed finds the
// patient of that number, anything else the name chosen in the list.
void TfrmClin::btnLocalizarClick()
{
    ds::DataSet& pacientes = dm.qryPaciente;
    if (!pacientes.isActive())
        return;   // no database open: nothing to search
    withDisplaySuspended(pacientes, [&] {
        // The names in the list's order, read from its rows: walking the list
        // would reopen every patient's details on the way. A pending edit is
        // settled first, as leaving the patient would.
        pacientes.checkBrowseMode();
        const ds::Field& nome = pacientes.fieldByName(QStringLiteral("NOME"));
        QStringList names;
        names.reserve(pacientes.recordCount());
        for (int i = 0; i < pacientes.recordCount(); ++i)
            names << pacientes.rowValue(i, nome).toString();

        // No owner: the dialog destroys itself once it has closed and its
        // results have been read here.
        auto* dialog = new TfrmLocalizar();
        dialog->Label1->setText(QStringLiteral("Nome ou ID:"));
        dialog->setStrings(names);
        dialog->setIndex(pacientes.isEmpty() ? -1 : firstEqualIgnoringCase(names, nome.asString()));
        const bool confirmed = dialog->exec() == QDialog::Accepted;
        const int chosen = dialog->Index();
        const QString typed = dialog->Edit1->text();
        if (!confirmed)
            return;

        const qint32 number = integerFromText(typed).value_or(-1);
        if (number != -1) {
            if (!pacientes.locate(QStringLiteral("ID"), number))
                notFound();
        } else if (chosen < 0 || chosen >= names.size() || !pacientes.locate(QStringLiteral("NOME"), names[chosen])) {
            notFound();
        }
    });
}

// Moves the field's list to the entry of the date asked for or, when the
// user allows it, to the first one after it.
void TfrmClin::SearchByDate(ds::Field& dateField)
{
    ds::DataSet& list = dateField.dataSet();
    if (!list.isActive())
        return;
    double date = ds::dateToDays(dateField.asDate());   // no date: day 0, an empty dialog
    bool next = true;
    if (!SelectDate(date, next))
        return;
    const QString notFoundText = QStringLiteral(u"Data não encontrada");
    if (!next) {
        if (!list.locate(dateField.name(), ds::daysToDate(date)))
            platform::showInformation(notFoundText);
        return;
    }
    withDisplaySuspended(list, [&] {
        // The list is in date order: the first entry on or after the day.
        list.checkBrowseMode();
        const QDate day = ds::daysToDate(date);
        for (int i = 0; i < list.recordCount(); ++i) {
            const QDate entry = list.rowValue(i, dateField).toDate();
            if (entry.isValid() && entry >= day) {
                list.moveTo(i);
                return;
            }
        }
        platform::showInformation(notFoundText);
    });
}

void TfrmClin::btnLocalizarSessaoClick() { SearchByDate(dm.qryConsulta.fieldByName(QStringLiteral("DATA"))); }

void TfrmClin::SpeedButton2Click() { SearchByDate(dm.qryReavaliacao.fieldByName(QStringLiteral("DATA"))); }

void TfrmClin::SpeedButton1Click() { SearchByDate(dm.qryIndicacao.fieldByName(QStringLiteral("DATA"))); }

void TfrmClin::btnLocalizarOrientacaoClick() { SearchByDate(dm.qryOrientacao.fieldByName(QStringLiteral("DATA"))); }
