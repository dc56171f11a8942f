#include "dialogs/tfrmsobre.h"

#include "controls/thyperlink.h"
#include "support/modaldriver.h"
#include "support/recordingshell.h"
#include "support/textfit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TfrmSobreTest, ShowsTheProgramFilesVersionAndNamesItInTheMailSubject)
{
    TfrmSobre box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral(u"Sobre"));
    EXPECT_EQ(box.lblVersao->text(), QStringLiteral(u"1.2.0.0"));
    const QString subject = QStringLiteral(u"Comentários ao programa Marvok 1.2.0.0");
    EXPECT_EQ(box.HyperLink1->Subject(), subject);
    EXPECT_EQ(box.HyperLink2->Subject(), subject);

    const QList<QLabel*> labels = box.Panel1->findChildren<QLabel*>();
    const bool captioned = std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
        return l->text() == QStringLiteral(u"Versão:") && l->geometry().right() + 1 == 398 && l->y() == 219;
    });
    EXPECT_TRUE(captioned);
}

TEST(TfrmSobreTest, ThePanelIsBevelledAndThePictureFillsIt)
{
    TfrmSobre box;
    box.show();
    EXPECT_TRUE(cutTexts(box).isEmpty()) << describeCutTexts(cutTexts(box)).toStdString();
    // A lowered outer bevel and a raised inner one: at the left edge dark
    // then light, at the right edge light then dark.
    const QImage panel = box.Panel1->grab().toImage();
    const int y = panel.height() / 2;
    const auto grey = [&](int x) { return qGray(panel.pixel(x, y)); };
    const int face = grey(5);   // between the bevel and the picture
    EXPECT_LT(grey(0), grey(1));
    EXPECT_LT(grey(panel.width() - 2), grey(panel.width() - 1));
    EXPECT_LT(grey(0), face);
    EXPECT_LT(grey(panel.width() - 2), face);
    // Drawn for the room it has: no white band above or below the picture.
    EXPECT_EQ(box.Image1->pixmap().size(), box.Image1->size());
}

TEST(TfrmSobreTest, AuthorLinkOpensAMailWithTheSubjectAndNoBody)
{
    RecordingShell shell;
    TfrmSobre box;
    box.show();
    QTest::mouseClick(box.HyperLink1, Qt::LeftButton);
    ASSERT_EQ(shell.targets.size(), 1);
    EXPECT_EQ(shell.targets[0], QStringLiteral(u"mailto:") + box.HyperLink1->URL() +
                                    QStringLiteral(u"?subject=Comentários ao programa Marvok 1.2.0.0"));
    EXPECT_EQ(box.HyperLink1->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_EQ(box.HyperLink2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(TfrmSobreTest, SplashHasNoOkButtonAndTheModalBoxClosesOnEnter)
{
    TfrmSobre box;
    box.ShowSplash();
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.isModal());
    EXPECT_FALSE(box.Button1->isVisible());
    box.hide();

    bool okShown = false;
    ModalDriver driver([&](QWidget* modal) {
        okShown = box.Button1->isVisible();
        QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
    });
    EXPECT_EQ(box.ShowModal(), QDialog::Accepted);
    EXPECT_TRUE(driver.acted());
    EXPECT_TRUE(okShown);
}

} // namespace
