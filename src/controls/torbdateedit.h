#pragma once
// The program's date entry field: a date typed as day, month and year into a
// masked field, confirmed by Enter or by leaving the field, with a two-digit
// year rule. Callers read the confirmed date, never the typed text.

#include "dataset/editmask.h"

#include <QColor>
#include <QLineEdit>

class TOrbDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TOrbDateEdit(QWidget* owner = nullptr);

    // The confirmed date as a day count (0 = 30/12/1899); 0 means no date.
    double Value() const { return FDate; }
    void setValue(double value);
    // The eight digit positions without separators; "        " when empty.
    QString Text() const;
    int Year() const;
    int Month() const;
    int Day() const;
    int CenturyWindow() const { return FCenturyWindow; }
    void setCenturyWindow(int window);
    QColor Color() const { return FColor; }
    void setColor(const QColor& color);
    bool ReadOnly() const { return isReadOnly(); }
    // Hides QLineEdit::setReadOnly on purpose: a read-only date field also
    // changes its colour and leaves the tab order.
    void setReadOnly(bool readOnly);
    // True while no date has been confirmed by the user.
    bool DateIsNil() const { return FDateIsNil; }
    void Clear();

signals:
    // Leaving the field with an empty text or a valid date.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool isBlank() const;
    bool confirmText();
    void showDate(double date);
    void showBase(const QColor& color);

    double FDate = 0;
    bool FDateIsNil = true;
    int FCenturyWindow = 30;
    QColor FColor;
    ds::EditMask m_mask;
};
