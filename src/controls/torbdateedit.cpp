#include "controls/torbdateedit.h"

#include "controls/masktyping.h"
#include "dataset/dateformat.h"
#include "platform/beep.h"

#include <QApplication>
#include <algorithm>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

TOrbDateEdit::TOrbDateEdit(QWidget* owner)
    : QLineEdit(owner), m_mask(QStringLiteral(u"!99/99/9999;0; "))
{
    ds::setShortDateFormat(QStringLiteral(u"dd/MM/yyyy"));
    setInputMask(m_mask.qtInputMask());
    setText(QString());
    resize(80, 21);
    FColor = palette().color(QPalette::Base);
}

void TOrbDateEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier))
        controls::placeClickedCaret(*this, m_mask);
}

void TOrbDateEdit::setValue(double value)
{
    if (value == FDate)
        return;
    FDate = value;
    showDate(value);
}

QString TOrbDateEdit::Text() const
{
    const QString display = displayText();
    QString digits;
    for (int i = 0; i < m_mask.displayLength(); ++i) {
        if (m_mask.isInput(i))
            digits += i < display.size() ? display[i] : QChar(u' ');
    }
    return digits;
}

int TOrbDateEdit::Year() const { return ds::daysToDate(FDate).year(); }

int TOrbDateEdit::Month() const { return ds::daysToDate(FDate).month(); }

int TOrbDateEdit::Day() const { return ds::daysToDate(FDate).day(); }

void TOrbDateEdit::setCenturyWindow(int window) { FCenturyWindow = std::clamp(window, 0, 90); }

void TOrbDateEdit::setColor(const QColor& color)
{
    FColor = color;
    if (!isReadOnly() && palette().color(QPalette::Base) != color)
        showBase(color);
}

void TOrbDateEdit::setReadOnly(bool readOnly)
{
    if (readOnly == isReadOnly())
        return;
    QLineEdit::setReadOnly(readOnly);
    showBase(readOnly ? QApplication::palette().color(QPalette::Window) : FColor);
    setFocusPolicy(readOnly ? Qt::ClickFocus : Qt::StrongFocus);
}

void TOrbDateEdit::Clear()
{
    FDate = 0;
    FDateIsNil = true;
    setText(QString());
}

bool TOrbDateEdit::isBlank() const { return Text().trimmed().isEmpty(); }

bool TOrbDateEdit::confirmText()
{
    // Two-digit years follow the control's own century window.
    bool isDate = false;
    const QDate date = ds::textToDate(displayText(), &isDate, FCenturyWindow);
    if (!isDate)
        return false;
    setText(ds::dateToText(date));
    FDate = ds::dateToDays(date);
    FDateIsNil = false;
    return true;
}

void TOrbDateEdit::showDate(double date)
{
    // Day 0 is no date, shown as an empty field.
    setText(date == 0 ? QString() : ds::dateToText(ds::daysToDate(date)));
}

void TOrbDateEdit::showBase(const QColor& color)
{
    QPalette shown = palette();
    shown.setColor(QPalette::Base, color);
    setPalette(shown);
}

void TOrbDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !FDateIsNil) {
        showDate(FDate);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (isBlank()) {
            setText(QString());
        } else if (!confirmText()) {
            platform::beep();
            if (!FDateIsNil)
                showDate(FDate);
            event->accept();
            return;
        }
        focusNextPrevChild(true);
    }
    QLineEdit::keyPressEvent(event);
}

void TOrbDateEdit::focusOutEvent(QFocusEvent* event)
{
    // Switching to another window or opening a popup is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    if (isBlank()) {
        setText(QString());
        FDate = 0;
        FDateIsNil = true;
    } else if (!confirmText()) {
        platform::beep();
        setFocus(Qt::OtherFocusReason);
        return;
    }
    QLineEdit::focusOutEvent(event);
    emit exited();
}
