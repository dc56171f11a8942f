#include "platform/helptopicsearch.h"

#include <QHelpEngineCore>
#include <QStringDecoder>
#include <QTextDocument>

#include <algorithm>

namespace platform {

namespace {

QStringList words(const QString& text) { return foldForSearch(text).split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts); }

int occurrences(const QString& text, const QString& word)
{
    int count = 0;
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size()))
        ++count;
    return count;
}

// The letters an unaccented letter stands for in Portuguese text.
QString accentClass(QChar letter)
{
    switch (letter.toLower().unicode()) {
    case u'a': return QStringLiteral(u"[aáàâãä]");
    case u'e': return QStringLiteral(u"[eéèêë]");
    case u'i': return QStringLiteral(u"[iíìîï]");
    case u'o': return QStringLiteral(u"[oóòôõö]");
    case u'u': return QStringLiteral(u"[uúùûü]");
    case u'c': return QStringLiteral(u"[cç]");
    case u'n': return QStringLiteral(u"[nñ]");
    default: return QRegularExpression::escape(QString(letter));
    }
}

} // namespace

QString foldForSearch(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c.toLower());
    return folded;
}

HelpTopicSearch::HelpTopicSearch(const QHelpEngineCore& engine)
{
    auto& core = const_cast<QHelpEngineCore&>(engine); // files() is not const, though it only reads
    for (const QString& space : engine.registeredDocumentations()) {
        for (const QUrl& url : core.files(space, QString(), QStringLiteral("html"))) {
            QTextDocument document;
            document.setHtml(QStringDecoder(QStringDecoder::Utf8).decode(engine.fileData(url)));
            Topic topic;
            topic.url = url;
            topic.title = document.metaInformation(QTextDocument::DocumentTitle);
            topic.foldedTitle = foldForSearch(topic.title);
            topic.foldedText = foldForSearch(document.toPlainText());
            m_topics.push_back(std::move(topic));
        }
    }
}

QList<HelpTopicHit> HelpTopicSearch::find(const QString& text) const
{
    const QStringList wanted = words(text);
    if (wanted.isEmpty())
        return {};
    struct Scored {
        const Topic* topic;
        bool inTitle;
        int count;
    };
    std::vector<Scored> found;
    for (const Topic& topic : m_topics) {
        int count = 0;
        bool inTitle = true;
        for (const QString& word : wanted) {
            const int n = occurrences(topic.foldedText, word);
            if (n == 0) {
                count = 0;
                break;
            }
            count += n;
            inTitle = inTitle && topic.foldedTitle.contains(word);
        }
        if (count > 0)
            found.push_back({&topic, inTitle, count});
    }
    std::stable_sort(found.begin(), found.end(), [](const Scored& a, const Scored& b) {
        if (a.inTitle != b.inTitle)
            return a.inTitle;
        return a.count > b.count;
    });
    QList<HelpTopicHit> hits;
    for (const Scored& s : found)
        hits.append({s.topic->url, s.topic->title});
    return hits;
}

QRegularExpression HelpTopicSearch::wordPattern(const QString& word)
{
    QString pattern;
    for (const QChar c : foldForSearch(word))
        pattern += accentClass(c);
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

} // namespace platform
