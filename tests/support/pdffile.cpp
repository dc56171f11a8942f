#include "support/pdffile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pdffile {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QString unescape(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

} // namespace

QString pdfText(const QString& fileName)
{
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fileName, QStringLiteral("-")}));
}

int pdfPageCount(const QString& fileName)
{
    const auto match = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))"))
                           .match(QString::fromUtf8(run(QStringLiteral("pdfinfo"), {fileName})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfPageSize(const QString& fileName)
{
    const auto match = QRegularExpression(QStringLiteral(R"(Page size:\s+([^\n]+))"))
                           .match(QString::fromUtf8(run(QStringLiteral("pdfinfo"), {fileName})));
    return match.captured(1).trimmed();
}

QList<Word> pdfWords(const QString& fileName)
{
    const QString xhtml = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), fileName, QStringLiteral("-")}));
    static const QRegularExpression token(
        QStringLiteral(R"re(<page\b|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    int page = -1;
    for (auto it = token.globalMatch(xhtml); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(u"<page")) {
            ++page;
            continue;
        }
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        const double x1 = m.captured(3).toDouble(), y1 = m.captured(4).toDouble();
        words.push_back({page, unescape(m.captured(5)),
                         QRectF(QPointF(x0, y0) * kMmPerPoint, QPointF(x1, y1) * kMmPerPoint)});
    }
    return words;
}

QRectF findPhrase(const QList<Word>& words, const QString& phrase, int page, int from)
{
    const QStringList parts = phrase.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + parts.size() <= words.size(); ++i) {
        if (words[i].page != page)
            continue;
        QRectF box;
        bool match = true;
        for (qsizetype k = 0; k < parts.size() && match; ++k) {
            const Word& w = words[i + k];
            match = w.page == page && w.text == parts[k] && (k == 0 || std::abs(w.rectMm.top() - box.top()) < 1.0);
            box = k == 0 ? w.rectMm : box.united(w.rectMm);
        }
        if (match && from-- == 0)
            return box;
    }
    return {};
}

QStringList pdfFonts(const QString& fileName)
{
    const QStringList lines = QString::fromUtf8(run(QStringLiteral("pdffonts"), {fileName})).split(u'\n');
    QStringList fonts;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString name = lines[i].section(u' ', 0, 0, QString::SectionSkipEmpty);
        if (!name.isEmpty())
            fonts << name.section(u'+', -1);
    }
    return fonts;
}

QImage pdfPageImage(const QString& fileName, int page, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                     QStringLiteral("-f"), QString::number(page + 1), QStringLiteral("-l"),
                                     QString::number(page + 1), QStringLiteral("-singlefile"), fileName, stem});
    return QImage(stem + QStringLiteral(".png"));
}

} // namespace pdffile
