#pragma once
// A condition on the row number, written "<Line> mod 2 = 1": true for the rows
// whose number (counted from 1) leaves that remainder.

#include <QString>

namespace report {

class RowCondition {
public:
    RowCondition() = default; // always true
    // Throws EError when the text is not of that form.
    static RowCondition parse(const QString& text);

    bool holds(int line) const { return m_modulus == 0 || line % m_modulus == m_remainder; }
    const QString& text() const { return m_text; }

private:
    int m_modulus = 0;
    int m_remainder = 0;
    QString m_text;
};

} // namespace report
