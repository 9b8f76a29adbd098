// Fuzz target for parameter files: any bytes are parsed without harm, and whatever parses
// is written and parsed back to the same texts (CR and LF, which a text cannot hold in a file,
// left out). Windows-1250 itself reads any bytes back to themselves.
#include "FuzzCheck.h"
#include "core/Windows1250.h"
#include "params/ParameterFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Check(ToWindows1250(FromWindows1250(bytes)) == bytes);

    const std::optional<ParameterTexts> texts = ParseParameterFile(bytes);
    if (!texts)
        return 0;
    ParameterTexts expected = *texts;
    for (std::size_t i = 0; i < ParameterCount; ++i)
        expected.line(i).remove(QLatin1Char('\r'));
    const QByteArray written = ParameterFileBytes(*texts);
    const std::optional<ParameterTexts> back = ParseParameterFile(written);
    // Texts that Windows-1250 cannot hold go out as UTF-8, which may outgrow the file limit.
    Check(back ? *back == expected : written.size() > MaxParameterFileBytes);
    return 0;
}
