#pragma once
// Entry masks of text fields: the display form of a stored value and the
// stored value of a typed text.
//
// Mask letters: 0 required digit, 9 optional digit, # optional digit or sign,
// L/l required/optional letter, A/a required/optional letter or digit,
// C/c required/optional character, _ a fixed blank, \ makes the next character
// fixed, > upper case and < lower case from there on (<> neither), ! anywhere
// puts the blanks of unfilled positions at the front. Every other character is
// fixed. An ending ";0" stores the typed characters only (";1" or none stores
// the fixed characters too) and a last ";c" shows unfilled positions as c
// (default "_").
//
// Layouts joined by "|" make one entry whose value takes the next layout when
// it is too long for the one before: with "!\(99\)0009-0000|\(99\)00000-0000;0; "
// ten digits show as (11)3456-7890 and eleven as (11)98765-4321. The ending
// belongs to all of them; everything but format and unformat speaks of the
// first layout.

#include "core/eerror.h"
#include <QList>
#include <QString>
#include <memory>

namespace ds {

// Raised when a typed text leaves a required position of its mask unfilled.
class EDBEditError : public EError {
public:
    using EError::EError;
};

class EditMask {
public:
    enum class Kind { Fixed, Digit, DigitOrSign, Letter, LetterOrDigit, AnyChar };
    enum class Case { AsTyped, Upper, Lower };
    struct Position {
        Kind kind = Kind::Fixed;
        bool required = false;
        Case conversion = Case::AsTyped;
        QChar fixed; // the character of a fixed position
    };

    explicit EditMask(QString mask = {});
    bool isEmpty() const { return m_mask.isEmpty(); }
    const QString& mask() const { return m_mask; }

    const QList<Position>& positions() const { return m_positions; }
    int displayLength() const { return int(m_positions.size()); }
    int inputCount() const;
    bool isInput(int position) const;
    QChar blank() const { return m_blank; }
    bool savesLiterals() const { return m_saveLiterals; }
    bool blanksLead() const { return m_blanksLead; }
    // What a character typed at an input position becomes (case converted), or
    // a null character when the position refuses it.
    QChar accept(int position, QChar typed) const;
    // The same mask in the notation of QLineEdit::setInputMask.
    QString qtInputMask() const;

    // The layout this one continues into, or null.
    const EditMask* longer() const { return m_longer.get(); }
    // The layout that shows a stored value, and the one a display text is in
    // (by its length): this one or one it continues into.
    const EditMask& layoutOf(const QString& stored) const;
    const EditMask& layoutOfDisplay(const QString& display) const;

    // The display text of a stored value: literals in place, unfilled positions blank.
    QString format(const QString& stored) const;
    // The stored value of a text in display form; throws EDBEditError.
    // A text with no position filled is the empty value.
    QString unformat(const QString& display) const;

private:
    QString formatHere(const QString& stored) const;
    QString unformatHere(const QString& display) const;
    QString leadingBlanks(const QString& text, qsizetype blanks) const;
    void parse();
    QString m_mask;
    QList<Position> m_positions;
    std::shared_ptr<const EditMask> m_longer;
    QChar m_blank = u'_';
    bool m_saveLiterals = true;
    bool m_blanksLead = false;
};

} // namespace ds
