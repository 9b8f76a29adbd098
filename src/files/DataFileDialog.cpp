#include "files/DataFileDialog.h"

#include "core/Remembered.h"

#include <QFileInfo>

QString AskFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &filter,
    const QString &suffix, const QString &folderKey, const QString &proposed)
{
    QFileDialog dialog(parent);
    const QString folder = Remembered::value(folderKey);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(
        mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString file = dialog.selectedFiles().first();
    Remembered::keep(folderKey, QFileInfo(file).absolutePath());
    return file;
}

QString AskDataFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &proposed)
{
    return AskFile(parent, mode, QStringLiteral("Pliki danych Nerix 3.0 (*.N3D)"),
        QStringLiteral("N3D"), Remembered::DataFolder, proposed);
}
