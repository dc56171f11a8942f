#include "controls/fieldmemo.h"

#include "controls/errorhandler.h"
#include "controls/fieldinput.h"
#include "dataset/field.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace controls {

namespace {

// Notes written elsewhere break their lines with CR LF; the box knows one break.
QString withLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

FieldMemo::FieldMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(&m_link, &FieldLink::dataChanged, this, &FieldMemo::dataChanged);
    connect(&m_link, &FieldLink::editingChanged, this, &FieldMemo::updateReadOnly);
    connect(&m_link, &FieldLink::updateData, this, &FieldMemo::updateRecord);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_typed = true;
    });
    dataChanged();
}

void FieldMemo::setAutoDisplay(bool on)
{
    if (on == m_autoDisplay)
        return;
    m_autoDisplay = on;
    dataChanged();
}

void FieldMemo::showText(const QString& text)
{
    // The box's own text coming back from the field keeps the cursor where it is.
    if (text != toPlainText()) {
        m_showing = true;
        setPlainText(text);
        m_showing = false;
    }
    m_typed = false;
    updateReadOnly();
}

void FieldMemo::dataChanged()
{
    const ds::Field* f = m_link.field();
    // A record that starts being inserted while the box is loaded stays loaded.
    const bool load = f && (m_autoDisplay || (m_loaded && m_link.editing()));
    m_loaded = false;
    if (load) {
        loadMemo();
        return;
    }
    showText(f ? QStringLiteral("(%1)").arg(f->displayLabel()) : QString());
}

void FieldMemo::loadMemo()
{
    const ds::Field* f = m_link.field();
    if (!f || m_loaded)
        return;
    m_loaded = true;
    showText(withLineFeeds(f->text()));
}

void FieldMemo::updateReadOnly() { setReadOnly(!m_loaded || !m_link.canModify()); }

void FieldMemo::updateRecord()
{
    ds::Field* f = m_link.field();
    if (!m_typed || !m_loaded || !f || !m_link.editing())
        return;
    f->setText(toPlainText());
    m_typed = false;
}

void FieldMemo::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!m_loaded) {
        if (enter)
            loadMemo();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_typed) {
        m_loaded = false;
        loadMemo();
        event->accept();
        return;
    }
    if (changesText(*event) && !m_link.editing() && !m_link.startEditing()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void FieldMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_loaded) {
        loadMemo();
        return;
    }
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

void FieldMemo::focusOutEvent(QFocusEvent* event)
{
    if (!focusStaysInWindow(event->reason())) {
        if (!attempt([this] { updateRecord(); })) {
            setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    QPlainTextEdit::focusOutEvent(event);
}

} // namespace controls
