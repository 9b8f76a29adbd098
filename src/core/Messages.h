#pragma once
// A plain message box with an OK button, titled with the program's name.
#include <QString>

class QWidget;

void ShowMessage(QWidget *parent, const QString &text);

// A device that went away while its link was open (unplugged, hung up), and why.
QString LinkLostMessage(const QString &port, const char *why);

// A file that could not be read or written; the windows that open or save files all say it so.
QString FileReadFailedMessage();
QString FileWriteFailedMessage();
