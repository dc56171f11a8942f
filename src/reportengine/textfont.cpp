#include "reportengine/textfont.h"

#include <QHashFunctions>

namespace report {

TextFont::TextFont(QString family, double pointSize, bool bold, bool italic, QColor color)
    : family(std::move(family)), pointSize(pointSize), bold(bold), italic(italic), color(color)
{
}

TextFont TextFont::withBold(bool on) const
{
    TextFont copy = *this;
    copy.bold = on;
    return copy;
}

TextFont TextFont::withColor(QColor c) const
{
    TextFont copy = *this;
    copy.color = c;
    return copy;
}

QFont TextFont::toQFont() const
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

size_t qHash(const TextFont& font, size_t seed)
{
    return qHashMulti(seed, font.family, font.pointSize, font.bold, font.italic);
}

QDataStream& operator<<(QDataStream& out, const TextFont& font)
{
    return out << font.family << font.pointSize << font.bold << font.italic << font.color;
}

QDataStream& operator>>(QDataStream& in, TextFont& font)
{
    return in >> font.family >> font.pointSize >> font.bold >> font.italic >> font.color;
}

} // namespace report
