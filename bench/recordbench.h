#pragma once
// What the benchmarks that write one patient's record to a file share: the
// widgets' application, a test database filled once, the data module on it
// as a therapist with its patients open, a plain connection for the floor
// and a folder for the files both sides write.

#include "benchtiming.h"
#include "benchwidgets.h"
#include "store/tdm.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QTemporaryDir>

namespace bench {

class RecordBench {
public:
    RecordBench(int& argc, char** argv, void (*fill)(const TestDatabase&))
        : app_((prepareWidgets(), argc), argv), dm((fill(db), db.folder()), testusers::therapist())
    {
        dm.qryPaciente.open();
        connectPlain(plain, db);
    }

    QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private:
    QApplication app_;

public:
    TestDatabase db;
    Tdm dm;
    fb::Connection plain;

private:
    QTemporaryDir dir_;
};

} // namespace bench
