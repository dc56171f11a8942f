#pragma once
// How a text box turns the values of its expressions into text: a date
// picture, a numeric picture or an entry mask. Without one a value prints
// as its display text.

#include <QString>
#include <QDate>
#include <QTime>
#include <QVariant>

namespace report {

class DisplayFormat {
public:
    enum class Kind { None, Date, Number, Mask };

    DisplayFormat() = default;
    static DisplayFormat date(QString picture);   // dd "de" mmmm "de" yyyy, hh:nn ...
    static DisplayFormat number(QString picture); // (##) ####-####
    static DisplayFormat mask(QString mask);      // !\(99\) 0009-0000;0;

    Kind kind() const { return m_kind; }
    const QString& picture() const { return m_picture; }

    // The text of a value; fallback is what prints when the value does not
    // suit the picture (a text that is no number, a number that is no date).
    QString apply(const QVariant& value, const QString& fallback) const;

private:
    DisplayFormat(Kind kind, QString picture) : m_kind(kind), m_picture(std::move(picture)) {}
    Kind m_kind = Kind::None;
    QString m_picture;
};

// A date and time written with a picture whose month and day names are
// Portuguese: d dd ddd dddd, m mm mmm mmmm, yy yyyy, h hh, n nn, s ss
// (m right after an hour means minutes), quoted text stays as it is.
QString formatDatePicture(const QString& picture, const QDate& date, const QTime& time = {});

// A whole number written with a picture: digits fill the # and 0 positions
// from the right, digits beyond them all go into the leftmost group, a #
// without a digit prints nothing, a 0 without one prints 0, other characters stay.
QString formatNumberPicture(const QString& picture, qlonglong number);

} // namespace report
