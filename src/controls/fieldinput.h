#pragma once
// Typing into a field, shared by the bound boxes and the grid's cell editor:
// the field's entry mask, its length, the characters it takes, the conversion
// between the field's texts and the typed text, and which keys and focus
// changes count.

#include <QString>
#include <Qt>

class QChar;
class QKeyEvent;
class QLineEdit;

namespace ds {
class Field;
}

namespace controls {

// The field an entry writes: the key field of a lookup column, else the field.
ds::Field* writtenField(const ds::Field& field);
// Whether an entry can be written to the field now.
bool canWrite(const ds::Field& field);

// Gives the line edit the field's mask, in the layout of the text it is to
// show (or the field's length when it has no mask).
void prepareInput(QLineEdit& edit, const ds::Field& field, const QString& text = {});
// The text to edit, laid out in the mask's positions.
QString editingText(const ds::Field& field);
// The text to show while the value is not being edited.
QString shownText(const ds::Field& field);
// The text typed, ready for Field::setText; throws ds::EDBEditError when a
// required position of the mask is still empty.
QString enteredText(const QLineEdit& edit, const ds::Field& field);
// False for a character the field's type cannot hold (a letter in a number).
bool acceptsCharacter(const ds::Field& field, QChar c);

// Whether the key changes the text of a box (and so must start an edit).
bool changesText(const QKeyEvent& event);
// Another window or a popup taking the focus for a moment: the box is not left.
bool focusStaysInWindow(Qt::FocusReason reason);

} // namespace controls
