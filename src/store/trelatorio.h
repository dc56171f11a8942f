#pragma once
// A printed report as the data module sees it. The data module knows no
// window and no printing: the program installs the six reports and the
// period dialog at start-up (see reports/treports.h), and the report
// operations of the data module reach them through this interface.

#include "store/tperiodo.h"

#include <QString>
#include <functional>
#include <optional>

class TRelatorio {
public:
    virtual ~TRelatorio() = default;

    // Sets the text of the report's text object of that name; false when the
    // report has no such object.
    virtual bool SetObjectText(const QString& objectName, const QString& text) = 0;
    // Prepares the report anew from its data sets, opening those that are
    // closed and leaving them open; the pages are kept until the next time.
    virtual void PrepareReport() = 0;
    // Shows the pages prepared last in the modal preview; returns when the
    // preview has been closed. handedOut runs each time the user printed
    // the pages or wrote them to a file, with the report and how, in words.
    virtual void ShowPreparedReport(const std::function<void(const QString& what)>& handedOut = {}) = 0;
};

// Asks the user for a period, offering the one given; true when a valid
// period was confirmed, which is then written into it.
using TSelectPeriodo = std::function<bool(TPeriodo& periodo, const QString& prompt)>;

// The reports the data module prepares: the six printed ones, and every
// session of the patient in one list, which the record export prints.
enum class TRelTipo { Ficha, Sessao, Reavaliacoes, Indicacoes, Orientacoes, Historico, Sessoes };

// How a report run reads its rows where nobody is asked.
struct TRelOpcoes {
    // The period of a period report; unset, the user chooses it.
    std::optional<TPeriodo> periodo;
    // Rows in date order also where the report's statement asks for none.
    bool emOrdemDeData = false;
    // Runs after the report is prepared, while its data sets are still open.
    std::function<void()> comDadosAbertos;
};
