// What the user types and sees on the pages: telephones of eleven digits in
// every telephone box.

#include "mainwin/mainwindowfixture.h"

namespace {

using TypingTest = MainWindowTest;

TEST_F(TypingTest, EveryTelephoneBoxKeepsTheElevenDigitsOfAMobile)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    // Typed as she reads it from a card, with its punctuation, or as digits only.
    retype(w->DBEdit7, QStringLiteral("(11) 98765-4321"));
    EXPECT_EQ(w->DBEdit7->displayText(), QStringLiteral("(11)98765-4321"));
    retype(w->DBEdit25, QStringLiteral("2134567890"));
    chooseTab(1);
    focusAndType(w->DBEdit6, QStringLiteral("Jose"));
    retype(w->DBEdit28, QStringLiteral("21987654321"));
    focusAndType(w->DBEdit15, QStringLiteral("Maria"));
    retype(w->DBEdit29, QStringLiteral("(11) 3456-7890"));
    retype(w->DBEdit31, QStringLiteral("(11) 91234-5678"));
    chooseTab(0);

    EXPECT_TRUE(boxes().isEmpty()) << boxes().join(u'\n').toStdString();
    EXPECT_EQ(db.rows(QStringLiteral("select FONE, FONE2 from PACIENTE")),
              (QList<QVariantList>{{QStringLiteral("11987654321"), QStringLiteral("2134567890")}}));
    EXPECT_EQ(db.rows(QStringLiteral("select TIPO, FONE_RES, FONE_CEL from PAIS order by TIPO")),
              (QList<QVariantList>{{QStringLiteral("M"), QStringLiteral("1134567890"), QStringLiteral("11912345678")},
                                   {QStringLiteral("P"), QVariant(), QStringLiteral("21987654321")}}));
    // Shown whole, in the boxes' style, and each box wide enough for it.
    EXPECT_EQ(w->DBEdit7->displayText(), QStringLiteral("(11)98765-4321"));
    EXPECT_EQ(w->DBEdit25->displayText(), QStringLiteral("(21)3456-7890"));
    chooseTab(1);
    EXPECT_EQ(w->DBEdit28->displayText(), QStringLiteral("(21)98765-4321"));
    for (QLineEdit* box : {w->DBEdit7, w->DBEdit25, w->DBEdit26, w->DBEdit27, w->DBEdit28, w->DBEdit29, w->DBEdit30,
                           w->DBEdit31}) {
        const int text = box->fontMetrics().horizontalAdvance(QStringLiteral("(00)00000-0000"));
        const QMargins margins = box->textMargins() + box->contentsMargins();
        // The line edit's own frame and the two pixels it keeps on each side.
        EXPECT_LE(text + margins.left() + margins.right() + 2 * 2 + 2, box->width()) << box->objectName().toStdString();
    }
}

} // namespace
