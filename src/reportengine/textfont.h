#pragma once
// A text font as a report stores it: device independent, so that a prepared
// page looks the same on screen, on paper and in a PDF.

#include <QColor>
#include <QDataStream>
#include <QFont>
#include <QString>

namespace report {

class TextFont {
public:
    TextFont() = default;
    TextFont(QString family, double pointSize, bool bold = false, bool italic = false, QColor color = Qt::black);

    QString family;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;

    TextFont withBold(bool on = true) const;
    TextFont withColor(QColor c) const;
    QFont toQFont() const;

    bool operator==(const TextFont& other) const = default;
};

size_t qHash(const TextFont& font, size_t seed = 0);
QDataStream& operator<<(QDataStream& out, const TextFont& font);
QDataStream& operator>>(QDataStream& in, TextFont& font);

} // namespace report
