#include "controls/thyperlink.h"
#include "support/recordingshell.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(THyperLinkTest, ClickOpensTheTargetBuiltFromItsPropertiesAndTurnsPurple)
{
    struct TargetCase {
        TLinkType type;
        QString url;
        QString subject;
        QString body;
        QString target;
    };
    const QString address = QStringLiteral(u"ana@exemplo.com.br");
    const TargetCase cases[] = {
        {ltMail, address, QStringLiteral(u"Olá Ana"), QStringLiteral(u"Até já"),
         QStringLiteral(u"mailto:ana@exemplo.com.br?subject=Olá Ana&body=Até já")},
        {ltMail, address, {}, QStringLiteral(u"Corpo"), QStringLiteral(u"mailto:ana@exemplo.com.br?body=Corpo")},
        {ltMail, address, QStringLiteral(u"Assunto"), {}, QStringLiteral(u"mailto:ana@exemplo.com.br?subject=Assunto")},
        {ltMail, address, {}, {}, QStringLiteral(u"mailto:ana@exemplo.com.br")},
        {ltHttp, QStringLiteral(u"exemplo.com.br"), QStringLiteral(u"ignorado"), {}, QStringLiteral(u"http://www.exemplo.com.br")},
        {ltFile, QStringLiteral(u"/tmp/ficha 1.pdf"), {}, QStringLiteral(u"ignorado"), QStringLiteral(u"file:/tmp/ficha 1.pdf")},
    };
    for (const TargetCase& c : cases) {
        RecordingShell shell;
        THyperLink link;
        link.setLinkType(c.type);
        link.setURL(c.url);
        link.setSubject(c.subject);
        link.setBody(c.body);
        link.show();
        EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QTest::mouseClick(&link, Qt::LeftButton);
        EXPECT_EQ(shell.targets, QStringList{c.target});
        EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(128, 0, 128));
    }
}

TEST(THyperLinkTest, LooksLikeALink)
{
    THyperLink link;
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST(THyperLinkTest, LinkWithoutCaptionShowsItsAddress)
{
    THyperLink bare;
    bare.setURL(QStringLiteral(u"ana@exemplo.com.br"));
    EXPECT_EQ(bare.text(), QStringLiteral(u"ana@exemplo.com.br"));

    THyperLink named;
    named.setText(QStringLiteral(u"Ana"));
    named.setURL(QStringLiteral(u"ana@exemplo.com.br"));
    EXPECT_EQ(named.text(), QStringLiteral(u"Ana"));
}

TEST(THyperLinkTest, OnClickRunsBeforeTheTargetIsOpened)
{
    RecordingShell shell;
    THyperLink link;
    link.setURL(QStringLiteral(u"ana@exemplo.com.br"));
    qsizetype openedBeforeHandler = -1;
    link.setOnClick([&](THyperLink* clicked) {
        EXPECT_EQ(clicked, &link);
        openedBeforeHandler = shell.targets.size();
    });
    link.show();
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(openedBeforeHandler, 0);
    EXPECT_EQ(shell.targets.size(), 1);
}

} // namespace
