#pragma once
// The parameter file ("*.N3C"): the 26 texts of the parameter set, one a line in their
// order, each line ended by CR LF, the texts exactly as typed (decimal commas stay).
#include "params/ParameterSet.h"

#include <QByteArray>
#include <optional>

// A parameter file is a few hundred bytes; anything larger is not one.
inline constexpr qint64 MaxParameterFileBytes = 64 * 1024;

// The file's bytes, in Windows-1250 as the meter's own platform writes them, so that older
// installations read them too; in UTF-8 only when a text has characters that Windows-1250
// lacks (or whose Windows-1250 bytes would read as other UTF-8 text). A line break inside a
// text would shift every following line, so CR and LF are left out of the texts.
QByteArray ParameterFileBytes(const ParameterTexts &texts);

// The texts of a file's bytes. Lines may end in CR LF or LF alone; the last line needs no
// line end. Lines after the 26th are ignored; fields without a line get an empty text, so
// that a short file never leaves values of another meter in the panel. Bytes that are not
// UTF-8 are read as Windows-1250. Empty when the bytes are not a parameter file: more than
// MaxParameterFileBytes, or control characters other than tab, CR and LF (binary data).
std::optional<ParameterTexts> ParseParameterFile(const QByteArray &bytes);
