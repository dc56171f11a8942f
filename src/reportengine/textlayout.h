#pragma once
// Breaks a text into the lines a box of a given width shows, and places
// those lines inside the box.

#include "reportengine/prepareditem.h"
#include "reportengine/textbox.h"

#include <QStringList>

namespace report {

struct WrappedText {
    QStringList lines;
    QList<double> widths; // mm, per line
    double ascent = 0;
    double lineSpacing = 0;

    double height() const { return lines.size() * lineSpacing; }
};

class TextLayout {
public:
    // Paragraphs end at line breaks. Wrap and Grow break lines between words
    // (inside a word too long for the width); NoWrap cuts each paragraph at
    // the right edge. maxLines >= 0 stops once that many lines are known.
    static WrappedText wrap(const QString& text, const TextFont& font, double widthMm, TextFlow flow,
                            int maxLines = -1);

    // A text a box of that size (mm) cannot hold at the font's size, broken
    // as Wrap breaks it at the largest size, in half points, at which it
    // stands whole in the box, but not below minimumPoints; font is set to
    // the size chosen.
    static WrappedText fit(const QString& text, TextFont& font, const QSizeF& boxMm, double minimumPoints);

    // How many lines a box of that height shows: all of them when it grows,
    // else as many as fit, and at least the first.
    static int shownLines(const WrappedText& text, double heightMm, bool grows);
    // How many lines of that spacing a box of that height holds, at least one.
    static int linesFitting(double heightMm, double lineSpacingMm);

    // The first count lines placed in a box of that size.
    static QList<TextLine> place(const WrappedText& text, int count, const QSizeF& boxMm, Qt::Alignment alignment);
};

} // namespace report
