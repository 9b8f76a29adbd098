#include "app/UzytkownikWin.h"
#include "core/Named.h"

#include "app/AppMessages.h"
#include "app/MainWin.h"
#include "core/DialogOwner.h"
#include "core/Messages.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString NameKey = QStringLiteral("name");
const QString CompanyKey = QStringLiteral("company");
const QString ServiceKey = QStringLiteral("service");
} // namespace

UserSettings ReadUserSettings()
{
    const auto store = openSettingsStore();
    const auto older = openOlderSettingsStore();
    const auto value = [&](const QString &key) { return readSetting(*store, older.get(), key); };
    UserSettings settings;
    settings.name = value(NameKey).toString();
    settings.company = value(CompanyKey).toString();
    bool isNumber = false;
    const qint64 service = value(ServiceKey).toLongLong(&isNumber);
    settings.service = isNumber && static_cast<std::int32_t>(service) != 0;
    return settings;
}

bool WriteUserSettings(const UserSettings &settings)
{
    const auto store = openSettingsStore();
    store->setValue(NameKey, settings.name);
    store->setValue(CompanyKey, settings.company);
    store->setValue(ServiceKey, settings.service ? 1 : 0);
    store->sync();
    return store->status() == QSettings::NoError;
}

TUzytkownikWin::TUzytkownikWin(TMainWin *main)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
    , MainWin(main)
{
    setObjectName(QStringLiteral("UzytkownikWin"));
    setFixedSize(395, 121);
    setWindowTitle(QString::fromUtf8("Użytkownik"));

    GroupBox1 = named(new QGroupBox(QString::fromUtf8(" Ustawienia użytkownika "), this), "GroupBox1");
    GroupBox1->setGeometry(8, 6, 290, 108);

    Label1 = named(new QLabel(QStringLiteral("Nazwa:"), GroupBox1), "Label1");
    Label1->setGeometry(10, 24, 60, 20);
    Nazwa = named(new QLineEdit(GroupBox1), "Nazwa");
    Nazwa->setGeometry(76, 22, 201, 22);

    Label2 = named(new QLabel(QStringLiteral("Firma:"), GroupBox1), "Label2");
    Label2->setGeometry(10, 52, 60, 20);
    Miasto = named(new QLineEdit(GroupBox1), "Miasto");
    Miasto->setGeometry(76, 50, 153, 22);

    Serwisant = named(new QCheckBox(QStringLiteral("Serwisant"), GroupBox1), "Serwisant");
    Serwisant->setGeometry(76, 78, 120, 20);

    OK = named(new QPushButton(QStringLiteral("OK"), this), "OK");
    OK->setGeometry(308, 14, 79, 27);
    Anuluj = named(new QPushButton(QStringLiteral("Anuluj"), this), "Anuluj");
    Anuluj->setGeometry(308, 48, 79, 27);

    connect(Serwisant, &QCheckBox::clicked, this, &TUzytkownikWin::SerwisantClick);
    connect(OK, &QPushButton::clicked, this, &TUzytkownikWin::OKClick);
    connect(Anuluj, &QPushButton::clicked, this, &TUzytkownikWin::AnulujClick);
}

void TUzytkownikWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TUzytkownikWin::FormShow()
{
    disableOwnerWhileShown(MainWin, this);
    const UserSettings settings = ReadUserSettings();
    Nazwa->setText(settings.name);
    Miasto->setText(settings.company);
    Serwisant->setChecked(settings.service);
    SerwisantClick();
}

void TUzytkownikWin::SerwisantClick()
{
    // A service technician's name and company are locked while the box is ticked.
    const bool locked = Serwisant->isChecked();
    Nazwa->setEnabled(!locked);
    Miasto->setEnabled(!locked);
}

void TUzytkownikWin::OKClick()
{
    if (!WriteUserSettings({Nazwa->text(), Miasto->text(), Serwisant->isChecked()})) {
        // Nothing was kept: the dialog stays open, so the user can try again or cancel.
        ShowMessage(this, UserSettingsNotSavedMessage());
        return;
    }
    hide();
}

void TUzytkownikWin::AnulujClick()
{
    hide();
}
