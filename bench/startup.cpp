// Start-up over 100,000 patients: from the data module's creation to the
// main window shown on its first page, against the data module opening the
// same data sets without a window.

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
    return 0;
}
