// The record commands: which are enabled as the data set changes, what they
// do to the data set behind their data source, and re-pointing the list.

#include "controls/errorhandler.h"
#include "controls/recordcommands.h"
#include "dataset/dataset.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

using controls::RecordAction;
using controls::RecordCommands;

namespace {

struct Names : ds::DataSet {
    explicit Names(int rows)
    {
        addField(QStringLiteral("NOME"), ds::FieldType::Text, 20, true);
        open();
        for (int i = 0; i < rows; ++i) {
            append();
            fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("n%1").arg(i));
            post();
        }
        first();
    }
};

// One letter per enabled command, in list order: F P N L I D S C.
QString enabled(const RecordCommands& commands)
{
    static const char letters[] = "FPNLIDSC";
    QString out;
    for (int i = 0; i < commands.commands().size(); ++i)
        out += commands.commands()[i]->isEnabled() ? QChar::fromLatin1(letters[i]) : u'-';
    return out;
}

TEST(RecordCommandsTest, EnablingFollowsTheDataSetOnEmptyOneAndManyRows)
{
    struct Case {
        int rows;
        const char* steps;   // o open, n next, l last, f first, i insert, e edit, p post, c cancel, x close
        const char* expected;
        bool readOnly = false;
    } cases[] = {
        {0, "o", "----I---"},
        {0, "oi", "----I-SC"},     // a record being inserted is not yet one to move to or delete
        {0, "oic", "----I---"},
        {1, "o", "--NLID--"},      // right after opening only the begin-of-data mark is set
        {1, "on", "FP--ID--"},
        {1, "oe", "--NLIDSC"},
        {3, "o", "--NLID--"},
        {3, "on", "FPNLID--"},
        {3, "ol", "FP--ID--"},
        {3, "olf", "--NLID--"},
        {3, "oep", "FPNLID--"},
        {3, "ox", "--------"},
        {3, "o", "--NL----", true},
    };
    for (const Case& c : cases) {
        Names data(c.rows);
        data.setReadOnly(c.readOnly);
        ds::DataSource source(&data);
        RecordCommands commands;
        commands.bind(&source);
        for (const char* s = c.steps; *s; ++s) {
            switch (*s) {
            case 'o': data.first(); break;
            case 'n': data.next(); break;
            case 'l': data.last(); break;
            case 'f': data.first(); break;
            case 'i': data.insert(); break;
            case 'e': data.edit(); break;
            case 'p': data.post(); break;
            case 'c': data.cancel(); break;
            case 'x': data.close(); break;
            }
        }
        EXPECT_EQ(enabled(commands), QString::fromLatin1(c.expected)) << c.rows << " rows, steps " << c.steps;
    }
}

TEST(RecordCommandsTest, CommandsActOnTheDataSetTheListIsPointedAt)
{
    Names first(3), second(2);
    ds::DataSource a(&first), b(&second);
    RecordCommands commands;
    commands.bind(&a);
    commands.command(RecordAction::Last)->trigger();
    EXPECT_EQ(first.recNo(), 2);

    commands.bind(&b);
    EXPECT_EQ(enabled(commands), QStringLiteral("--NLID--"));
    commands.command(RecordAction::Next)->trigger();
    commands.command(RecordAction::Delete)->trigger();   // no question asked
    EXPECT_EQ(second.recordCount(), 1);
    EXPECT_EQ(first.recordCount(), 3);

    // "Novo" inserts at the current record in the navigator and appends in the grid menu.
    controls::RecordCommand append(RecordAction::Append);
    append.setDataSource(&a);
    EXPECT_EQ(append.text(), QStringLiteral("Novo"));
    first.first();
    commands.bind(&a);
    commands.command(RecordAction::Insert)->trigger();
    EXPECT_EQ(first.recNo(), 0);
    commands.command(RecordAction::Cancel)->trigger();
    append.trigger();
    EXPECT_EQ(first.recNo(), 3);
    EXPECT_EQ(first.state(), ds::DataSetState::Insert);
}

TEST(RecordCommandsTest, ACommandPointedElsewhereFollowsItsOwnSourceUntilTheListIsBoundAgain)
{
    Names first(3), second(2);
    ds::DataSource a(&first);
    auto b = std::make_unique<ds::DataSource>(&second);
    RecordCommands commands;
    commands.bind(&a);
    controls::RecordCommand* cancel = commands.command(RecordAction::Cancel);
    cancel->setDataSource(b.get());
    // "Salvar" and "Cancelar" tell which data set's edit each command follows.
    const auto saveAndCancel = [&] { return enabled(commands).right(2); };
    second.edit();
    EXPECT_EQ(saveAndCancel(), QStringLiteral("-C"));
    first.edit();
    EXPECT_EQ(saveAndCancel(), QStringLiteral("SC"));
    first.cancel();
    EXPECT_EQ(saveAndCancel(), QStringLiteral("-C"));

    // Bound again to the source it already had, the list takes the command back.
    commands.bind(&a);
    EXPECT_EQ(saveAndCancel(), QStringLiteral("--"));
    second.cancel();
    second.edit();
    EXPECT_EQ(saveAndCancel(), QStringLiteral("--"));
    first.edit();
    EXPECT_EQ(saveAndCancel(), QStringLiteral("SC"));
    first.cancel();

    // A source that goes away leaves its commands disabled.
    cancel->setDataSource(b.get());
    EXPECT_EQ(saveAndCancel(), QStringLiteral("-C"));
    b.reset();
    EXPECT_EQ(saveAndCancel(), QStringLiteral("--"));
    auto c = std::make_unique<ds::DataSource>(&first);
    commands.bind(c.get());
    EXPECT_EQ(enabled(commands).mid(2), QStringLiteral("NLID--"));
    c.reset();
    EXPECT_EQ(enabled(commands), QStringLiteral("--------"));
}

TEST(RecordCommandsTest, AFailingSaveGoesToTheErrorHandlerAndSkipsTheHook)
{
    QStringList errors;
    controls::setErrorHandler([&](const EError& e) { errors << e.message(); });
    Names data(1);
    ds::DataSource source(&data);
    RecordCommands commands;
    commands.bind(&source);
    QSignalSpy saved(commands.command(RecordAction::Post), &controls::RecordCommand::executed);

    data.insert();   // NOME is required
    commands.command(RecordAction::Post)->trigger();
    EXPECT_EQ(errors, QStringList{QStringLiteral("Field 'NOME' must have a value")});
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(data.state(), ds::DataSetState::Insert);

    data.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Zé"));
    commands.command(RecordAction::Post)->trigger();
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(data.recordCount(), 2);
    controls::setErrorHandler({});
}

} // namespace
