#include "platform/filedialogs.h"

#include "platform/serviceslot.h"

#include <QFileDialog>

namespace platform {

namespace {

QString run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.selectedFilter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QString FileDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request)
{
    return run(parent, request, QFileDialog::AcceptSave);
}

QString FileDialogs::openFileName(QWidget* parent, const FileDialogRequest& request)
{
    return run(parent, request, QFileDialog::AcceptOpen);
}

FileDialogs& FileDialogs::instance()
{
    static FileDialogs qtDialogs;
    return ServiceSlot<FileDialogs>::get(qtDialogs);
}

void FileDialogs::setInstance(FileDialogs* dialogs) { ServiceSlot<FileDialogs>::set(dialogs); }

} // namespace platform
