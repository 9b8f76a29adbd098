#include "measure/FrameAssembler.h"

#include <algorithm>
#include <cstring>

std::optional<ResultFrameBytes> FrameAssembler::Feed(const uint8_t *data, std::size_t count)
{
    realigned_ = false;
    Append(data, count);
    // One byte cannot be judged yet: it may be the first half of a header.
    if (length_ < 2)
        return std::nullopt;
    if (!StartsWithHeader()) {
        Resynchronise();
        return std::nullopt;
    }
    if (length_ < kFrameSize)
        return std::nullopt;
    ResultFrameBytes frame;
    std::copy_n(buffer_.begin(), kFrameSize, frame.begin());
    DropFront(kFrameSize);
    // What follows a frame is judged afresh: only a backlog skip realigns it.
    realigned_ = false;
    if (length_ > kBacklogLimit)
        SkipBacklog();
    return frame;
}

void FrameAssembler::TakeAll(std::vector<ResultFrameBytes> &frames)
{
    // The frames are copied out from a moving start; the rest is moved to the front once.
    std::size_t start = 0;
    while (length_ - start >= 2) {
        const std::size_t header = FirstHeaderFrom(start);
        if (header != start) { // resynchronised
            start = header;
            realigned_ = true;
            continue;
        }
        if (length_ - start < kFrameSize)
            break;
        ResultFrameBytes &frame = frames.emplace_back();
        std::copy_n(
            buffer_.begin() + static_cast<std::ptrdiff_t>(start), kFrameSize, frame.begin());
        start += kFrameSize;
    }
    DropFront(start);
}

void FrameAssembler::Append(const uint8_t *data, std::size_t count)
{
    if (count == 0)
        return;
    if (count > kCapacity) {
        std::memcpy(buffer_.data(), data + (count - kCapacity), kCapacity);
        length_ = kCapacity;
    } else {
        const std::size_t room = kCapacity - length_;
        const bool overflow = count > room;
        if (overflow)
            DropFront(count - room);
        std::memcpy(buffer_.data() + length_, data, count);
        length_ = static_cast<uint16_t>(length_ + count);
        if (!overflow)
            return;
    }
    // What was dropped to make room leaves the buffer inside a frame. Start at the newest
    // header: a buffer kept full and cut in the middle of a frame at every event would never
    // show a reading again.
    SkipBacklog();
}

bool FrameAssembler::StartsWithHeader() const
{
    return buffer_[0] == kFrameHeader1 && buffer_[1] == kFrameHeader2;
}

void FrameAssembler::DropFront(std::size_t count)
{
    count = std::min<std::size_t>(count, length_);
    std::memmove(buffer_.data(), buffer_.data() + count, length_ - count);
    length_ = static_cast<uint16_t>(length_ - count);
}

std::size_t FrameAssembler::FirstHeaderFrom(std::size_t k) const
{
    while (k + 1 < length_ && !(buffer_[k] == kFrameHeader1 && buffer_[k + 1] == kFrameHeader2))
        ++k;
    return k;
}

void FrameAssembler::Resynchronise()
{
    // The first AA 55 pair, or else the last byte alone.
    DropFront(FirstHeaderFrom(0));
    realigned_ = true;
}

void FrameAssembler::SkipBacklog()
{
    // The last AA 55 pair, searched from the end; kept as it is when there is none or it
    // already stands at the front.
    for (std::size_t k = length_ - 1; k-- > 0;) {
        if (buffer_[k] == kFrameHeader1 && buffer_[k + 1] == kFrameHeader2) {
            if (k > 0) {
                DropFront(k);
                realigned_ = true;
            }
            return;
        }
    }
}
