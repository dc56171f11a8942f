// The bound drop-down lists: the status list of fixed texts and the lookup
// list over a reference table.

#include "controls/errorhandler.h"
#include "controls/fieldcombobox.h"
#include "controls/lookupcombobox.h"
#include "dataset/dataset.h"

#include <QTest>
#include <gtest/gtest.h>

using ds::FieldType;

namespace {

struct Schools : ds::DataSet {
    Schools()
    {
        addField(QStringLiteral("ID"), FieldType::Integer);
        addField(QStringLiteral("NOME"), FieldType::Text, 60);
        setSortFields({QStringLiteral("NOME")});
        open();
        add(20, QStringLiteral("Escola B"));
        add(10, QStringLiteral("Escola A"));
    }
    void add(int id, const QString& name)
    {
        append();
        fieldByName(QStringLiteral("ID")).setValue(id);
        fieldByName(QStringLiteral("NOME")).setValue(name);
        post();
    }
};

// A patient with a status shown as a word and a school shown by name.
struct Patients : ds::DataSet {
    explicit Patients(Schools& schools)
    {
        Field& status = addField(QStringLiteral("STATUS"), FieldType::Text, 1);
        status.onGetText = [](const ds::Field& f, bool) {
            const QString code = f.asString();
            return code == u"A"   ? QStringLiteral("Ativo")
                   : code == u"S" ? QStringLiteral("Suspenso")
                   : code == u"F" ? QStringLiteral("Finalizado")
                                  : QString();
        };
        status.onSetText = [](ds::Field& f, const QString& text) { f.setValue(text.left(1).toUpper()); };
        addField(QStringLiteral("ESCOLA"), FieldType::Integer);
        addLookupField(QStringLiteral("DescrEscola"), QStringLiteral("ESCOLA"), &schools, QStringLiteral("ID"),
                       QStringLiteral("NOME"), 60);
        open();
    }
    using Field = ds::Field;
    void add(const char* status, const QVariant& school)
    {
        append();
        fieldByName(QStringLiteral("STATUS")).setValue(QString::fromLatin1(status));
        fieldByName(QStringLiteral("ESCOLA")).setValue(school);
        post();
    }
};

class DropListsTest : public testing::Test {
protected:
    void SetUp() override { controls::setErrorHandler([this](const EError& e) { errors << e.message(); }); }
    void TearDown() override { controls::setErrorHandler({}); }

    Schools schools;
    Patients patients{schools};
    ds::DataSource source{&patients};
    QStringList errors;
};

TEST_F(DropListsTest, TheStatusListShowsTheFieldsTextAndEntersTheChosenText)
{
    patients.add("S", {});
    patients.add("X", {});
    controls::FieldComboBox status;
    status.addItems({QStringLiteral("Ativo"), QStringLiteral("Suspenso"), QStringLiteral("Finalizado")});
    status.setDataSource(&source);
    status.setDataField(QStringLiteral("STATUS"));
    EXPECT_EQ(status.currentIndex(), -1);   // an unknown code shows nothing
    patients.first();
    EXPECT_EQ(status.currentText(), QStringLiteral("Suspenso"));

    QTest::keyClick(&status, Qt::Key_Down);
    EXPECT_EQ(patients.state(), ds::DataSetState::Edit);
    EXPECT_EQ(patients.fieldByName(QStringLiteral("STATUS")).value(), QStringLiteral("F"));
    EXPECT_EQ(status.currentText(), QStringLiteral("Finalizado"));   // through the field's text again
}

TEST_F(DropListsTest, TheLookupListShowsTheLookedUpTextAndChoosingWritesTheKey)
{
    patients.add("A", 20);
    patients.add("A", 99);   // matches no school
    controls::LookupComboBox school;
    school.setDataSource(&source);
    school.setDataField(QStringLiteral("DescrEscola"));
    EXPECT_EQ(school.currentIndex(), -1);
    patients.first();
    EXPECT_EQ(school.currentText(), QStringLiteral("Escola B"));
    ASSERT_EQ(school.count(), 2);
    EXPECT_EQ(school.itemText(0), QStringLiteral("Escola A"));   // in the reference table's order

    QTest::keyClick(&school, Qt::Key_Up);
    EXPECT_EQ(patients.fieldByName(QStringLiteral("ESCOLA")).value(), 10);
    EXPECT_EQ(school.currentText(), QStringLiteral("Escola A"));

    // A school added in the meantime is offered next time.
    schools.add(30, QStringLiteral("Escola C"));
    patients.post();
    EXPECT_EQ(school.count(), 3);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(DropListsTest, AChoiceInAnEmptyDataSetStartsAnInsertion)
{
    controls::LookupComboBox school;
    school.setDataSource(&source);
    school.setDataField(QStringLiteral("DescrEscola"));
    QTest::keyClick(&school, Qt::Key_Down);
    EXPECT_EQ(patients.state(), ds::DataSetState::Insert);
    EXPECT_EQ(patients.fieldByName(QStringLiteral("ESCOLA")).value(), 10);
}

} // namespace
