// A save from the window while the server has dropped the program's
// attachment or the network has failed: one message in Portuguese, the edit
// stays on screen, and closing the window sends it once.

#include "latencyproxy.h"
#include "mainwin/mainwindowfixture.h"
#include "support/throughlink.h"

#include <QLineEdit>

TEST_F(MainWindowTest, ASaveWhileTheServerIsAwayShowsOneMessageAndKeepsTheEdit)
{
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    db.dropAttachment(dm.ZConnection1.handle());
    retype(w->DBEdit17, QStringLiteral("Escola"));
    click(w->ToolButton10);

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].startsWith(
        QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.")))
        << qPrintable(boxes()[0]);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->visiblePage(), 0);
    EXPECT_EQ(qobject_cast<QLineEdit*>(w->DBEdit17)->text(), QStringLiteral("Escola"));
    EXPECT_TRUE(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE")).value(0).isNull());

    // The change waits in the data module; closing the window sends it, once, without another word.
    EXPECT_TRUE(w->close());
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE")), QVariantList{QStringLiteral("Escola")});
}

namespace {

// The practice's network between the window and the server.
class LinkAwayTest : public MainWindowTest, public ::testing::WithParamInterface<netlink::LinkState> {
protected:
    netlink::LatencyProxy proxy{3050, std::chrono::microseconds(1000)};
};

} // namespace

// The link is reset or goes silent while the window is idle; the next save
// shows one message, after the answer time at most, and keeps the edit; once
// the link is back, closing the window sends the change once.
TEST_P(LinkAwayTest, ASaveOverALostLinkShowsOneMessageAndKeepsTheEdit)
{
    routeThroughLink(dm.ZConnection1, proxy, std::chrono::milliseconds(1500));
    addPatient(7, QStringLiteral("Ana"));
    openWindow();
    proxy.setState(GetParam());
    retype(w->DBEdit17, QStringLiteral("Escola"));
    click(w->ToolButton10);

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].startsWith(
        QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.")))
        << qPrintable(boxes()[0]);
    EXPECT_EQ(qobject_cast<QLineEdit*>(w->DBEdit17)->text(), QStringLiteral("Escola"));
    EXPECT_TRUE(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE")).value(0).isNull());

    proxy.setState(netlink::LinkState::Open);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE")), QVariantList{QStringLiteral("Escola")});
}

INSTANTIATE_TEST_SUITE_P(Kinds, LinkAwayTest, ::testing::Values(netlink::LinkState::Closed, netlink::LinkState::Silent),
                         [](const ::testing::TestParamInfo<netlink::LinkState>& info) {
                             return info.param == netlink::LinkState::Closed ? std::string("reset")
                                                                             : std::string("silent");
                         });
