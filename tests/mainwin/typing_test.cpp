// What the user types and sees on the pages: telephones of eleven digits in
// every telephone box, typing into the empty siblings' grid, the toy list,
// the patient's name over the pages after a refused save, and the box a
// wrong state code gives.

#include "mainwin/mainwindowfixture.h"

#include "controls/fieldlabel.h"
#include "support/columnvalues.h"

#include <QComboBox>
#include <QImage>
#include <QPainter>

namespace {

using TypingTest = MainWindowTest;

// Keys one by one to whatever has the focus, as the user's keys go.
void typeKeys(const QString& text)
{
    for (QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

controls::FieldLabel* header(QWidget* page)
{
    return page->findChild<controls::FieldLabel*>(QStringLiteral("lblNome") + page->objectName());
}

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

TEST_F(TypingTest, TypingIntoTheEmptySiblingsGridStartsASiblingAndNoKeyLandsElsewhere)
{
    addPatient(7, QStringLiteral("Ana"));
    db.exec(QStringLiteral("INSERT INTO PAIS (PACIENTE, TIPO, NOME) VALUES (7, 'P', 'Jose')"));
    openWindow();
    chooseTab(1);
    QTest::mouseClick(w->DBGrid1->viewport(), Qt::LeftButton, {}, QPoint(60, 40));
    typeKeys(QStringLiteral("Rui"));
    QTest::keyClick(focused(), Qt::Key_Tab);
    typeKeys(QStringLiteral("01/02/2015"));
    QTest::keyClick(focused(), Qt::Key_Return);
    chooseTab(0);

    EXPECT_TRUE(boxes().isEmpty()) << boxes().join(u'\n').toStdString();
    EXPECT_EQ(db.rows(QStringLiteral("select NOME, NASCIMENTO from IRMAO")),
              (QList<QVariantList>{{QStringLiteral("Rui"), QDate(2015, 2, 1)}}));
    EXPECT_EQ(db.column(QStringLiteral("select NOME from PAIS")), QVariantList{QStringLiteral("Jose")});
}

TEST_F(TypingTest, MovingDownTheToysChangesNoToyOnlyAChoiceDoes)
{
    addPatient(7, QStringLiteral("Ana"));
    addSession(100, 7, "2011-03-01");
    for (auto [id, name] : {std::pair{1, "Massinha"}, {2, "Panelinhas"}, {3, "Pipa"}})
        db.exec(QStringLiteral("INSERT INTO BRINQUEDO (ID, BRINQUEDO) VALUES (%1, '%2')").arg(id).arg(QLatin1String(name)));
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (1, 100)"));
    db.exec(QStringLiteral("INSERT INTO BRINQUEDO_NA_CONSULTA (BRINQUEDO, CONSULTA) VALUES (3, 100)"));
    openWindow();
    chooseTab(2);
    const QRect first = w->DBGrid2->visualRect(w->DBGrid2->model()->index(0, 0));
    QTest::mouseClick(w->DBGrid2->viewport(), Qt::LeftButton, {}, first.center());
    QTest::keyClick(w->DBGrid2, Qt::Key_F2);
    auto* list = qobject_cast<QComboBox*>(focused());
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);   // the list drops down
    ASSERT_TRUE(list->view()->isVisible());
    QTest::keyClick(focused(), Qt::Key_Escape);              // and closes with no choice
    QTest::keyClick(focused(), Qt::Key_Down);                // to the next row
    QTest::keyClick(focused(), Qt::Key_Down);                // and past the last: a new row, untouched
    QTest::keyClick(focused(), Qt::Key_Up);
    chooseTab(0);

    EXPECT_TRUE(boxes().isEmpty()) << boxes().join(u'\n').toStdString();
    EXPECT_EQ(db.column(QStringLiteral("select BRINQUEDO from BRINQUEDO_NA_CONSULTA order by BRINQUEDO")),
              (QVariantList{1, 3}));
}

TEST_F(TypingTest, ThePagesStillNameThePatientAfterTheNameWasRefused)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    retype(w->DBEdit2, QString());
    QTest::keyClick(w->DBEdit2, Qt::Key_Delete);
    chooseTab(1);
    EXPECT_EQ(boxes(), QStringList{"Campo 'NOME' deve ter um valor"});
    EXPECT_EQ(w->visiblePage(), 1);
    for (QWidget* page : {w->tsFamilia, w->tsSessoes, w->tsHistorico})
        EXPECT_EQ(header(page)->text(), QStringLiteral("Ana")) << page->objectName().toStdString();
    // A name being typed heads the pages as soon as it is there.
    chooseTab(0);
    QTest::keyClicks(w->DBEdit2, QStringLiteral("Ana Lima"));
    chooseTab(1);
    EXPECT_EQ(header(w->tsFamilia)->text(), QStringLiteral("Ana Lima"));
}

TEST_F(TypingTest, AWrongStateCodeIsRefusedInABoxThatShowsItsTitleAndText)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    retype(w->DBEdit11, QStringLiteral("rx"));
    QTest::keyClick(w->DBEdit11, Qt::Key_Tab);
    // The message service makes each box as the program shows it and fails
    // the test when its title or text is cut.
    EXPECT_EQ(boxes(), QStringList{QStringLiteral(u"UF inválida")});
    EXPECT_EQ(focused(), w->DBEdit11);
}

// The ink of a text as a label draws it: how dark its pixels add up to.
double ink(const QFont& font, const QString& text)
{
    QImage image(QFontMetrics(font).size(0, text) + QSize(4, 4), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(2, 2 + QFontMetrics(font).ascent()), text);
    painter.end();
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

TEST_F(TypingTest, ThePatientsNameOverThePagesIsVisiblyBold)
{
    addPatient(7, QStringLiteral("Alice Nascimento Souza"));
    openWindow();
    const QString name = QStringLiteral("Alice Nascimento Souza");
    const QFont bold = header(w->tsFamilia)->font();
    // A bold face draws its strokes thicker: markedly more ink than the window's face.
    EXPECT_GT(ink(bold, name), 1.3 * ink(w->DBEdit6->font(), name));
}

} // namespace
