// Logging in: the data module's login, which finds the user's role (an
// administrator at the first attachment, a therapist at the second) and
// checks the attachment, against one plain attachment with the role known.

#include "benchtiming.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestDatabase db;
    for (const auto& [name, account] : {std::pair{"login_therapist", testusers::therapist()},
                                        std::pair{"login_administrator", testusers::administrator()}}) {
        Tdm dm(db.folder());
        bench::Side ours{nullptr, [&] {
                             dm.logIn(account.user, account.password);
                             dm.ZConnection1.disconnect();
                         }};
        fb::ConnectParams known = db.connectParams();
        known.user = account.user;
        known.password = account.password;
        known.role = account.role;
        bench::Side floor{nullptr, [&] {
                              fb::Connection plain;
                              plain.connect(known);
                              plain.disconnect();
                          }};
        bench::compare(name, ours, floor, 30);
    }
    return 0;
}
