#include "dataset/editmask.h"

#include <algorithm>
#include <vector>

namespace ds {

namespace {

const QChar kEscape = u'\\';

[[noreturn]] void refuse()
{
    throw EDBEditError(QStringLiteral(u"Invalid input value.  Use escape key to abandon changes"));
}

bool fits(EditMask::Kind kind, QChar c)
{
    switch (kind) {
    case EditMask::Kind::Digit: return c.isDigit();
    case EditMask::Kind::DigitOrSign: return c.isDigit() || c == u'+' || c == u'-';
    case EditMask::Kind::Letter: return c.isLetter();
    case EditMask::Kind::LetterOrDigit: return c.isLetterOrNumber();
    case EditMask::Kind::AnyChar: return true;
    case EditMask::Kind::Fixed: break;
    }
    return false;
}

QChar converted(EditMask::Case conversion, QChar c)
{
    switch (conversion) {
    case EditMask::Case::Upper: return c.toUpper();
    case EditMask::Case::Lower: return c.toLower();
    case EditMask::Case::AsTyped: break;
    }
    return c;
}

// The character of a mask letter in QLineEdit's notation: there 9 is a
// required digit and 0 an optional one, the reverse of ours.
QChar qtLetter(const EditMask::Position& p)
{
    switch (p.kind) {
    case EditMask::Kind::Digit: return p.required ? u'9' : u'0';
    case EditMask::Kind::DigitOrSign: return u'#';
    case EditMask::Kind::Letter: return p.required ? u'A' : u'a';
    case EditMask::Kind::LetterOrDigit: return p.required ? u'N' : u'n';
    case EditMask::Kind::AnyChar: return p.required ? u'X' : u'x';
    case EditMask::Kind::Fixed: break;
    }
    return p.fixed;
}

} // namespace

EditMask::EditMask(QString mask) : m_mask(std::move(mask)) { parse(); }

void EditMask::parse()
{
    QString edit = m_mask;
    const auto unescapedSeparatorAt = [&edit](qsizetype i) {
        return i >= 0 && edit[i] == u';' && (i == 0 || edit[i - 1] != kEscape);
    };
    QString ending;
    if (edit.size() >= 4 && unescapedSeparatorAt(edit.size() - 2) && unescapedSeparatorAt(edit.size() - 4)) {
        m_blank = edit.back();
        m_saveLiterals = edit[edit.size() - 3] != u'0';
        ending = edit.right(4);
        edit.chop(4);
    } else if (edit.size() >= 2 && unescapedSeparatorAt(edit.size() - 2)) {
        m_saveLiterals = edit.back() != u'0';
        ending = edit.right(2);
        edit.chop(2);
    }
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (edit[i] == kEscape) {
            ++i;
        } else if (edit[i] == u'|') {
            m_longer = std::make_shared<const EditMask>(edit.mid(i + 1) + ending);
            edit.truncate(i);
            break;
        }
    }

    Case conversion = Case::AsTyped;
    for (qsizetype i = 0; i < edit.size(); ++i) {
        const QChar c = edit[i];
        Position p;
        p.conversion = conversion;
        switch (c.unicode()) {
        case u'!': m_blanksLead = true; continue;
        case u'>': conversion = Case::Upper; continue;
        case u'<':
            if (i + 1 < edit.size() && edit[i + 1] == u'>') {
                conversion = Case::AsTyped;
                ++i;
            } else {
                conversion = Case::Lower;
            }
            continue;
        case u'\\':
            if (++i >= edit.size())
                continue;
            p.fixed = edit[i];
            break;
        case u'0': p.kind = Kind::Digit; p.required = true; break;
        case u'9': p.kind = Kind::Digit; break;
        case u'#': p.kind = Kind::DigitOrSign; break;
        case u'L': p.kind = Kind::Letter; p.required = true; break;
        case u'l': p.kind = Kind::Letter; break;
        case u'A': p.kind = Kind::LetterOrDigit; p.required = true; break;
        case u'a': p.kind = Kind::LetterOrDigit; break;
        case u'C': p.kind = Kind::AnyChar; p.required = true; break;
        case u'c': p.kind = Kind::AnyChar; break;
        case u'_': p.fixed = u' '; break;
        default: p.fixed = c; break;
        }
        m_positions.append(p);
    }
}

int EditMask::inputCount() const
{
    return int(std::count_if(m_positions.begin(), m_positions.end(),
                             [](const Position& p) { return p.kind != Kind::Fixed; }));
}

const EditMask& EditMask::layoutOf(const QString& stored) const
{
    const EditMask* layout = this;
    while (layout->m_longer && stored.size() > layout->inputCount())
        layout = layout->m_longer.get();
    return *layout;
}

const EditMask& EditMask::layoutOfDisplay(const QString& display) const
{
    const EditMask* layout = this;
    while (layout->m_longer && display.size() > layout->displayLength())
        layout = layout->m_longer.get();
    return *layout;
}

bool EditMask::isInput(int position) const
{
    return position >= 0 && position < displayLength() && m_positions[position].kind != Kind::Fixed;
}

QChar EditMask::accept(int position, QChar typed) const
{
    if (!isInput(position) || !fits(m_positions[position].kind, typed))
        return {};
    return converted(m_positions[position].conversion, typed);
}

QString EditMask::qtInputMask() const
{
    if (isEmpty())
        return {};
    QString qt;
    Case conversion = Case::AsTyped;
    for (const Position& p : m_positions) {
        if (p.conversion != conversion) {
            conversion = p.conversion;
            qt += conversion == Case::Upper ? u'>' : conversion == Case::Lower ? u'<' : u'!';
        }
        if (p.kind == Kind::Fixed)
            qt += kEscape;
        qt += qtLetter(p);
    }
    return qt + u';' + m_blank;
}

// The input positions of a right-aligned mask filled with a text that is
// short by `blanks` characters. The blanks go to the leading optional
// positions; those left over, to the next optional positions, so that a
// value stored without the unfilled places (a telephone's digits only) shows
// with every required place filled and reads back as itself.
QString EditMask::leadingBlanks(const QString& text, qsizetype blanks) const
{
    std::vector<bool> blank;
    qsizetype left = blanks;
    for (const Position& p : m_positions) {
        if (p.kind == Kind::Fixed)
            continue;
        const bool here = left > 0 && !p.required;
        blank.push_back(here);
        left -= here ? 1 : 0;
    }
    if (left > 0)   // not enough optional places: the plain right alignment
        return QString(blanks, u' ') + text;
    QString padded;
    qsizetype next = 0;
    for (const bool b : blank)
        padded += b ? QChar(u' ') : text[next++];
    return padded;
}

QString EditMask::format(const QString& stored) const { return layoutOf(stored).formatHere(stored); }

QString EditMask::unformat(const QString& display) const { return layoutOfDisplay(display).unformatHere(display); }

QString EditMask::formatHere(const QString& stored) const
{
    if (isEmpty())
        return stored;
    const auto shown = [this](QChar c) { return c == u' ' ? m_blank : c; };
    QString display;
    if (m_saveLiterals) {
        for (int i = 0; i < displayLength(); ++i)
            display += !isInput(i) ? m_positions[i].fixed : i < stored.size() ? shown(stored[i]) : m_blank;
        return display + stored.mid(displayLength());
    }

    const qsizetype inputs = inputCount();
    // Characters that do not fit are kept beyond the mask rather than lost.
    const qsizetype unfilled = std::max<qsizetype>(0, inputs - stored.size());
    const qsizetype excess = std::max<qsizetype>(0, stored.size() - inputs);
    const QString padded = m_blanksLead ? leadingBlanks(stored.mid(excess), unfilled) : stored.left(inputs) + QString(unfilled, u' ');
    qsizetype next = 0;
    for (const Position& p : m_positions)
        display += p.kind == Kind::Fixed ? p.fixed : shown(padded[next++]);
    if (excess == 0)
        return display;
    return m_blanksLead ? stored.left(excess) + display : display + stored.mid(inputs);
}

QString EditMask::unformatHere(const QString& display) const
{
    if (isEmpty())
        return display;
    if (display.size() > displayLength())
        refuse();
    const auto isBlank = [this](QChar c) { return c == m_blank || c == u' '; };

    bool anyFilled = false;
    for (int i = 0; i < display.size(); ++i)
        anyFilled = anyFilled || (isInput(i) && !isBlank(display[i]));
    if (!anyFilled)
        return {};

    QString stored;
    for (int i = 0; i < displayLength(); ++i) {
        const Position& p = m_positions[i];
        const QChar c = i < display.size() ? display[i] : m_blank;
        if (p.kind == Kind::Fixed) {
            if (c != p.fixed && !isBlank(c))
                refuse();
            if (m_saveLiterals)
                stored += p.fixed;
        } else if (c == m_blank || (c == u' ' && p.kind != Kind::AnyChar)) {
            if (p.required)
                refuse();
            // Without the fixed characters only what was typed is stored: an
            // unfilled optional position is no character (a telephone keeps
            // its digits only). With them every position keeps its place.
            if (m_saveLiterals)
                stored += u' ';
        } else {
            const QChar typed = accept(i, c);
            if (typed.isNull())
                refuse();
            stored += typed;
        }
    }
    return stored;
}

} // namespace ds
