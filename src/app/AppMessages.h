#pragma once
// The fixed Polish messages of the main window and its dialogs.
#include <QString>

// A data file with more results than the display keeps: the first `kept` were read.
inline QString DataFileTruncatedMessage(int kept)
{
    return QString::fromUtf8("Plik zawiera więcej niż %1 wyników; wczytano pierwsze %1.").arg(kept);
}

inline QString UserSettingsNotSavedMessage()
{
    return QString::fromUtf8("Nie można zapisać ustawień użytkownika: "
                             "magazyn ustawień jest niedostępny do zapisu.");
}

// The recovery journal of the running recording could not be written (a full disk).
inline QString JournalWriteFailedMessage()
{
    return QString::fromUtf8("Błąd. Nie można zapisać kopii zapasowej wyników na dysku; "
                             "wyniki są nadal zbierane w pamięci.");
}
