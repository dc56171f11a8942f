// The seven pages visited in a row for a patient with 300 sessions and 100
// notes of each kind, against the same closes and opens done on the data
// module alone.

#include "benchlink.h"
#include "benchtiming.h"
#include "mainwin/tfrmclin.h"
#include "patientfill.h"
#include "platform/eventloop.h"
#include "store/tdm.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    platform::prepareEventLoop();
    QApplication app(argc, argv);
    TestDatabase db;
    bench::fillFullRecords(db);

    Tdm windowed(db.folder(), testusers::therapist());
    TfrmClin window(windowed);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("page_switch: the window did not become active");
    // Between two clicks the event loop has drawn the page and laid it out.
    bench::Side ours{[] { QCoreApplication::processEvents(); }, [&] {
                         for (int i = 1; i <= 7; ++i)
                             window.TabSet1->setCurrentIndex(i % 7);
                     }};

    // What the page changes ask of the data module: the history list closed
    // on every change, the guidance list closed on its page while no type is
    // chosen, and the history list opened on its page.
    Tdm alone(db.folder(), testusers::therapist());
    alone.qryPaciente.open();
    bench::Side floor{nullptr, [&] {
                          for (int i = 1; i <= 7; ++i) {
                              alone.qryHistorico.close();
                              if (i == 5)
                                  alone.qryOrientacao.close();
                              if (i == 6) {
                                  alone.qryHistorico.paramByName(QStringLiteral("ID")).setAsInteger(
                                      alone.qryPaciente.fieldByName(QStringLiteral("ID")).asInteger());
                                  alone.qryHistorico.open();
                              }
                          }
                      }};
    // What Qt alone asks of the same changes: each page hidden or shown and
    // the focus moved twice (away from the page left, onto the page shown),
    // with no data and no steps of ours. Printed against the same floor, it
    // tells how much of the window's share no code of ours can remove.
    const QList<QWidget*> pages = window.PageControl1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QWidget* const firstControls[] = {window.DBEdit1,  window.DBEdit6,           window.DBEdit19, window.DBEdit21,
                                      window.DBEdit22, window.cbxTipoOrientacao, window.DBGrid3};
    bench::Side bareWidgets{[] { QCoreApplication::processEvents(); }, [&] {
                                for (int i = 1; i <= 7; ++i) {
                                    window.PageControl1->setFocus(Qt::OtherFocusReason);
                                    for (int p = 0; p < pages.size(); ++p)
                                        pages[p]->setVisible(p == i % 7);
                                    firstControls[i % 7]->setFocus(Qt::OtherFocusReason);
                                }
                            }};
    bench::compare("page_switch", ours, floor, 400);
    bench::compare("page_switch_bare_widgets", bareWidgets, floor, 400);

    // The same page changes in a window whose data module goes over the
    // practice's network.
    bench::Link link;
    Tdm far(db.folder(), testusers::therapist());
    link.route(far);
    TfrmClin farWindow(far);
    window.hide();
    farWindow.show();
    farWindow.activateWindow();
    if (!QTest::qWaitForWindowActive(&farWindow))
        qWarning("page_switch_lan: the window did not become active");
    bench::Side farPages{[] { QCoreApplication::processEvents(); }, [&] {
                             for (int i = 1; i <= 7; ++i)
                                 farWindow.TabSet1->setCurrentIndex(i % 7);
                         }};
    bench::reportLink("page_switch_lan", bench::measureThrough(link, farPages, 100));
    return 0;
}
