// The language table and the way the main window and the language dialog follow it.
#include "TestMain.h"

#include "app/AboutWin.h"
#include "app/JezykWin.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "core/Jezyki.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { LanguageName = LanguageEnglish; }

    void tableKeepsSpacesAndMarks()
    {
        LanguageName = LanguagePolish;
        QCOMPARE(Tekst(23), QStringLiteral(" Wynik "));
        QCOMPARE(Tekst(38), QStringLiteral("Wmoc."));
        QCOMPARE(Tekst(40), QString::fromUtf8("Połączony na "));
        QCOMPARE(Tekst(97), QStringLiteral(" wynik"));
        QCOMPARE(Tekst(98), QStringLiteral("Eksportuj do CSV..."));
        QCOMPARE(Tekst(7), QString::fromUtf8("&Otwórz plik..."));
        QCOMPARE(Tekst(30), QStringLiteral("  Sterowanie"));
        LanguageName = LanguageEnglish;
        QCOMPARE(Tekst(23), QStringLiteral(" Data "));
        QCOMPARE(Tekst(96), QStringLiteral("Save every "));
        QCOMPARE(Tekst(97), QStringLiteral("th result"));
        QCOMPARE(Tekst(98), QStringLiteral("Export to CSV..."));
        QCOMPARE(Tekst(94), QStringLiteral("Turn off automatic power down"));
    }

    void unknownLanguageOrNumberLeavesTextAlone()
    {
        QString text = QStringLiteral("kept");
        LanguageName = QStringLiteral("polski"); // the comparison is case-sensitive
        Tekst(1, text);
        QCOMPARE(text, QStringLiteral("kept"));
        LanguageName = LanguageEnglish;
        Tekst(0, text);
        Tekst(TekstCount + 1, text);
        QCOMPARE(text, QStringLiteral("kept"));
        Tekst(1, text);
        QCOMPARE(text, QStringLiteral("File"));
    }

    void freshStartShowsEnglish()
    {
        LanguageName = LanguagePolish; // a previous run's choice is not kept
        AppWindows windows = createWindows();
        TMainWin &main = *windows.MainWin;
        QCOMPARE(LanguageName, LanguageEnglish);
        QCOMPARE(main.Plik1->title(), QStringLiteral("File"));
        QCOMPARE(main.GroupBox1->title(), QStringLiteral(" Data "));
        QCOMPARE(main.S_Polacz->text(), QStringLiteral("Connect"));
        QCOMPARE(main.StatusPanel0->text(), QStringLiteral("Disconnected"));
        QCOMPARE(main.Label13->text(), QStringLiteral("Ampl."));
        QCOMPARE(
            main.Zmieautomatycznewyczanie1->text(), QStringLiteral("Turn on automatic power down"));
        QCOMPARE(main.LastWYnik->toolTip(), QStringLiteral("Stop result"));
        // Texts outside the table stay as the window defines them.
        QCOMPARE(main.LabelTau->text(), QStringLiteral("T ="));
    }

    // Check boxes have fixed sizes: each caption fits its box, in both languages.
    void checkBoxCaptionsFit()
    {
        TMainWin main;
        for (const QString &language : {LanguageEnglish, LanguagePolish}) {
            LanguageName = language;
            main.ApplyLanguage();
            for (const QCheckBox *box : main.findChildren<QCheckBox *>())
                QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
        }
    }

    void choosingPolishRetitlesEverything()
    {
        AppWindows windows = createWindows();
        TMainWin &main = *windows.MainWin;
        main.ZmienJezykClick();
        auto *dialog = main.findChild<TJezyk *>(QStringLiteral("Jezyk"));
        QVERIFY(dialog);
        QVERIFY(!main.isEnabled());
        QCOMPARE(dialog->WybranyJezyk->currentRow(), 0);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Language"));
        QCOMPARE(dialog->GroupBox1->title(), QStringLiteral(" Select language "));
        QCOMPARE(dialog->Anuluj->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(dialog->OK, Qt::LeftButton);
        QTRY_VERIFY(main.findChild<TJezyk *>(QStringLiteral("Jezyk")) == nullptr);
        QVERIFY(main.isEnabled());
        QCOMPARE(LanguageName, LanguagePolish);

        const QList<std::pair<QString, QString>> expected = {
            {main.Plik1->title(), QStringLiteral("Plik")},
            {main.Widok1->title(), QStringLiteral("Widok")},
            {main.Serwis->title(), QStringLiteral("Serwis")},
            {main.Ustawienia->title(), QStringLiteral("Ustawienia")},
            {main.Raport1->title(), QStringLiteral("Raport")},
            {main.Pomoc1->title(), QStringLiteral("Pomoc")},
            {main.Otwrz1->text(), QString::fromUtf8("&Otwórz plik...")},
            {main.Zapisz1->text(), QStringLiteral("&Zapisz do pliku...")},
            {main.Zakoncz->text(), QString::fromUtf8("&Zakończ zapisywanie do pliku")},
            {main.EksportCSV1->text(), QStringLiteral("Eksportuj do CSV...")},
            {main.Koniec1->text(), QStringLiteral("Koniec")},
            {main.Minmax1->text(), QString::fromUtf8("Obróbka danych")},
            {main.Danezurzdzenia1->text(), QString::fromUtf8("Dane z urządzenia")},
            {main.Zmieuytkownika1->text(), QString::fromUtf8("Zmień użytkownika...")},
            {main.Wyjdztryb1->text(), QString::fromUtf8("Wyjdź z trybu serwisowego")},
            {main.Poczony1->text(), QString::fromUtf8("Połączony")},
            {main.Trans->title(), QStringLiteral("Parametry transmisji")},
            {main.Zmieautomatycznewyczanie1->text(),
                QString::fromUtf8("Włącz automatyczne wyłączanie urządzenia")},
            {main.Ustawieniaserwisowe1->text(), QStringLiteral("Tryb serwisowy")},
            {main.ZmienJezyk->text(), QString::fromUtf8("Zmień język...")},
            {main.Twrzraport1->text(), QString::fromUtf8("Twórz raport...")},
            {main.OProgramie1->text(), QStringLiteral("O programie")},
            {main.GroupBox1->title(), QStringLiteral(" Wynik ")},
            {main.GroupBox4->title(), QStringLiteral(" Temperatura ")},
            {main.Dane->text(), QString::fromUtf8("Obróbka danych")},
            {main.Min1->text(), QStringLiteral("Minimum:")},
            {main.Max1->text(), QStringLiteral("Maksimum:")},
            {main.Avr1->text(), QString::fromUtf8("Średnia:")},
            {main.filtr->text(), QStringLiteral("Filtr cyfrowy")},
            {main.Panel9->text(), QStringLiteral("  Sterowanie")},
            {main.S_Polacz->text(), QString::fromUtf8("Połącz")},
            {main.StatusPanel0->text(), QString::fromUtf8("Nie połączony")},
            {main.S_Zapisz->text(), QStringLiteral("Zapisz do pliku")},
            {main.SpeedButton1->text(), QString::fromUtf8("Dane z urządzenia")},
            {main.Button2->text(), QString::fromUtf8("Otwórz plik")},
            {main.Autoskalowanie->text(), QStringLiteral("Autoskalowanie")},
            {main.Label13->text(), QStringLiteral("Wmoc.")},
            {main.Label14->text(), QStringLiteral("Offset")},
            {main.BP->text(), QStringLiteral("Brak transmisji")},
            {main.LastWYnik->toolTip(), QStringLiteral("Zatrzymaj wynik")},
            {main.OneWynik->toolTip(), QStringLiteral("Pobierz pojedynczy wynik")},
            {main.Kosz->toolTip(), QString::fromUtf8("Czyść wykres")},
        };
        for (const auto &[actual, wanted] : expected)
            QCOMPARE(actual, wanted);

        // Reopened, the dialog starts at "Polski" again and speaks Polish.
        main.ZmienJezykClick();
        dialog = main.findChild<TJezyk *>(QStringLiteral("Jezyk"));
        QVERIFY(dialog);
        QCOMPARE(dialog->WybranyJezyk->currentItem()->text(), QStringLiteral("Polski"));
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Język"));
        QTest::mouseClick(dialog->Anuluj, Qt::LeftButton);
        QTRY_VERIFY(main.isEnabled());
        QCOMPARE(LanguageName, LanguagePolish);
    }

    // Qt's own dialogs follow the language chosen in the dialog; a new run is English again.
    void qtDialogsFollowTheLanguage()
    {
        auto choose = [](TMainWin &main, int row) {
            main.ZmienJezykClick();
            auto *dialog = main.findChild<TJezyk *>(QStringLiteral("Jezyk"));
            QVERIFY(dialog);
            dialog->WybranyJezyk->setCurrentRow(row);
            dialog->OKClick();
        };
        auto expect = [](const char *yes, const char *no, const char *cancel) {
            QMessageBox box(
                QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')),
                QString::fromUtf8(yes));
            QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')),
                QString::fromUtf8(no));
            QFileDialog files;
            files.setOption(QFileDialog::DontUseNativeDialog);
            auto *buttons = files.findChild<QDialogButtonBox *>();
            QVERIFY(buttons);
            QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                QString::fromUtf8(cancel));
        };
        {
            AppWindows windows = createWindows();
            expect("Yes", "No", "Cancel");
            choose(*windows.MainWin, 0);
            expect("Tak", "Nie", "Anuluj");
            choose(*windows.MainWin, 1);
            expect("Yes", "No", "Cancel");
            choose(*windows.MainWin, 0);
        }
        AppWindows windows = createWindows();
        expect("Yes", "No", "Cancel");
    }

    void englishChosenInTheDialog()
    {
        LanguageName = LanguagePolish;
        AppWindows windows = createWindows(); // start-up resets to English
        TMainWin &main = *windows.MainWin;
        LanguageName = LanguagePolish;
        main.ApplyLanguage();
        main.ZmienJezykClick();
        auto *dialog = main.findChild<TJezyk *>(QStringLiteral("Jezyk"));
        dialog->WybranyJezyk->setCurrentRow(1);
        dialog->OKClick();
        QCOMPARE(LanguageName, LanguageEnglish);
        QCOMPARE(main.Raport1->title(), QStringLiteral("Report"));
    }
};

NERIX_TEST(LanguageTest)
#include "LanguageTest.moc"
