#include "reportengine/script.h"

#include "core/eerror.h"
#include "reportengine/reportobject.h"

#include <QCoreApplication>

namespace report {

namespace {

struct Token {
    enum class Kind { Word, Symbol, End } kind = Kind::End;
    QString text;
    int line = 1;
};

std::vector<Token> tokenize(const QString& text)
{
    std::vector<Token> tokens;
    int line = 1;
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return k < text.size() ? text.at(k) : QChar(); };
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == u'\n') {
            ++line;
            ++i;
        } else if (c.isSpace()) {
            ++i;
        } else if (c == u'/' && at(i + 1) == u'/') {
            while (i < text.size() && text.at(i) != u'\n')
                ++i;
        } else if (c == u'{' || (c == u'(' && at(i + 1) == u'*')) {
            const QString close = c == u'{' ? QStringLiteral("}") : QStringLiteral("*)");
            const qsizetype end = text.indexOf(close, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end + close.size();
            line += int(text.mid(i, stop - i).count(u'\n'));
            i = stop;
        } else if (c.isLetter() || c == u'_') {
            const qsizetype start = i;
            while (i < text.size() && (text.at(i).isLetterOrNumber() || text.at(i) == u'_'))
                ++i;
            tokens.push_back({Token::Kind::Word, text.mid(start, i - start), line});
        } else if (c == u':' && at(i + 1) == u'=') {
            tokens.push_back({Token::Kind::Symbol, QStringLiteral(":="), line});
            i += 2;
        } else {
            tokens.push_back({Token::Kind::Symbol, QString(c), line});
            ++i;
        }
    }
    tokens.push_back({Token::Kind::End, QString(), line});
    return tokens;
}

} // namespace

class ScriptParser {
public:
    ScriptParser(const QString& text, const Script::Resolver& objects) : m_tokens(tokenize(text)), m_objects(objects) {}

    Script parse()
    {
        Script script;
        while (isWord(u"procedure")) {
            next();
            const QString name = word();
            if (isSymbol(u"(")) // the parameter list is not used
                while (!isSymbol(u")") && peek().kind != Token::Kind::End)
                    next();
            expectSymbol(u")", false);
            expectSymbol(u";");
            script.m_procedures.insert(name.toLower(), block());
            expectSymbol(u";");
        }
        if (isWord(u"begin")) {
            script.m_main = block();
            expectSymbol(u".");
        }
        if (peek().kind != Token::Kind::End)
            fail();
        return script;
    }

private:
    const Token& peek() const { return m_tokens[m_pos]; }
    void next() { if (m_pos + 1 < m_tokens.size()) ++m_pos; }
    bool isWord(QStringView w) const { return peek().kind == Token::Kind::Word && peek().text.compare(w, Qt::CaseInsensitive) == 0; }
    bool isSymbol(QStringView s) const { return peek().kind == Token::Kind::Symbol && peek().text == s; }

    [[noreturn]] void fail() const { fail(peek()); }
    [[noreturn]] void fail(const Token& t) const
    {
        throw EError(QCoreApplication::translate("report", "Script error in line %1 at \"%2\".").arg(t.line).arg(t.kind == Token::Kind::End ? QCoreApplication::translate("report", "end of text") : t.text));
    }

    QString word()
    {
        if (peek().kind != Token::Kind::Word)
            fail();
        QString w = peek().text;
        next();
        return w;
    }

    void expectSymbol(QStringView s, bool required = true)
    {
        if (isSymbol(s))
            next();
        else if (required)
            fail();
    }

    void expectWord(QStringView w)
    {
        if (!isWord(w))
            fail();
        next();
    }

    ReportObject* property()
    {
        const Token& at = peek();
        const QString name = word();
        if (!isSymbol(u"."))
            fail(at);
        next();
        if (!isWord(u"Visible"))
            fail();
        next();
        ReportObject* object = m_objects(name);
        if (!object)
            throw EError(QCoreApplication::translate("report", "Script error in line %1: unknown object %2.").arg(at.line).arg(name));
        return object;
    }

    Script::Block block()
    {
        expectWord(u"begin");
        Script::Block statements;
        while (!isWord(u"end")) {
            if (isSymbol(u";")) {
                next();
                continue;
            }
            Script::Statement statement;
            statement.target = property();
            expectSymbol(u":=");
            while (isWord(u"not")) {
                statement.value.negate = !statement.value.negate;
                next();
            }
            if (isWord(u"true") || isWord(u"false")) {
                statement.value.constant = isWord(u"true");
                next();
            } else {
                statement.value.source = property();
            }
            if (!isSymbol(u";") && !isWord(u"end"))
                fail();
            statements.push_back(statement);
        }
        next();
        return statements;
    }

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    const Script::Resolver& m_objects;
};

Script Script::parse(const QString& text, const Resolver& objects) { return ScriptParser(text, objects).parse(); }

bool Script::hasProcedure(const QString& name) const { return m_procedures.contains(name.toLower()); }

void Script::run(const QString& procedure) const
{
    const auto it = m_procedures.constFind(procedure.toLower());
    if (it == m_procedures.constEnd())
        throw EError(QCoreApplication::translate("report", "The script has no procedure %1.").arg(procedure));
    execute(*it);
}

void Script::runMain() const { execute(m_main); }

void Script::execute(const Block& block)
{
    for (const Statement& statement : block) {
        const bool value = statement.value.source ? statement.value.source->isVisible() : statement.value.constant;
        statement.target->setVisible(value != statement.value.negate);
    }
}

} // namespace report
