#include "core/Jezyki.h"

#include <array>

QString LanguageName = LanguageEnglish;

namespace {
struct Entry {
    const char *polish;
    const char *english;
};

// Index n - 1 holds text #n. Numbers without a text are unused.
constexpr std::array<Entry, TekstCount> Texts = {{
    {"Plik", "File"}, // 1
    {"Widok", "View"}, // 2
    {"Serwis", "Service"}, // 3
    {"Ustawienia", "Settings"}, // 4
    {"Raport", "Report"}, // 5
    {"Pomoc", "Help"}, // 6
    {"&Otwórz plik...", "&Open..."}, // 7
    {"&Zapisz do pliku...", "&Save as..."}, // 8
    {"&Zakończ zapisywanie do pliku", "&Stop saving file"}, // 9
    {"", ""}, // 10
    {"Koniec", "Quit"}, // 11
    {"Obróbka danych", "Data processing"}, // 12
    {"Dane z urządzenia", "Data from instrument"}, // 13
    {"Zmień użytkownika...", "Change user..."}, // 14
    {"Wyjdź z trybu serwisowego", "Quit from service mode"}, // 15
    {"Połączony", "Connected"}, // 16
    {"Parametry transmisji", "Transmission parameters"}, // 17
    {"Włącz automatyczne wyłączanie urządzenia", "Turn on automatic power down"}, // 18
    {"Tryb serwisowy", "Service mode"}, // 19
    {"Zmień język...", "Change language..."}, // 20
    {"Twórz raport...", "Create report..."}, // 21
    {"O programie", "About"}, // 22
    {" Wynik ", " Data "}, // 23
    {" Temperatura ", " Temperature "}, // 24
    {"Obróbka danych", "Data processing"}, // 25
    {"Minimum:", "Minimum:"}, // 26
    {"Maksimum:", "Maximum:"}, // 27
    {"Średnia:", "Average:"}, // 28
    {"Filtr cyfrowy", "Digital filter"}, // 29
    {"  Sterowanie", "  Control"}, // 30
    {"Połącz", "Connect"}, // 31
    {"Rozłącz", "Disconnect"}, // 32
    {"Zapisz do pliku", "Save as..."}, // 33
    {"Zakoncz zapis", "Stop saving"}, // 34
    {"Dane z urządzenia", "Data from instrument"}, // 35
    {"Otwórz plik", "Open file"}, // 36
    {"Autoskalowanie", "Autoscale"}, // 37
    {"Wmoc.", "Ampl."}, // 38
    {"Offset", "Offset"}, // 39
    {"Połączony na ", "Connected to "}, // 40
    {"Nie połączony", "Disconnected"}, // 41
    {"Brak transmisji", "No transmission"}, // 42
    {"Anuluj", "Cancel"}, // 43
    {"Język", "Language"}, // 44
    {" Wybierz język ", " Select language "}, // 45
    {"Hasło", "Password"}, // 46
    {"Aby przejść w stan serwisowy musisz podać hasło:",
        "Please write a password to enter to the service mode"}, // 47
    {"TRYB SERWISOWY", "SERVICE MODE"}, // 48
    {"", ""}, // 49
    {"Raport", "Report"}, // 50
    {"Nazwa instytucji:", "Company:"}, // 51
    {"Miasto:", "City:"}, // 52
    {"Rodzaj pola:", "Magnetic field:"}, // 53
    {"Miejsce pomiarów:", "Location:"}, // 54
    {"Data pomiarów:", "Date:"}, // 55
    {"Pomiar wykonał:", "Measured by:"}, // 56
    {"Dane o źródle pola:", "Field source data:"}, // 57
    {"Drukuj", "Print"}, // 58
    {"Anuluj", "Cancel"}, // 59
    {"Pobierz dane", "Data from file"}, // 60
    {"Ilość wyników:", "No of results:"}, // 61
    {"L.p.", "No"}, // 62
    {"Miejsce", "Location"}, // 63
    {"Indukcja pola", "Field induction"}, // 64
    {"Uwaga", "Note"}, // 65
    {"Stałe (dc)", "Constant (dc)"}, // 66
    {"Zmienne (ac)", "Alternating (ac)"}, // 67
    {"Strona ", "Page "}, // 68
    {"wersja 3.1", "version 3.1"}, // 69
    {"RAPORT", "REPORT"}, // 70
    {"z pomiarów natężenia pola magnetycznego stałego (dc)",
        "of dc magnetic field measurement"}, // 71
    {"z pomiarów natężenia pola magnetycznego f = 50 Hz",
        "of ac magnetic field measurement (f = 50 Hz)"}, // 72
    {"z pomiarów natężenia pola magnetycznego zmiennego f = ",
        "of ac magnetic field measurement f = "}, // 73
    {"", ""}, // 74
    {"", ""}, // 75
    {"", ""}, // 76
    {"", ""}, // 77
    {"", ""}, // 78
    {"", ""}, // 79
    {"", ""}, // 80
    {"", ""}, // 81
    {"", ""}, // 82
    {"", ""}, // 83
    {"", ""}, // 84
    {"", ""}, // 85
    {"", ""}, // 86
    {"", ""}, // 87
    {"", ""}, // 88
    {"brak sondy", "no probe"}, // 89
    {"Zatrzymaj wynik", "Stop result"}, // 90
    {"Uruchom wynik", "Go"}, // 91
    {"Pobierz pojedynczy wynik", "Take one value"}, // 92
    {"Czyść wykres", "Clear screen"}, // 93
    {"Wyłącz automatyczne wyłączanie urządzenia", "Turn off automatic power down"}, // 94
    {" Parametry zapisu", " Saving parameters"}, // 95
    {"Zapisz co ", "Save every "}, // 96
    {" wynik", "th result"}, // 97
    {"Eksportuj do CSV...", "Export to CSV..."}, // 98
    {"Pliki CSV (*.csv)", "CSV files (*.csv)"}, // 99
    {"Zapisać wyniki przed zamknięciem?", "Save the results before closing?"}, // 100
    {"Przerwany zapis: %1 wyników do pliku %2. Zapisać je teraz?",
        "Interrupted recording: %1 results for the file %2. Save them now?"}, // 101
    {"Części zapisu nie udało się odczytać (%1 bajtów).",
        "Part of the recording could not be read (%1 bytes)."}, // 102
    {"Nie można odczytać przerwanego zapisu %1 (%2 bajtów).",
        "An interrupted recording could not be read: %1 (%2 bytes)."}, // 103
}};
} // namespace

void Tekst(int n, QString &text)
{
    if (n < 1 || n > TekstCount)
        return;
    const Entry &entry = Texts[static_cast<std::size_t>(n - 1)];
    if (LanguageName == LanguagePolish)
        text = QString::fromUtf8(entry.polish);
    else if (LanguageName == LanguageEnglish)
        text = QString::fromUtf8(entry.english);
}

QString Tekst(int n)
{
    QString text;
    Tekst(n, text);
    return text;
}
