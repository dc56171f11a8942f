// Start-up over 100,000 patients: from the data module's creation to the
// main window shown on its first page, against the data module opening the
// same data sets without a window; and over 1,000 patients through the
// practice's network, with the round trips it takes.

#include "benchlink.h"
#include "benchtiming.h"
#include "mainwin/tfrmclin.h"
#include "patientfill.h"
#include "platform/eventloop.h"
#include "store/tdm.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    platform::prepareEventLoop();
    QApplication app(argc, argv);
    TestDatabase db;
    bench::fillPatients(db, 100000);

    std::unique_ptr<TfrmClin> window;
    std::unique_ptr<Tdm> dm;
    const auto reset = [&] {
        window.reset();
        dm.reset();
    };
    bench::Side ours{reset, [&] {
                         dm = std::make_unique<Tdm>(db.folder(), testusers::therapist());
                         window = std::make_unique<TfrmClin>(*dm);
                         window->show();
                         QCoreApplication::processEvents();
                     }};
    bench::Side floor{reset, [&] {
                          dm = std::make_unique<Tdm>(db.folder(), testusers::therapist());
                          dm->qryPaciente.open();
                      }};
    bench::compare("startup", ours, floor, 5);
    reset();

    TestDatabase small;
    bench::fillPatients(small, 1000);
    bench::Link link;
    bench::Side far{reset, [&] {
                        dm = std::make_unique<Tdm>(small.folder(), testusers::therapist());
                        link.route(*dm);
                        window = std::make_unique<TfrmClin>(*dm);
                        window->show();
                        QCoreApplication::processEvents();
                    }};
    bench::reportLink("startup_lan", bench::measureThrough(link, far, 5));
    reset();
    return 0;
}
