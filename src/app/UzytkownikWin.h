#pragma once
// The user settings dialog: name, company and the service-technician flag, kept in the
// settings store as "name", "company" and "service".
#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMainWin;

// The stored user settings. A missing value reads as empty (or not a service technician);
// "service" is a 32-bit integer, any non-zero value meaning true.
struct UserSettings {
    QString name;
    QString company;
    bool service = false;
};

UserSettings ReadUserSettings();
// Writes all three values; false when the store could not be written.
bool WriteUserSettings(const UserSettings &settings);

class TUzytkownikWin : public QDialog {
    Q_OBJECT
public:
    explicit TUzytkownikWin(TMainWin *main);

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr;
    QLineEdit *Nazwa = nullptr, *Miasto = nullptr;
    QCheckBox *Serwisant = nullptr;
    QPushButton *OK = nullptr, *Anuluj = nullptr;

public slots:
    void SerwisantClick();
    void OKClick();
    void AnulujClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    TMainWin *MainWin;
};
