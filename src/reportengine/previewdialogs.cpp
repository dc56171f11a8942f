#include "reportengine/previewdialogs.h"

#include "platform/filedialogs.h"

#include <QFileInfo>
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

// The program's own file dialog, as for backups.
QString PreviewDialogs::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    platform::FileDialogRequest request;
    request.title = caption;
    request.filters = filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    return platform::FileDialogs::instance().openFileName(parent, request);
}

QString PreviewDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                     const QString& filter)
{
    platform::FileDialogRequest request;
    request.title = caption;
    request.filters = filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    const QFileInfo file(suggested);
    request.fileName = file.fileName();
    if (!file.path().isEmpty() && file.path() != QStringLiteral("."))
        request.folder = file.path();
    return platform::FileDialogs::instance().saveFileName(parent, request);
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
