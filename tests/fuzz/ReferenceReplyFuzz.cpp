// Fuzz target for the parser of the reference instrument's measure reply.
//
// Input: byte 0 gives the channel text (its length 0..2 and, from the next bytes, its
// characters); the rest is the reply. The parser must stay within the bytes it is given, look
// at the first 12 of them only, and give a finite value only for a reply to that channel.
#include "FuzzCheck.h"
#include "calib/ReferenceReply.h"

#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

bool SameReading(const ReferenceReading &a, const ReferenceReading &b)
{
    return a.classifierNotZero == b.classifierNotZero && a.value.has_value() == b.value.has_value()
        && (!a.value || *a.value == *b.value);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t channelSize = std::min<std::size_t>(data[0] % 3, size - 1);
    // Copies on the heap of their exact size, so the sanitizer sees any read beyond them.
    const std::vector<char> channelBytes(data + 1, data + 1 + channelSize);
    const std::vector<char> replyBytes(data + 1 + channelSize, data + size);
    const std::string_view channel(channelBytes.data(), channelBytes.size());
    const std::string_view reply(replyBytes.data(), replyBytes.size());

    const ReferenceReading reading = ParseReferenceReply(reply, channel);
    Check(SameReading(reading, ParseReferenceReply(reply.substr(0, 12), channel)));
    const bool forChannel = reply.size() >= 3 && reply.substr(0, 2) == "ME" && channel.size() == 1
        && reply[2] == channel[0];
    if (reading.classifierNotZero)
        Check(forChannel && reply.size() >= 4 && reply[3] != '0');
    if (reading.value) {
        Check(forChannel && reply.size() >= 11);
        Check(std::isfinite(*reading.value));
        if (DecadeMultiplier(reply[4]) == 0)
            Check(*reading.value == 0);
    }
    return 0;
}
