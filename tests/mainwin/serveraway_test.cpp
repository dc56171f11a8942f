// A save from the window while the server has dropped the program's
// attachment or the network has failed: one message in Portuguese, the edit
// stays on screen, and it is sent once as soon as the server answers again.

#include "latencyproxy.h"
#include "mainwin/mainwindowfixture.h"
#include "support/throughlink.h"

#include <QLineEdit>

namespace {

// How the server goes away: its attachment deleted (what a restart does to
// it), or the practice's network reset or gone silent.
enum class Away { Dropped, LinkReset, LinkSilent };

class ServerAwayTest : public MainWindowTest, public ::testing::WithParamInterface<Away> {
protected:
    netlink::LatencyProxy proxy{3050, std::chrono::microseconds(1000)};
};

} // namespace

// The server goes away while the window is idle; the next save shows one
// message, after the answer time at most, and keeps the edit; once the server
// is back, the next step that reaches it sends the change once.
TEST_P(ServerAwayTest, ASaveWhileTheServerIsAwayShowsOneMessageAndKeepsTheEdit)
{
    if (GetParam() != Away::Dropped)
        routeThroughLink(dm.ZConnection1, proxy, std::chrono::milliseconds(1500));
    addPatient(7, QStringLiteral("Ana"));
    addPatient(8, QStringLiteral("Bia"));
    openWindow();
    if (GetParam() == Away::Dropped)
        db.dropAttachment(dm.ZConnection1.handle());
    else
        proxy.setState(GetParam() == Away::LinkReset ? netlink::LinkState::Closed : netlink::LinkState::Silent);
    retype(w->DBEdit17, QStringLiteral("Escola"));
    click(w->ToolButton10);

    ASSERT_EQ(boxes().size(), 1);
    EXPECT_TRUE(boxes()[0].startsWith(
        QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.")))
        << qPrintable(boxes()[0]);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->visiblePage(), 0);
    EXPECT_EQ(qobject_cast<QLineEdit*>(w->DBEdit17)->text(), QStringLiteral("Escola"));
    EXPECT_TRUE(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE where ID = 7")).value(0).isNull());

    // The change waits in the data module; the next step that reaches the
    // server again (here "Próximo") sends it, once, without another word,
    // and closing the window sends nothing more.
    proxy.setState(netlink::LinkState::Open);
    click(w->ToolButton6);
    EXPECT_EQ(boxes().size(), 1) << qPrintable(boxes().join(u'\n'));
    EXPECT_EQ(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE where ID = 7")),
              QVariantList{QStringLiteral("Escola")});
    EXPECT_TRUE(w->close());
    EXPECT_EQ(boxes().size(), 1);
    EXPECT_EQ(db.column(QStringLiteral("select PROCEDENCIA from PACIENTE order by ID")),
              (QVariantList{QStringLiteral("Escola"), QVariant()}));
}

INSTANTIATE_TEST_SUITE_P(Ways, ServerAwayTest, ::testing::Values(Away::Dropped, Away::LinkReset, Away::LinkSilent),
                         [](const ::testing::TestParamInfo<Away>& info) {
                             switch (info.param) {
                             case Away::Dropped:
                                 return std::string("dropped");
                             case Away::LinkReset:
                                 return std::string("reset");
                             case Away::LinkSilent:
                                 break;
                             }
                             return std::string("silent");
                         });
