#pragma once
// A drop-down list of fixed texts bound to one field: it shows the item that
// matches the field's text, and choosing an item enters its text through the
// field's text entry (the status list: "Ativo" stores "A").

#include "controls/fieldbinding.h"

#include <QComboBox>

namespace controls {

class FieldComboBox : public QComboBox, public FieldBinding {
    Q_OBJECT
public:
    explicit FieldComboBox(QWidget* parent = nullptr);


private:
    void showField();
    void choose(int item);

};

} // namespace controls
