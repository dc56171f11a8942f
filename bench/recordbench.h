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
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace bench {

// The floors' PDFs: A4 sheets at 1200 dots an inch without margins, drawn
// in Arial at the given size; positions in millimetres times kDotsPerMm.
constexpr double kDotsPerMm = 1200 / 25.4;

inline void startPlainPdf(QPdfWriter& writer, QPainter& painter, double points)
{
    writer.setResolution(1200);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setPageSize(QPageSize(QPageSize::A4));
    painter.begin(&writer);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    painter.setFont(font);
}

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
