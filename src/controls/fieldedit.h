#pragma once
// A text box bound to one field: it shows the field's display text, and
// while it has the focus the field's editing text in the field's entry mask.
// The first keystroke puts the data set into edit (into insert when it is
// empty); the typed text goes into the field when the focus leaves, on Enter
// and before every post. A text that the field refuses keeps the focus and
// the typed text in the box; Esc brings the field's value back.

#include "controls/fieldbinding.h"

#include <QLineEdit>

namespace controls {

class FieldEdit : public QLineEdit, public FieldBinding {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // True while the box holds a text not yet written to the field.
    bool typed() const { return m_typed; }

    // Writes the typed text into the field; throws what the field refuses.
    void updateRecord();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void dataChanged();
    void editingChanged();
    void showField();
    bool tryUpdateRecord();

    bool m_typed = false;
    bool m_focused = false;
    const ds::Field* m_prepared = nullptr;
    QString m_preparedMask;
};

} // namespace controls
