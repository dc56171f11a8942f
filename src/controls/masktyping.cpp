#include "controls/masktyping.h"

#include "dataset/editmask.h"
#include "platform/beep.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace controls {

namespace {

// QLineEdit cannot hold a blank in a position it calls required, yet a stored
// value may leave one there (a seven-digit telephone). So every position is
// given to QLineEdit as optional and the mask's own check runs when the text
// is written.
QString lenientQtMask(const ds::EditMask& layout)
{
    QString qt = layout.qtInputMask();
    const qsizetype tail = qt.lastIndexOf(u';');   // the blank character follows it
    for (qsizetype i = 0; i < tail; ++i) {
        switch (qt[i].unicode()) {
        case u'\\': ++i; break;                    // a fixed character
        case u'9': qt[i] = u'0'; break;
        case u'A': qt[i] = u'a'; break;
        case u'N': qt[i] = u'n'; break;
        case u'X': qt[i] = u'x'; break;
        default: break;
        }
    }
    return qt;
}

bool isBlank(const ds::EditMask& layout, QChar c) { return c == layout.blank() || c == u' '; }

// The characters typed into the input positions of a text in the layout, in order.
QString typedCharacters(const ds::EditMask& layout, const QString& shown, int before = -1)
{
    QString typed;
    const int end = before < 0 ? int(shown.size()) : std::min(before, int(shown.size()));
    for (int i = 0; i < end; ++i)
        if (layout.isInput(i) && !isBlank(layout, shown[i]))
            typed += shown[i];
    return typed;
}

// The position after the count-th input position of the layout (the first
// input position for none).
int caretAfter(const ds::EditMask& layout, qsizetype count)
{
    for (int i = 0; i < layout.displayLength(); ++i) {
        if (!layout.isInput(i))
            continue;
        if (count == 0)
            return i;
        if (--count == 0)
            return i + 1;
    }
    return layout.displayLength();
}

// The typed characters laid out in the layout, or an empty text when they do not fit it.
QString laidOut(const ds::EditMask& layout, const QString& typed)
{
    if (typed.size() > layout.inputCount())
        return {};
    const QString display = layout.format(typed);
    try {
        if (layout.unformat(display) == typed)
            return display;
    } catch (const ds::EDBEditError&) {
    }
    return {};
}

// QLineEdit gives its mask back in a notation of its own: the box remembers the one it was given.
const char* const kLayout = "marvokLayout";

void setLayout(QLineEdit& edit, const QString& qtMask)
{
    edit.setProperty(kLayout, qtMask);
    edit.setInputMask(qtMask);
}

void showLaidOut(QLineEdit& edit, const ds::EditMask& layout, const QString& display, int caret)
{
    setLayout(edit, lenientQtMask(layout));
    edit.setText(display);
    edit.setCursorPosition(caret);
}

} // namespace

void showLayoutOf(QLineEdit& edit, const ds::EditMask& mask, const QString& text)
{
    const QString qt = lenientQtMask(mask.layoutOfDisplay(text));
    if (edit.inputMask().isEmpty() || edit.property(kLayout).toString() != qt)
        setLayout(edit, qt);
}

bool takeTypedKey(QLineEdit& edit, const ds::EditMask& mask, const QKeyEvent& key)
{
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isPrint() || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        || edit.hasSelectedText() || edit.isReadOnly())
        return false;
    const QString shown = edit.displayText();
    const ds::EditMask& layout = mask.layoutOfDisplay(shown);
    // Room at or after the caret: the input mask takes the key there, but a
    // blank would leave a required position empty.
    for (int i = edit.cursorPosition(); i < layout.displayLength(); ++i)
        if (layout.isInput(i))
            return text[0] == u' ' && layout.positions()[i].required;
    const QString typed = typedCharacters(layout, shown);
    const ds::EditMask* longer = layout.longer();
    const QString display = longer && typed.size() == layout.inputCount() ? laidOut(*longer, typed + text) : QString();
    if (display.isEmpty()) {
        platform::beep();
        return true;
    }
    showLaidOut(edit, *longer, display, caretAfter(*longer, typed.size() + 1));
    return true;
}

bool fitShorterLayout(QLineEdit& edit, const ds::EditMask& mask)
{
    const QString shown = edit.displayText();
    const ds::EditMask* shorter = nullptr;
    const ds::EditMask* layout = &mask;
    while (layout->longer() && shown.size() > layout->displayLength()) {
        shorter = layout;
        layout = layout->longer();
    }
    if (!shorter)
        return false;
    const QString typed = typedCharacters(*layout, shown);
    if (typed.size() != shorter->inputCount())
        return false;
    const QString display = laidOut(*shorter, typed);
    if (display.isEmpty())
        return false;
    const qsizetype before = typedCharacters(*layout, shown, edit.cursorPosition()).size();
    showLaidOut(edit, *shorter, display, caretAfter(*shorter, before));
    return true;
}

void placeClickedCaret(QLineEdit& edit, const ds::EditMask& mask)
{
    if (edit.hasSelectedText())
        return;
    const QString shown = edit.displayText();
    const ds::EditMask& layout = mask.layoutOfDisplay(shown);
    int end = 0;
    int firstEmpty = -1;
    for (int i = 0; i < layout.displayLength() && i < shown.size(); ++i) {
        if (!layout.isInput(i))
            continue;
        if (!isBlank(layout, shown[i]))
            end = i + 1;
        else if (firstEmpty < 0)
            firstEmpty = i;
    }
    if (edit.cursorPosition() > end && firstEmpty >= 0)
        edit.setCursorPosition(firstEmpty);
}

} // namespace controls
