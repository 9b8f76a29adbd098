#pragma once
// The file dialogs for data files ("Pliki danych Nerix 3.0", "*.N3D") and the files exported
// beside them, over the window that asks, which has the keyboard again when the dialog closes.
#include <QFileDialog>
#include <QString>

class QWidget;

// A file name, or empty when the user cancelled. A saved name without a suffix gets suffix. The
// dialog opens in the folder last used for this kind of file, kept under folderKey
// (core/Remembered.h); proposed: the file the dialog starts on, if any.
QString AskFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &filter,
    const QString &suffix, const QString &folderKey, const QString &proposed = {});

// AskFile for a data file.
QString AskDataFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &proposed = {});
