#include "platform/filedialogs.h"

#include "platform/serviceslot.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace platform {

namespace {

// Qt's file list writes its dates with the system's locale (English month
// names where the system speaks English) and calls a folder "Folder", a text
// its Brazilian translation lacks: the dialog shows both in Portuguese.
class PortugueseFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kTypeColumn && files->isDir(source))
                return QStringLiteral("Pasta");
            if (index.column() == kModifiedColumn)
                return QLocale(QLocale::Portuguese, QLocale::Brazil)
                    .toString(files->lastModified(source), QStringLiteral("dd/MM/yyyy HH:mm"));
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kTypeColumn = 2;
    static constexpr int kModifiedColumn = 3;
};

QString run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setProxyModel(new PortugueseFileList(&dialog));
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
