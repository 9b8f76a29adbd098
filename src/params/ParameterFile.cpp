#include "params/ParameterFile.h"

#include "core/Windows1250.h"

#include <QStringList>

QByteArray ParameterFileBytes(const ParameterTexts &texts)
{
    QString text;
    for (std::size_t i = 0; i < ParameterCount; ++i) {
        QString line = texts.line(i);
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        text += line;
        text += QLatin1String("\r\n");
    }
    // Windows-1250 whenever it holds the text and reads back as it: older installations read
    // nothing else. Otherwise UTF-8, which always reads back unchanged.
    if (const std::optional<QByteArray> bytes = ToWindows1250(text);
        bytes && FromUtf8OrWindows1250(*bytes) == text)
        return *bytes;
    return text.toUtf8();
}

namespace {
bool isBinary(const QByteArray &bytes)
{
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u == 0x7F)
            return true;
    }
    return false;
}
} // namespace

std::optional<ParameterTexts> ParseParameterFile(const QByteArray &bytes)
{
    if (bytes.size() > MaxParameterFileBytes || isBinary(bytes))
        return std::nullopt;
    QStringList lines = FromUtf8OrWindows1250(bytes).split(QLatin1Char('\n'));
    // The line end of the last line leaves an empty piece behind it, which is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    ParameterTexts texts;
    for (std::size_t i = 0; i < ParameterCount && i < static_cast<std::size_t>(lines.size()); ++i) {
        QString line = lines.at(static_cast<qsizetype>(i));
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        texts.line(i) = line;
    }
    return texts;
}
