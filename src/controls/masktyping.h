#pragma once
// Typing into a box with an entry mask, beyond what QLineEdit's own input
// mask does: the mask's layouts (a telephone's eleventh digit moves it into
// the mobile layout, and taking it away moves it back), no key dropped
// unheard at the end of a full box, and a click that puts the caret where
// typing goes on.

class QKeyEvent;
class QLineEdit;
class QString;

namespace ds {
class EditMask;
}

namespace controls {

// Gives the box the layout of the mask that the text is in (by its length),
// unless it has it already: setting a mask moves the caret.
void showLayoutOf(QLineEdit& edit, const ds::EditMask& mask, const QString& text);

// A printable key that QLineEdit's input mask would mishandle: a blank typed
// before a required position is punctuation ("(11) 3456-7890") and is passed
// over; with the caret after the last position of the box's layout, a full
// layout that continues into a longer one takes the key there, and otherwise
// the key is refused with a beep instead of vanishing. True when the key was
// dealt with here.
bool takeTypedKey(QLineEdit& edit, const ds::EditMask& mask, const QKeyEvent& key);

// After an edit in a longer layout that left exactly as many characters as
// the layout before it holds: the text goes back into that layout, the caret
// after the same characters. True when it did.
bool fitShorterLayout(QLineEdit& edit, const ds::EditMask& mask);

// After a click: a caret beyond the typed text goes to the first empty
// position, where typing fills the mask; a caret inside the text stays.
void placeClickedCaret(QLineEdit& edit, const ds::EditMask& mask);

} // namespace controls
