// The in-memory behaviour of data sets that every screen and rule relies on.

#include "dataset/dataset.h"
#include "dataset/datasource.h"
#include "dataset/dberror.h"
#include "dataset/valuecompare.h"
#include "support/columnvalues.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QSignalSpy>
#include <QTime>
#include <gtest/gtest.h>

using ds::DataSet;
using ds::DataSetState;
using ds::FieldType;

namespace {

// A small list of people kept in order of name.
struct People : DataSet {
    People() : DataSet(QStringLiteral("people"))
    {
        addField(QStringLiteral("ID"), FieldType::Integer, 0, true).setVisible(false);
        addField(QStringLiteral("NOME"), FieldType::Text, 20, true).setDisplayLabel(QStringLiteral("NOME COMPLETO"));
        addField(QStringLiteral("NASC"), FieldType::Date);
        setSortFields({QStringLiteral("NOME")});
    }
    void add(int id, const QString& name)
    {
        append();
        fieldByName(QStringLiteral("ID")).setValue(id);
        fieldByName(QStringLiteral("NOME")).setValue(name);
        post();
    }
    QStringList names() const { return columnValues(*this, QStringLiteral("NOME")); }
    QString current() { return fieldByName(QStringLiteral("NOME")).asString(); }
};

} // namespace

TEST(DataSetOrder, NewAndChangedRowsTakeTheirPlaceInTheOrder)
{
    People p;
    p.open();
    for (auto [id, name] : {std::pair{1, u"Mário"}, {2, u"Ana"}, {3, u"Zeca"}, {4, u"Álvaro"}, {5, u"bruno"}})
        p.add(id, QString::fromUtf16(name));
    // Accents and case sort as the server's collation does: Álvaro with the A's.
    EXPECT_EQ(p.names(), (QStringList{QStringLiteral(u"Álvaro"), "Ana", "bruno", QStringLiteral(u"Mário"), "Zeca"}));
    EXPECT_EQ(p.current(), QStringLiteral("bruno"));   // the cursor follows the posted row
    p.locate(QStringLiteral("NOME"), QStringLiteral("Zeca"));
    p.edit();
    p.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Beatriz"));
    p.post();
    EXPECT_EQ(p.names(), (QStringList{QStringLiteral(u"Álvaro"), "Ana", "Beatriz", "bruno", QStringLiteral(u"Mário")}));
    EXPECT_EQ(p.current(), QStringLiteral("Beatriz"));
}

TEST(DataSetCursor, BeginAndEndFlagsOnEmptyOneAndManyRows)
{
    struct Step {
        const char* move;
        bool bof, eof;
    };
    struct Case {
        int rows;
        std::vector<Step> steps;
    } cases[] = {
        {0, {{"open", true, true}, {"next", true, true}, {"last", true, true}, {"prior", true, true}}},
        {1, {{"open", true, false}, {"next", false, true}, {"prior", true, false}, {"last", false, true},
             {"first", true, false}}},
        {3, {{"open", true, false}, {"next", false, false}, {"next", false, false}, {"next", false, true},
             {"first", true, false}, {"last", false, true}, {"prior", false, false}}},
    };
    for (const Case& c : cases) {
        People p;
        p.open();
        for (int i = 0; i < c.rows; ++i)
            p.add(i + 1, QStringLiteral("N%1").arg(i));
        p.close();
        // A closed in-memory data set opens empty: refill it the way a statement would.
        p.open();
        for (int i = 0; i < c.rows; ++i)
            p.add(i + 1, QStringLiteral("N%1").arg(i));
        for (const Step& s : c.steps) {
            const std::string m = s.move;
            if (m == "open")
                p.first();
            else if (m == "next")
                p.next();
            else if (m == "prior")
                p.prior();
            else if (m == "first")
                p.first();
            else if (m == "last")
                p.last();
            EXPECT_EQ(p.bof(), s.bof) << c.rows << " rows after " << m;
            EXPECT_EQ(p.eof(), s.eof) << c.rows << " rows after " << m;
        }
    }
}

TEST(DataSetCursor, ScrollEventsOnlyWhenTheRecordChanges)
{
    People p;
    p.open();
    p.add(1, QStringLiteral("A"));
    p.add(2, QStringLiteral("B"));
    p.first();
    int before = 0, after = 0;
    p.beforeScroll = [&](DataSet&) { ++before; };
    p.afterScroll = [&](DataSet&) { ++after; };
    p.first();   // already there
    p.prior();   // at the beginning
    EXPECT_EQ(after, 0);
    p.next();
    p.next();    // sets end of data, stays on B
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(p.current(), QStringLiteral("B"));
}

TEST(DataSetEditing, InsertCancelAndDeleteRunTheirEventsInOrder)
{
    People p;
    p.open();
    p.add(1, QStringLiteral("A"));
    p.add(2, QStringLiteral("C"));
    QStringList log;
    for (auto [event, name] : {std::pair{&DataSet::beforeInsert, "beforeInsert"}, {&DataSet::afterInsert, "afterInsert"},
                               {&DataSet::beforeScroll, "beforeScroll"}, {&DataSet::afterScroll, "afterScroll"},
                               {&DataSet::beforeCancel, "beforeCancel"}, {&DataSet::afterCancel, "afterCancel"},
                               {&DataSet::beforeDelete, "beforeDelete"}, {&DataSet::afterDelete, "afterDelete"},
                               {&DataSet::beforePost, "beforePost"}, {&DataSet::afterPost, "afterPost"}})
        p.*event = [&log, n = QString::fromLatin1(name)](DataSet&) { log << n; };
    p.first();
    log.clear();
    p.insert();
    EXPECT_EQ(p.state(), DataSetState::Insert);
    EXPECT_EQ(p.recNo(), 0);   // at the current position
    p.cancel();
    EXPECT_EQ(p.names(), (QStringList{"A", "C"}));
    p.deleteRecord();
    EXPECT_EQ(log, (QStringList{"beforeInsert", "beforeScroll", "afterInsert", "afterScroll", "beforeCancel",
                                "beforeScroll", "afterCancel", "afterScroll", "beforeDelete", "beforeScroll",
                                "afterDelete", "afterScroll"}));
    EXPECT_EQ(p.names(), QStringList{"C"});
}

TEST(DataSetEditing, RequiredFieldNamesItsLabelAndLeavesTheRecordBeingEdited)
{
    People p;
    p.open();
    p.append();
    p.fieldByName(QStringLiteral("ID")).setValue(1);
    try {
        p.post();
        FAIL() << "an empty required field must refuse the save";
    } catch (const ds::EDatabaseError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'NOME COMPLETO' must have a value"));
    }
    EXPECT_EQ(p.state(), DataSetState::Insert);
    EXPECT_EQ(p.fieldByName(QStringLiteral("ID")).asInteger(), 1);
}

TEST(DataSetEditing, EmptyTextsAndDatesOrTimesThatHoldNoneAreNoValue)
{
    struct Case {
        const char* field;
        QVariant value;
        bool typed;   // through the field's text, as a box writes it
    };
    const Case cases[] = {
        {"NOTA", QString(), true},   // a note typed and erased in its box
        {"NOTA", QStringLiteral(""), false},
        {"NOME", QStringLiteral(""), false},
        {"DATA", QDate(), false},
        {"HORA", QTime(), false},
    };
    for (const Case& c : cases) {
        DataSet d(QStringLiteral("notes"));
        d.addField(QStringLiteral("NOME"), FieldType::Text, 20, true);
        d.addField(QStringLiteral("NOTA"), FieldType::Memo, 0, true);
        d.addField(QStringLiteral("DATA"), FieldType::Date, 0, true);
        d.addField(QStringLiteral("HORA"), FieldType::Time, 0, true);
        d.open();
        d.append();
        d.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Ana"));
        d.fieldByName(QStringLiteral("NOTA")).setText(QStringLiteral("Brincou de bola."));
        d.fieldByName(QStringLiteral("DATA")).setValue(QDate(2011, 3, 5));
        d.fieldByName(QStringLiteral("HORA")).setValue(QTime(14, 0));
        ds::Field& f = d.fieldByName(QString::fromLatin1(c.field));
        if (c.typed)
            f.setText(c.value.toString());
        else
            f.setValue(c.value);
        EXPECT_TRUE(f.isNull()) << c.field;
        try {
            d.post();
            ADD_FAILURE() << c.field << " was saved empty";
        } catch (const ds::EDatabaseError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Field '%1' must have a value").arg(QString::fromLatin1(c.field)));
        }
        EXPECT_EQ(d.state(), DataSetState::Insert);
    }
}

TEST(DataSetEditing, EditOnAnEmptyDataSetStartsAnInsertion)
{
    People p;
    p.open();
    p.edit();
    EXPECT_EQ(p.state(), DataSetState::Insert);
    // A move with nothing typed drops the new record.
    p.first();
    EXPECT_TRUE(p.isEmpty());
    EXPECT_EQ(p.state(), DataSetState::Browse);
}

TEST(DataSetEditing, MovingAwayPostsAChangedRecord)
{
    People p;
    p.open();
    p.add(1, QStringLiteral("A"));
    p.add(2, QStringLiteral("B"));
    p.first();
    p.edit();
    p.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Aa"));
    p.next();
    EXPECT_EQ(p.state(), DataSetState::Browse);
    EXPECT_EQ(p.names(), (QStringList{"Aa", "B"}));
    // Nothing is written yet: two insertions, the first one changed again.
    ASSERT_EQ(p.pendingChanges().size(), 2u);
    EXPECT_EQ(p.pendingChanges()[1]->values[1].toString(), QStringLiteral("Aa"));
}

TEST(DataSetEditing, ValidationRefusesAnAssignmentAndKeepsTheOldValue)
{
    People p;
    p.fieldByName(QStringLiteral("NOME")).onValidate = [](ds::Field&, const QVariant& v) {
        if (v.toString() == QStringLiteral("X"))
            throw EError(QStringLiteral("no X"));
    };
    p.open();
    p.add(1, QStringLiteral("A"));
    p.edit();
    EXPECT_THROW(p.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("X")), EError);
    EXPECT_EQ(p.current(), QStringLiteral("A"));
}

TEST(DataSetSearch, LocateIsExactAndBookmarksReturn)
{
    People p;
    p.open();
    p.add(1, QStringLiteral("maria"));
    p.add(2, QStringLiteral("Maria"));
    p.add(3, QStringLiteral("Pedro"));
    EXPECT_TRUE(p.locate(QStringLiteral("NOME"), QStringLiteral("Maria")));
    EXPECT_EQ(p.fieldByName(QStringLiteral("ID")).asInteger(), 2);
    EXPECT_FALSE(p.locate(QStringLiteral("NOME"), QStringLiteral("MARIA")));
    EXPECT_EQ(p.fieldByName(QStringLiteral("ID")).asInteger(), 2);   // a failed locate stays
    const ds::Bookmark b = p.bookmark();
    p.last();
    p.gotoBookmark(b);
    EXPECT_EQ(p.current(), QStringLiteral("Maria"));
    EXPECT_TRUE(p.locate(QStringLiteral("ID"), QStringLiteral("3")));
}

TEST(DataSetControls, SuspendedDisplayUpdatesStillRunTheRules)
{
    People p;
    ds::DataSource source(&p);
    p.open();
    p.add(1, QStringLiteral("A"));
    p.add(2, QStringLiteral("B"));
    int scrolls = 0;
    p.afterScroll = [&](DataSet&) { ++scrolls; };
    QSignalSpy scrolled(&source, &ds::DataSource::dataSetScrolled);
    QSignalSpy changed(&source, &ds::DataSource::dataSetChanged);
    p.disableControls();
    p.first();
    p.next();
    EXPECT_EQ(scrolls, 2);
    EXPECT_EQ(scrolled.count(), 0);
    p.enableControls();
    EXPECT_EQ(changed.count(), 1);   // the controls catch up once
    p.prior();
    EXPECT_EQ(scrolled.count(), 1);
}

TEST(DataSetLookup, EmptyWhenTheKeyIsEmptyOrMatchesNothing)
{
    DataSet schools(QStringLiteral("schools"));
    schools.addField(QStringLiteral("ID"), FieldType::Integer);
    schools.addField(QStringLiteral("NOME"), FieldType::Text, 60);
    DataSet kids(QStringLiteral("kids"));
    kids.addField(QStringLiteral("ESCOLA"), FieldType::Integer);
    ds::Field& school = kids.addLookupField(QStringLiteral("DescrEscola"), QStringLiteral("ESCOLA"), &schools,
                                            QStringLiteral("ID"), QStringLiteral("NOME"), 60);
    kids.open();
    EXPECT_TRUE(schools.isActive());   // reference data opens first
    schools.append();
    schools.fieldByName(QStringLiteral("ID")).setValue(10);
    schools.fieldByName(QStringLiteral("NOME")).setValue(QStringLiteral("Escola Sol"));
    schools.post();
    for (auto [key, shown] : {std::pair{QVariant(), ""}, {QVariant(99), ""}, {QVariant(10), "Escola Sol"}}) {
        kids.append();
        kids.fieldByName(QStringLiteral("ESCOLA")).setValue(key);
        kids.post();
        EXPECT_EQ(school.displayText(), QString::fromLatin1(shown));
    }
    // Choosing a shown value writes its key.
    kids.edit();
    school.setValue(QStringLiteral("Escola Sol"));
    EXPECT_EQ(kids.fieldByName(QStringLiteral("ESCOLA")).asInteger(), 10);
    EXPECT_TRUE(school.readOnly());
}

TEST(DataSetFields, TextConversionsAndTheirErrors)
{
    People p;
    p.open();
    p.append();
    ds::Field& nasc = p.fieldByName(QStringLiteral("NASC"));
    nasc.setText(QStringLiteral("05/03/2011"));
    EXPECT_EQ(nasc.asDate(), QDate(2011, 3, 5));
    EXPECT_EQ(nasc.displayText(), QStringLiteral("05/03/2011"));
    try {
        nasc.setText(QStringLiteral("31/02/2010"));
        FAIL();
    } catch (const ds::EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'31/02/2010' is not a valid date"));
    }
    EXPECT_EQ(nasc.asDate(), QDate(2011, 3, 5));
    nasc.setText(QString());
    EXPECT_TRUE(nasc.isNull());
    p.fieldByName(QStringLiteral("NOME")).setValue(QString(30, u'x'));
    EXPECT_EQ(p.fieldByName(QStringLiteral("NOME")).asString().size(), 20);   // cut to the column's size
    EXPECT_THROW(p.fieldByName(QStringLiteral("NADA")), ds::EDatabaseError);
}

TEST(DataSetFields, DatesAreReadAsUsersTypeThem)
{
    People p;
    p.open();
    p.append();
    ds::Field& nasc = p.fieldByName(QStringLiteral("NASC"));
    struct Case {
        const char* typed;
        QDate date;   // invalid: refused
    } cases[] = {
        {"5/3/2011", {2011, 3, 5}},
        {"05/03/11", {2011, 3, 5}},
        {"5/03/2011", {2011, 3, 5}},
        {" 5/ 3/2011", {2011, 3, 5}},  // as the date box leaves an unfilled position
        {"15/3/30", {2030, 3, 15}},    // the date box's century window
        {"15/3/31", {1931, 3, 15}},
        {"29/2/12", {2012, 2, 29}},
        {"29/2/13", {}},
        {"5/3/201", {}},
        {"5/3/20111", {}},
        {"05/03", {}},
        {"5-3-2011", {}},
        {"5/x/2011", {}},
        {"123/3/2011", {}},
    };
    for (const Case& c : cases) {
        nasc.clear();
        const QString typed = QString::fromLatin1(c.typed);
        if (c.date.isValid()) {
            nasc.setText(typed);
            EXPECT_EQ(nasc.asDate(), c.date) << c.typed;
        } else {
            EXPECT_THROW(nasc.setText(typed), ds::EConvertError) << c.typed;
            EXPECT_TRUE(nasc.isNull()) << c.typed;
        }
    }
}

// The order of texts is the collation's, whatever shortcut the comparison takes.
TEST(DataSetOrder, TextsCompareAsTheCollationOrdersThem)
{
    QCollator collation(QLocale(QLocale::Portuguese, QLocale::Brazil));
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    const QString alphabet = QStringLiteral(u"aAbBzZ09 .-áÁçÇ");
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const auto text = [&] {
        QString s;
        for (quint32 n = next() % 6; n > 0; --n)
            s += alphabet[qsizetype(next() % quint32(alphabet.size()))];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = text(), b = text();
        int expected = collation.compare(a, b);
        if (expected == 0)
            expected = a < b ? -1 : (b < a ? 1 : 0);
        const int got = ds::compareValues(FieldType::Text, a, b);
        ASSERT_EQ((got > 0) - (got < 0), (expected > 0) - (expected < 0))
            << a.toStdString() << " / " << b.toStdString();
    }
}
