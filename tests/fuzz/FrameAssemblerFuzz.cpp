// Fuzz target for the frame assembler and the result frame decoder.
//
// Input: byte 0 gives how many of the following bytes are chunk sizes (1..16); the rest is
// the byte stream, fed in chunks of those sizes in turn, one receive event per chunk, both
// to Feed (one frame step per event) and to ReadEvent (every frame of the event). Every step
// is checked against a plain model of the same rules kept in a std::vector.
#include "FuzzCheck.h"
#include "measure/FrameAssembler.h"
#include "measure/ResultFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

// The rules written the simple way: a growing vector, trimmed to the newest 255 bytes and
// then to the last header in them.
class Model {
public:
    std::optional<ResultFrameBytes> Feed(const uint8_t *data, std::size_t count)
    {
        bytes.insert(bytes.end(), data, data + count);
        if (bytes.size() > FrameAssembler::kCapacity) {
            bytes.erase(bytes.begin(), bytes.end() - FrameAssembler::kCapacity);
            KeepFromLastHeader();
        }
        if (bytes.size() < 2)
            return std::nullopt;
        if (!HeaderAt(0)) {
            std::size_t k = 1;
            while (k + 1 < bytes.size() && !HeaderAt(k))
                ++k;
            bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(k));
            return std::nullopt;
        }
        if (bytes.size() < 7)
            return std::nullopt;
        ResultFrameBytes frame;
        std::copy_n(bytes.begin(), 7, frame.begin());
        bytes.erase(bytes.begin(), bytes.begin() + 7);
        if (bytes.size() > 14)
            KeepFromLastHeader();
        return frame;
    }

    // Every frame step the bytes allow, without a backlog skip.
    std::vector<ResultFrameBytes> TakeAll(const uint8_t *data, std::size_t count)
    {
        bytes.insert(bytes.end(), data, data + count);
        std::vector<ResultFrameBytes> frames;
        while (bytes.size() >= 2) {
            if (!HeaderAt(0)) {
                std::size_t k = 1;
                while (k + 1 < bytes.size() && !HeaderAt(k))
                    ++k;
                bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(k));
                continue;
            }
            if (bytes.size() < 7)
                break;
            ResultFrameBytes &frame = frames.emplace_back();
            std::copy_n(bytes.begin(), 7, frame.begin());
            bytes.erase(bytes.begin(), bytes.begin() + 7);
        }
        return frames;
    }

    void KeepFromLastHeader()
    {
        std::optional<std::size_t> last;
        for (std::size_t k = 0; k + 1 < bytes.size(); ++k) {
            if (HeaderAt(k))
                last = k;
        }
        if (last && *last > 0)
            bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(*last));
    }

    std::vector<uint8_t> bytes;

private:
    bool HeaderAt(std::size_t k) const { return bytes[k] == 0xAA && bytes[k + 1] == 0x55; }
};

std::size_t ChunkSize(uint8_t code)
{
    // Mostly small events, now and then one larger than the whole buffer.
    return code < 240 ? code % 40 : std::size_t(code - 240) * 64;
}

void CheckDecoded(const ResultFrameBytes &frame)
{
    const DecodedResult r = DecodeResultFrame(frame);
    Check(r.decimalClass >= 0 && r.decimalClass <= 2);
    Check(std::isfinite(r.value) && std::abs(r.value) <= 327.68 * 100);
    Check(!r.ac || r.value >= 0);
    Check(r.temperature >= -32768 && r.temperature <= 32767);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t sizes = std::min<std::size_t>(1 + data[0] % 16, size - 1);
    const uint8_t *codes = data + 1;
    const uint8_t *stream = codes + sizes;
    std::size_t left = size - 1 - sizes;

    FrameAssembler assembler;
    Model model;
    FrameAssembler reader;
    Model readerModel;
    std::vector<ResultFrameBytes> frames;
    // Events go on a while after the stream ends, to drain what is held.
    const std::size_t events = 2 * size + 64;
    for (std::size_t event = 0; event < events; ++event) {
        const std::size_t n = std::min(ChunkSize(codes[event % sizes]), left);
        const auto frame = assembler.Feed(stream, n);
        const auto expected = model.Feed(stream, n);
        frames.clear();
        std::size_t read = 0;
        reader.ReadEvent(
            n,
            [&](uint8_t *to, std::size_t wanted) {
                Check(reader.Length() + wanted <= FrameAssembler::kCapacity);
                std::copy_n(stream + read, wanted, to);
                read += wanted;
                return wanted;
            },
            frames);
        Check(read == n);
        Check(frames == readerModel.TakeAll(stream, n));
        Check(std::equal(readerModel.bytes.begin(), readerModel.bytes.end(), reader.Data(),
            reader.Data() + reader.Length()));
        stream += n;
        left -= n;

        Check(assembler.Length() <= FrameAssembler::kCapacity);
        Check(frame == expected);
        Check(std::equal(model.bytes.begin(), model.bytes.end(), assembler.Data(),
            assembler.Data() + assembler.Length()));
        if (frame) {
            Check((*frame)[0] == 0xAA && (*frame)[1] == 0x55);
            CheckDecoded(*frame);
        }
        if (assembler.LastStepRealigned() && assembler.Length() >= 2)
            Check(assembler.Data()[0] == 0xAA && assembler.Data()[1] == 0x55);
    }
    return 0;
}
