// The bound text box: masks, the field's texts, refused entries and the
// moment the typed text reaches the field.

#include "controls/errorhandler.h"
#include "controls/fieldedit.h"
#include "dataset/dataset.h"
#include "dataset/datasource.h"
#include "dataset/editmask.h"
#include "platform/beep.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using ds::FieldType;

namespace {

// A landline of up to ten digits, a mobile of eleven in the second layout.
const QString kPhoneMask = QStringLiteral(u"!\\(99\\)0009-0000|\\(99\\)00000-0000;0; ");

struct MaskedPatients : ds::DataSet {
    MaskedPatients()
    {
        addField(QStringLiteral("ID"), FieldType::Integer);
        addField(QStringLiteral("NOME"), FieldType::Text, 60);
        addField(QStringLiteral("FONE"), FieldType::Text, 12).setEditMask(kPhoneMask);
        addField(QStringLiteral("CEP"), FieldType::Text, 8).setEditMask(QStringLiteral(u"00\\.000\\-999;0; "));
        addField(QStringLiteral("UF"), FieldType::Text, 2).setEditMask(QStringLiteral(u">ll;0; "));
        addField(QStringLiteral("NASCIMENTO"), FieldType::Date);
        open();
    }
    QVariant stored(const char* name) { return fieldByName(QString::fromLatin1(name)).value(); }
};

class FieldEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        controls::setErrorHandler([this](const EError& e) { errors << e.message(); });
        platform::setBeepHandler([this] { ++beeps; });
        auto* layout = new QVBoxLayout(&window);
        box = new controls::FieldEdit(&window);
        other = new QLineEdit(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        box->setDataSource(&source);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override
    {
        controls::setErrorHandler({});
        platform::setBeepHandler({});
    }

    void addPatient(const QString& name)
    {
        data.append();
        data.fieldByName(QStringLiteral("NOME")).setValue(name);
        data.post();
    }
    void typeInto(const char* field, const QString& keys)
    {
        box->setDataField(QString::fromLatin1(field));
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, keys);
    }
    void leave() { other->setFocus(Qt::TabFocusReason); }

    MaskedPatients data;
    ds::DataSource source{&data};
    QWidget window;
    controls::FieldEdit* box = nullptr;
    QLineEdit* other = nullptr;
    QStringList errors;
    int beeps = 0;
};

TEST_F(FieldEditTest, MasksStoreOnlyTheTypedPositionsAndShowTheLiterals)
{
    struct Case {
        const char* field;
        QString keys;
        QVariant stored;
        QString shown;
    } cases[] = {
        {"FONE", QStringLiteral("1133334444"), QStringLiteral("1133334444"), QStringLiteral("(11)3333-4444")},
        {"CEP", QStringLiteral("01310100"), QStringLiteral("01310100"), QStringLiteral("01.310-100")},
        {"UF", QStringLiteral("rs"), QStringLiteral("RS"), QStringLiteral("RS")},
    };
    addPatient(QStringLiteral("Ana"));
    for (const Case& c : cases) {
        typeInto(c.field, c.keys);
        leave();
        EXPECT_EQ(data.stored(c.field), c.stored) << c.field;
        EXPECT_EQ(box->displayText(), c.shown) << c.field;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(FieldEditTest, AnEleventhDigitTakesTheMobileLayoutAndNoDigitIsDroppedUnheard)
{
    addPatient(QStringLiteral("Ana"));
    struct Case {
        QString keys;
        QString shown;   // while typing
        QVariant stored;
        QString afterwards;
        int beeps;
    } cases[] = {
        {QStringLiteral("11987654321"), QStringLiteral("(11)98765-4321"), QStringLiteral("11987654321"),
         QStringLiteral("(11)98765-4321"), 0},
        {QStringLiteral("(11) 98765-4321"), QStringLiteral("(11)98765-4321"), QStringLiteral("11987654321"),
         QStringLiteral("(11)98765-4321"), 0},
        {QStringLiteral("(11) 3456-7890"), QStringLiteral("(11)3456-7890"), QStringLiteral("1134567890"),
         QStringLiteral("(11)3456-7890"), 0},
        // A twelfth digit has no place: it is refused with a beep, the eleven stay.
        {QStringLiteral("119876543210"), QStringLiteral("(11)98765-4321"), QStringLiteral("11987654321"),
         QStringLiteral("(11)98765-4321"), 1},
    };
    for (const Case& c : cases) {
        beeps = 0;
        data.edit();
        data.fieldByName(QStringLiteral("FONE")).clear();
        data.post();
        typeInto("FONE", c.keys);
        EXPECT_EQ(box->displayText(), c.shown) << c.keys.toStdString();
        leave();
        EXPECT_EQ(data.stored("FONE"), c.stored) << c.keys.toStdString();
        EXPECT_EQ(box->displayText(), c.afterwards) << c.keys.toStdString();
        EXPECT_EQ(beeps, c.beeps) << c.keys.toStdString();
    }

    // A stored mobile shows whole when focused again; taking a digit away
    // brings the landline layout back, with the caret where the digit was.
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->displayText(), QStringLiteral("(11)98765-4321"));
    box->setCursorPosition(6);   // after "(11)98"
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->displayText(), QStringLiteral("(11)9765-4321"));
    EXPECT_EQ(box->cursorPosition(), 5);
    QTest::keyClicks(box, QStringLiteral("2"));   // fills in place in the landline layout
    EXPECT_EQ(box->displayText(), QStringLiteral("(11)9265-4321"));
    leave();
    EXPECT_EQ(data.stored("FONE"), QStringLiteral("1192654321"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(FieldEditTest, AClickBeyondTheTypedTextPutsTheCaretAtTheFirstEmptyPosition)
{
    struct Case {
        const char* field;
        QVariant value;
        int clickAt;   // characters from the left; -1 for the box's right end
        int caret;
        QString keys;
        QVariant stored;
    } cases[] = {
        {"FONE", QVariant(), -1, 1, QStringLiteral("1134567890"), QStringLiteral("1134567890")},
        {"CEP", QVariant(), -1, 0, QStringLiteral("01310100"), QStringLiteral("01310100")},
        {"CEP", QStringLiteral("01310"), -1, 7, QStringLiteral("100"), QStringLiteral("01310100")},
        // Inside the text the caret stays where the click put it: typing overwrites there.
        {"CEP", QStringLiteral("01310100"), 1, 1, QStringLiteral("2"), QStringLiteral("02310100")},
    };
    addPatient(QStringLiteral("Ana"));
    box->setFixedWidth(200);
    for (const Case& c : cases) {
        data.edit();
        data.fieldByName(QString::fromLatin1(c.field)).setValue(c.value);
        data.post();
        leave();
        box->setDataField(QString::fromLatin1(c.field));
        const int x = c.clickAt < 0 ? box->width() - 4
                                    : box->contentsRect().left() + 2
                                          + box->fontMetrics().horizontalAdvance(box->text().left(c.clickAt)) + 1;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(x, box->height() / 2));
        EXPECT_EQ(box->cursorPosition(), c.caret) << c.field << " " << c.value.toString().toStdString();
        QTest::keyClicks(box, c.keys);
        leave();
        EXPECT_EQ(data.stored(c.field), c.stored) << c.field << " " << c.value.toString().toStdString();
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(FieldEditTest, AStoredTelephoneWithoutAreaCodeIsEditedInItsPlaces)
{
    addPatient(QStringLiteral("Ana"));
    data.edit();
    ds::Field& phone = data.fieldByName(QStringLiteral("FONE"));
    // Seven digits: the blanks take the optional places, so that every
    // required place shows a digit and the text reads back as the number.
    phone.setValue(QStringLiteral("3334444"));
    box->setDataField(QStringLiteral("FONE"));
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->displayText(), QStringLiteral("(  )333 -4444"));
    leave();
    EXPECT_EQ(phone.value(), QStringLiteral("3334444"));

    // Typing an area code over the blanks of eight digits keeps the number.
    phone.setValue(QStringLiteral("33334444"));
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->displayText(), QStringLiteral("(  )3333-4444"));
    box->setCursorPosition(1);
    QTest::keyClicks(box, QStringLiteral("21"));
    leave();
    EXPECT_EQ(phone.value(), QStringLiteral("2133334444"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(FieldEditTest, ARefusedTextKeepsTheFocusAndTheTypedTextUntilEsc)
{
    struct Case {
        const char* field;
        QString keys;
        QString message;
        QString kept;
    } cases[] = {
        {"FONE", QStringLiteral("113333"), QStringLiteral("Invalid input value.  Use escape key to abandon changes"),
         QStringLiteral("(11)3333-    ")},
        {"NASCIMENTO", QStringLiteral("31/02/2010"), QStringLiteral("'31/02/2010' is not a valid date"),
         QStringLiteral("31/02/2010")},
    };
    addPatient(QStringLiteral("Ana"));
    for (const Case& c : cases) {
        errors.clear();
        typeInto(c.field, c.keys);
        leave();
        EXPECT_EQ(errors, QStringList{c.message}) << c.field;
        EXPECT_TRUE(box->hasFocus()) << c.field;
        EXPECT_EQ(box->displayText(), c.kept) << c.field;
        EXPECT_TRUE(data.stored(c.field).isNull()) << c.field;
        // Enter refuses it again; Esc gives the field's value back and leaving is allowed.
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(errors.size(), 2) << c.field;
        QTest::keyClick(box, Qt::Key_Escape);
        leave();
        EXPECT_TRUE(other->hasFocus()) << c.field;
        EXPECT_EQ(errors.size(), 2) << c.field;
    }
}

TEST_F(FieldEditTest, APostRefusesATypedTextTheFieldRefuses)
{
    addPatient(QStringLiteral("Ana"));
    typeInto("CEP", QStringLiteral("0131"));
    EXPECT_THROW(data.post(), ds::EDBEditError);   // the mask error is its own class
    EXPECT_EQ(data.state(), ds::DataSetState::Edit);
    EXPECT_TRUE(box->typed());
    QTest::keyClicks(box, QStringLiteral("0100"));
    data.post();
    EXPECT_EQ(data.stored("CEP"), QStringLiteral("01310100"));
}

TEST_F(FieldEditTest, TheFirstKeystrokeStartsAnInsertionInAnEmptyDataSetAndAnEditOtherwise)
{
    typeInto("NOME", QStringLiteral("M"));
    EXPECT_EQ(data.state(), ds::DataSetState::Insert);
    EXPECT_EQ(data.recordCount(), 1);
    QTest::keyClicks(box, QStringLiteral("aria"));
    data.post();   // the typed text is handed over before the post
    EXPECT_EQ(data.stored("NOME"), QStringLiteral("Maria"));

    QTest::keyClick(box, Qt::Key_End);
    EXPECT_EQ(data.state(), ds::DataSetState::Browse);   // moving the cursor is no edit
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(data.state(), ds::DataSetState::Edit);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(data.stored("NOME"), QStringLiteral("Mari"));
    EXPECT_EQ(data.recordCount(), 1);
}

TEST_F(FieldEditTest, ANumberFieldRefusesLetters)
{
    addPatient(QStringLiteral("Ana"));
    typeInto("ID", QStringLiteral("4x2"));
    EXPECT_EQ(box->text(), QStringLiteral("42"));
    leave();
    EXPECT_EQ(data.stored("ID"), 42);
}

TEST_F(FieldEditTest, ShowsTheDisplayTextUnfocusedAndTheEditingTextFocused)
{
    ds::Field& id = data.fieldByName(QStringLiteral("ID"));
    id.onGetText = [](const ds::Field& f, bool display) {
        return display ? f.asString() + QStringLiteral("/11") : f.asString();
    };
    addPatient(QStringLiteral("Ana"));
    data.edit();
    id.setValue(7);
    data.post();
    leave();
    box->setDataField(QStringLiteral("ID"));
    EXPECT_EQ(box->text(), QStringLiteral("7/11"));
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->text(), QStringLiteral("7"));
    leave();
    EXPECT_EQ(box->text(), QStringLiteral("7/11"));
}

TEST_F(FieldEditTest, MovingToAnotherRecordShowsItsValueFromItsStart)
{
    const QString longName = QStringLiteral(u"Mansões Santo Antônio de Pádua e Vila Nova Conceição");
    box->setFixedWidth(80);
    addPatient(longName);
    addPatient(QStringLiteral("Bia"));
    leave();
    box->setDataField(QStringLiteral("NOME"));
    EXPECT_EQ(box->text(), QStringLiteral("Bia"));
    data.first();
    EXPECT_EQ(box->text(), longName);
    // The start of a long value stays in view, not its end.
    EXPECT_EQ(box->cursorPosition(), 0);
    data.close();
    EXPECT_EQ(box->text(), QString());
    EXPECT_TRUE(box->isReadOnly());
}

} // namespace
