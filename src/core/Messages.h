#pragma once
// A plain message box with an OK button, titled with the program's name.
#include <QString>

class QWidget;

void ShowMessage(QWidget *parent, const QString &text);
