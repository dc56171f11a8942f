#pragma once
// What poppler's tools read from a PDF the program wrote: its text, its
// pages, the place of every word, its fonts and its pages as pictures.

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace pdffile {

// The text as pdftotext -layout reads it, pages separated by form feeds.
QString pdfText(const QString& fileName);
// pdfinfo's "Pages:" and "Page size:" lines.
int pdfPageCount(const QString& fileName);
QString pdfPageSize(const QString& fileName);

struct Word {
    int page = 0;   // from 0
    QString text;
    QRectF rectMm;  // from the sheet's top-left corner
};
// Every word with its box (pdftotext -bbox-layout), in reading order.
QList<Word> pdfWords(const QString& fileName);
// The words that stand on one line, from the one at which `first` begins: their
// texts joined by single spaces must equal `phrase`. The boxes of the words,
// joined; an empty rectangle when the phrase is not found. `from` skips hits.
QRectF findPhrase(const QList<Word>& words, const QString& phrase, int page = 0, int from = 0);
// Font names of pdffonts (the subset prefix removed).
QStringList pdfFonts(const QString& fileName);
// One page drawn by pdftoppm at that resolution.
QImage pdfPageImage(const QString& fileName, int page, int dpi);

} // namespace pdffile
