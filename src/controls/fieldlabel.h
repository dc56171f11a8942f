#pragma once
// A label bound to one field: it shows the field's display text of the
// current record and follows the record as it moves or changes. It takes no
// focus and cannot be edited. A heading label may keep naming the record
// while its value is being retyped: an emptied value shows as it was.

#include "controls/fieldbinding.h"

#include <QLabel>

namespace controls {

class FieldLabel : public QLabel, public FieldBinding {
    Q_OBJECT
public:
    explicit FieldLabel(QWidget* parent = nullptr);

    // While the record is edited and its value is empty, show the value it
    // had before the edit (a patient's name cleared on one page still heads
    // the others).
    void setShowsValueBeforeEditWhenEmpty(bool on);

private:
    void showField();
    bool m_valueBeforeEdit = false;
};

} // namespace controls
