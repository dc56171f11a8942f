#pragma once
// The small script a definition carries: procedures that bands call after
// they print, and a main block run when preparation starts. It knows exactly
// one statement form:
//     Object.Visible := not Object.Visible;   (or another object, true, false)

#include <QHash>
#include <QString>
#include <functional>
#include <vector>

namespace report {

class ReportObject;

class Script {
public:
    using Resolver = std::function<ReportObject*(const QString&)>;

    Script() = default;
    // Throws EError naming the line for anything outside that form or an unknown object.
    static Script parse(const QString& text, const Resolver& objects);

    bool hasProcedure(const QString& name) const;
    void run(const QString& procedure) const; // throws EError when there is no such procedure
    void runMain() const;

private:
    struct Value {
        bool negate = false;
        bool constant = false;       // when no object is read
        ReportObject* source = nullptr;
    };
    struct Statement {
        ReportObject* target = nullptr;
        Value value;
    };
    using Block = std::vector<Statement>;

    static void execute(const Block& block);

    QHash<QString, Block> m_procedures; // by lower-case name
    Block m_main;

    friend class ScriptParser;
};

} // namespace report
