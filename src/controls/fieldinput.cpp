#include "controls/fieldinput.h"

#include "controls/masktyping.h"
#include "dataset/dataset.h"
#include "dataset/editmask.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace controls {

namespace {

bool masked(const ds::Field& field) { return !field.editMask().isEmpty(); }

} // namespace

ds::Field* writtenField(const ds::Field& field)
{
    return field.isLookup() ? field.dataSet().findField(field.keyFieldName()) : const_cast<ds::Field*>(&field);
}

bool canWrite(const ds::Field& field)
{
    const ds::Field* written = writtenField(field);
    return written && written->dataSet().isActive() && written->dataSet().canModify() && !written->readOnly();
}

void prepareInput(QLineEdit& edit, const ds::Field& field, const QString& text)
{
    if (masked(field)) {
        showLayoutOf(edit, ds::EditMask(field.editMask()), text);
        return;
    }
    edit.setInputMask(QString());
    const bool plainText = field.type() == ds::FieldType::Text && field.size() > 0 && !field.onGetText;
    edit.setMaxLength(plainText ? field.size() : 32767);
}

QString editingText(const ds::Field& field)
{
    return masked(field) ? ds::EditMask(field.editMask()).format(field.text()) : field.text();
}

QString shownText(const ds::Field& field)
{
    if (masked(field) && field.isNull())
        return ds::EditMask(field.editMask()).format(QString());
    return field.displayText();
}

QString enteredText(const QLineEdit& edit, const ds::Field& field)
{
    // displayText keeps the unfilled positions where they are; text() drops them.
    return masked(field) ? ds::EditMask(field.editMask()).unformat(edit.displayText()) : edit.text();
}

bool acceptsCharacter(const ds::Field& field, QChar c)
{
    switch (field.type()) {
    case ds::FieldType::Integer: return c.isDigit() || c == u'+' || c == u'-';
    case ds::FieldType::Float:
        return c.isDigit() || c == u'+' || c == u'-' || c == u'.' || c == u',' || c == u'e' || c == u'E';
    default: return true;
    }
}

bool changesText(const QKeyEvent& event)
{
    using K = QKeySequence;
    for (K::StandardKey key : {K::Paste, K::Cut, K::Undo, K::Redo, K::DeleteEndOfWord, K::DeleteStartOfWord,
                               K::DeleteEndOfLine, K::DeleteCompleteLine})
        if (event.matches(key))
            return true;
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    const QString text = event.text();
    return !text.isEmpty() && text[0].isPrint() && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool focusStaysInWindow(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace controls
