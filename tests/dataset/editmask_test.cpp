#include "dataset/editmask.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPhone = u"!\\(99\\)0009-0000;0; "_s;
const QString kPostalCode = u"00\\.000\\-999;0; "_s;
const QString kState = u">ll;0; "_s;
const QString kPhoneDisplay = u"!\\(99\\) 0009-0000;0; "_s;
const QString kDate = u"!99/99/9999;0; "_s;
// A landline layout and, for an eleventh digit, a mobile one.
const QString kPhones = u"!\\(99\\)0009-0000|\\(99\\)00000-0000;0; "_s;

struct MaskCase {
    QString mask;
    QString stored;
    QString display;
};

TEST(EditMaskTest, StoredValuesAndDisplayTextsRoundTrip)
{
    const MaskCase cases[] = {
        {kPhone, u"1134567890"_s, u"(11)3456-7890"_s},
        {kPhone, u"34567890"_s, u"(  )3456-7890"_s}, // no area code: the blanks lead
        {kPhone, QString(), u"(  )    -    "_s},
        {kPostalCode, u"12345678"_s, u"12.345-678"_s},
        {kPostalCode, u"12345"_s, u"12.345-   "_s},
        {kState, u"RS"_s, u"RS"_s},
        {kState, u"S"_s, u"S "_s},
        {kPhoneDisplay, u"1134567890"_s, u"(11) 3456-7890"_s},
        {kDate, u"15032012"_s, u"15/03/2012"_s},
        {kDate, QString(), u"  /  /    "_s},
        {u"\\(00\\)0;1;_"_s, u"(12)3"_s, u"(12)3"_s}, // ;1 stores the fixed characters
        {u"99-99;0;_"_s, u"12"_s, u"12-__"_s},
        {kPhones, u"11987654321"_s, u"(11)98765-4321"_s},
        {kPhones, u"1134567890"_s, u"(11)3456-7890"_s}, // ten digits and fewer keep the first layout
        {kPhones, u"34567890"_s, u"(  )3456-7890"_s},
        {kPhones, QString(), u"(  )    -    "_s},
        {u"00\\|00;0;_"_s, u"1234"_s, u"12|34"_s}, // an escaped bar is a fixed character
    };
    for (const MaskCase& c : cases) {
        const ds::EditMask mask(c.mask);
        EXPECT_EQ(mask.format(c.stored), c.display) << c.mask.toStdString() << " / " << c.stored.toStdString();
        EXPECT_EQ(mask.unformat(c.display), c.stored) << c.mask.toStdString() << " / " << c.display.toStdString();
    }
}

TEST(EditMaskTest, TypedTextIsStoredWithoutPunctuationAndInTheMasksCase)
{
    const MaskCase cases[] = {
        {kState, u"RS"_s, u"rs"_s},
        {kState, u"RS"_s, u"rS"_s},
        {u"<ll;0; "_s, u"rs"_s, u"RS"_s},
        {u">l<l;0; "_s, u"Rs"_s, u"rS"_s},
        {kPhone, u"113457890"_s, u"(11)345 -7890"_s}, // digits only: an optional digit left blank is no digit
        {kPostalCode, u"1234567"_s, u"12.345- 67"_s},
        {kPostalCode, u"12345678"_s, u"12.345-678"_s},
        {kPostalCode, u"12345"_s, u"12.345"_s}, // a short text is blank at its end
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(ds::EditMask(c.mask).unformat(c.display), c.stored) << c.display.toStdString();
}

TEST(EditMaskTest, ValuesLongerThanTheMaskAreShownWhole)
{
    EXPECT_EQ(ds::EditMask(kPhoneDisplay).format(u"11987654321"_s), u"1(19) 8765-4321"_s);
    EXPECT_EQ(ds::EditMask(kPostalCode).format(u"123456789"_s), u"12.345-6789"_s);
}

TEST(EditMaskTest, TextsThatDoNotFitTheMaskAreRefusedWithTheMaskError)
{
    const MaskCase cases[] = {
        {kPhone, {}, u"(11)34  -7890"_s},    // a required digit left blank
        {kPhone, {}, u"(11)    -7890"_s},
        {kPostalCode, {}, u"12.34 -678"_s},    // the fifth digit is missing
        {kState, {}, u"r1"_s},               // a digit where a letter goes
        {kPhone, {}, u"(11)34a6-7890"_s},    // a letter where a digit goes
        {kPhone, {}, u"(11)3456-78901"_s},   // longer than the mask
        {kPostalCode, {}, u"12a345-678"_s},  // a fixed position holding something else
        {u"LL;0;_"_s, {}, u"A_"_s},
        {kPhones, {}, u"(11)98765-432 "_s},  // the mobile layout's last digit is required
        {kPhones, {}, u"(11)98765-43210"_s}, // longer than the longest layout
    };
    for (const MaskCase& c : cases) {
        try {
            ds::EditMask(c.mask).unformat(c.display);
            ADD_FAILURE() << "accepted " << c.display.toStdString();
        } catch (const ds::EDBEditError& error) {
            EXPECT_EQ(error.message(), u"Invalid input value.  Use escape key to abandon changes"_s);
        }
    }
}

// The masks drive QLineEdit through their translation into Qt's notation,
// where 9 and 0 swap their meanings.
TEST(EditMaskTest, QtInputMaskTakesTypedTextLikeTheMask)
{
    struct Typing {
        QString mask;
        QString keys;
        QString display;
        QString stored;
    };
    const Typing cases[] = {
        {kPhone, u"1134567890"_s, u"(11)3456-7890"_s, u"1134567890"_s},
        {kPostalCode, u"12345678"_s, u"12.345-678"_s, u"12345678"_s},
        {kState, u"rs"_s, u"RS"_s, u"RS"_s},
        {kDate, u"15032012"_s, u"15/03/2012"_s, u"15032012"_s},
    };
    for (const Typing& c : cases) {
        const ds::EditMask mask(c.mask);
        QLineEdit edit;
        edit.setInputMask(mask.qtInputMask());
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, c.keys);
        EXPECT_EQ(edit.displayText(), c.display) << c.mask.toStdString();
        EXPECT_EQ(mask.unformat(edit.displayText()), c.stored) << c.mask.toStdString();
    }

    const ds::EditMask phone(kPhone);
    QLineEdit partial;
    partial.setInputMask(phone.qtInputMask());
    partial.setCursorPosition(0);
    QTest::keyClicks(&partial, u"11345"_s);
    EXPECT_THROW(phone.unformat(partial.displayText()), ds::EDBEditError);
}

} // namespace
