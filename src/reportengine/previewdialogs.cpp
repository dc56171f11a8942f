#include "reportengine/previewdialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace report {

namespace {
PreviewDialogs*& installed()
{
    static PreviewDialogs* dialogs = nullptr;
    return dialogs;
}
} // namespace

QString PreviewDialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString PreviewDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                     const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

bool PreviewDialogs::print(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool PreviewDialogs::pageSetup(QPrinter& printer, QWidget* parent)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PreviewDialogs& PreviewDialogs::instance()
{
    static PreviewDialogs qtDialogs;
    return installed() ? *installed() : qtDialogs;
}

void PreviewDialogs::setInstance(PreviewDialogs* dialogs) { installed() = dialogs; }

} // namespace report
