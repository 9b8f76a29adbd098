#pragma once
// The file dialog for data files ("Pliki danych Nerix 3.0", "*.N3D"), over the window that
// asks, which has the keyboard again when the dialog closes.
#include <QFileDialog>
#include <QString>

class QWidget;

// A file name, or empty when the user cancelled.
QString AskDataFile(QWidget *parent, QFileDialog::AcceptMode mode);
