#pragma once
// The language table: every text of the user interface that changes with the language,
// numbered 1..TekstCount, each in Polish and English. The current language is the global
// LanguageName ("Polski" or "Angielski"); every run starts in English.
#include <QString>

extern QString LanguageName;

inline const QString LanguagePolish = QStringLiteral("Polski");
inline const QString LanguageEnglish = QStringLiteral("Angielski");

// The highest text number.
constexpr int TekstCount = 103;

// Sets text to text #n in the current language. With a LanguageName other than the two
// names, or a number outside 1..TekstCount, text is left as it was.
void Tekst(int n, QString &text);

// Text #n in the current language; empty when Tekst would leave the text unchanged.
QString Tekst(int n);
