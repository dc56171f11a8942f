#pragma once
// Searching the words of the help topics. Every word typed must appear in a
// topic for it to be found; letter case and accents do not count, so that
// "sessao" finds "Sessões". Topics whose title holds the words come first,
// then those where they appear most often.

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QUrl>

#include <vector>

class QHelpEngineCore;

namespace platform {

struct HelpTopicHit {
    QUrl url;
    QString title;
};

class HelpTopicSearch {
public:
    // Reads the text of every topic of the collection's documentation.
    explicit HelpTopicSearch(const QHelpEngineCore& engine);

    // The topics that hold every word of the text, best first; none for a text without words.
    QList<HelpTopicHit> find(const QString& text) const;

    // A pattern that finds the word in a topic's text whatever its accents and case,
    // used to point at the first place the word stands.
    static QRegularExpression wordPattern(const QString& word);

    int topicCount() const { return int(m_topics.size()); }

private:
    struct Topic {
        QUrl url;
        QString title;
        QString foldedTitle;
        QString foldedText;
    };
    std::vector<Topic> m_topics;
};

// The text without accents and in lower case: "Sessões" gives "sessoes".
QString foldForSearch(const QString& text);

} // namespace platform
