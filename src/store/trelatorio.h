#pragma once
// A printed report as the data module sees it. The data module knows no
// window and no printing: the program installs the six reports and the
// period dialog at start-up (see reports/treports.h), and the report
// operations of the data module reach them through this interface.

#include "store/tperiodo.h"

#include <QString>
#include <functional>

class TRelatorio {
public:
    virtual ~TRelatorio() = default;

    // Sets the text of the report's text object of that name; false when the
    // report has no such object.
    virtual bool SetObjectText(const QString& objectName, const QString& text) = 0;
    // Prepares the report anew from its data sets, opening those that are
    // closed and leaving them open, and shows it in the modal preview;
    // returns when the preview has been closed.
    virtual void ShowReport() = 0;
};

// Asks the user for a period, offering the one given; true when a valid
// period was confirmed, which is then written into it.
using TSelectPeriodo = std::function<bool(TPeriodo& periodo, const QString& prompt)>;
