#pragma once
// Qt's own texts (the standard buttons of message boxes, the file and print dialogs, the
// context menus of edit boxes) speak the program's language: while Polish is chosen, Qt's
// Polish translation "qtbase_pl" from Qt's translations folder is installed; otherwise none.
// Without that file Qt's texts stay English, and nothing is reported.

// Installs or removes the translation to match LanguageName. Needs a QCoreApplication.
void FollowLanguageInQtTexts();
