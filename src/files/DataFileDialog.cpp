#include "files/DataFileDialog.h"

QString AskFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &filter,
    const QString &suffix, const QString &proposed)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(
        mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString AskDataFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &proposed)
{
    return AskFile(parent, mode, QStringLiteral("Pliki danych Nerix 3.0 (*.N3D)"),
        QStringLiteral("N3D"), proposed);
}
