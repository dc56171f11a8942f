#include "controls/fieldedit.h"

#include "controls/errorhandler.h"
#include "controls/fieldinput.h"
#include "controls/masktyping.h"
#include "dataset/editmask.h"
#include "dataset/field.h"
#include "platform/beep.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace controls {

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(&m_link, &FieldLink::dataChanged, this, &FieldEdit::dataChanged);
    connect(&m_link, &FieldLink::editingChanged, this, &FieldEdit::editingChanged);
    connect(&m_link, &FieldLink::updateData, this, &FieldEdit::updateRecord);
    connect(this, &QLineEdit::textEdited, this, [this] {
        // Typing by other means than keys (the context menu) also starts editing.
        if (!m_typed && !m_link.editing())
            m_link.startEditing();
        m_typed = true;
        if (const ds::Field* f = m_link.field(); f && !f->editMask().isEmpty())
            fitShorterLayout(*this, ds::EditMask(f->editMask()));
    });
    showField();
}

void FieldEdit::dataChanged()
{
    m_typed = false;
    showField();
}

void FieldEdit::editingChanged()
{
    // Starting to edit takes the text again: a field's text may depend on it.
    if (!m_typed)
        showField();
    else
        setReadOnly(!m_link.canModify());
}

void FieldEdit::showField()
{
    const ds::Field* f = m_link.field();
    setReadOnly(!m_link.canModify());
    QString shown;
    if (f)
        shown = m_focused && m_link.canModify() ? editingText(*f) : shownText(*f);
    const QString mask = f ? f->editMask() : QString();
    if (f != m_prepared || mask != m_preparedMask) {
        // Setting a mask moves the cursor, so only when the field is another one.
        m_prepared = f;
        m_preparedMask = mask;
        if (f)
            prepareInput(*this, *f, shown);
        else
            setInputMask(QString());
    } else if (!mask.isEmpty()) {
        // A value of another length may show in another layout of the mask.
        showLayoutOf(*this, ds::EditMask(mask), shown);
    }
    // The same text again would only move the cursor.
    if (shown == displayText())
        return;
    setText(shown);
    // A text longer than the box is read from its start, as long as the user is not in it.
    if (!m_focused)
        setCursorPosition(0);
}

void FieldEdit::updateRecord()
{
    if (!m_typed)
        return;
    ds::Field* f = m_link.field();
    if (!f || !m_link.editing())
        return;
    f->setText(enteredText(*this, *f));
    m_typed = false;
    showField();
}

bool FieldEdit::tryUpdateRecord()
{
    return attempt([this] { updateRecord(); });
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_typed) {
            m_typed = false;
            showField();
            selectAll();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!tryUpdateRecord()) {
            event->accept();
            return;
        }
        selectAll();
        break;
    default:
        if (!changesText(*event))
            break;
        if (const ds::Field* f = m_link.field(); f && !event->text().isEmpty()
                                                && !acceptsCharacter(*f, event->text()[0])) {
            platform::beep();
            event->accept();
            return;
        }
        if (!m_link.editing() && !m_link.startEditing()) {
            event->accept();
            return;
        }
        if (const ds::Field* f = m_link.field(); f && !f->editMask().isEmpty()) {
            const QString before = displayText();
            if (takeTypedKey(*this, ds::EditMask(f->editMask()), *event)) {
                m_typed = m_typed || displayText() != before;
                event->accept();
                return;
            }
        }
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    const ds::Field* f = m_link.field();
    if (f && !f->editMask().isEmpty() && event->button() == Qt::LeftButton
        && !(event->modifiers() & Qt::ShiftModifier))
        placeClickedCaret(*this, ds::EditMask(f->editMask()));
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    if (!m_focused) {
        m_focused = true;
        if (!m_typed)
            showField();
    }
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason && !focusStaysInWindow(event->reason()))
        selectAll();
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    if (!focusStaysInWindow(event->reason())) {
        if (!tryUpdateRecord()) {
            setFocus(Qt::OtherFocusReason);
            return;
        }
        m_focused = false;
        if (!m_typed)
            showField();
    }
    QLineEdit::focusOutEvent(event);
}

} // namespace controls
