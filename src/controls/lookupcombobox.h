#pragma once
// A lookup list bound to a lookup column: it shows the looked-up text of the
// current record, drops down the rows of the reference data set, and
// choosing one stores that row's key in the record's key column.

#include "controls/fieldbinding.h"

#include <QComboBox>

namespace controls {

class LookupComboBox : public QComboBox, public FieldBinding {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent = nullptr);


    void showPopup() override;

private:
    void showField();
    void fillList();
    void choose(int item);

    // Tells when the reference rows change, so the list is filled again.
    ds::DataSource m_reference;
    bool m_listStale = true;
};

} // namespace controls
