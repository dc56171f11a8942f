#pragma once
// A label bound to one field: it shows the field's display text of the
// current record and follows the record as it moves or changes. It takes no
// focus and cannot be edited.

#include "controls/fieldbinding.h"

#include <QLabel>

namespace controls {

class FieldLabel : public QLabel, public FieldBinding {
    Q_OBJECT
public:
    explicit FieldLabel(QWidget* parent = nullptr);

private:
    void showField();
};

} // namespace controls
