#pragma once
// The assembly buffer in which the meter's 7-byte result frames are put together from the
// bytes of successive receive events. It finds frame boundaries only; decoding the frame is
// the caller's business (the main window and the calibration wizard read it differently).
//
// A frame step: when the buffer does not start with AA 55, resynchronise to the first AA 55
// pair (with none, keep only the last byte, which may be the first half of a header); with
// fewer than 7 bytes held, wait for more; otherwise the first 7 bytes are the frame.
//
// Two ways to take frames, one per kind of link:
//  - ReadEvent takes every whole frame an event brings, oldest first (the live display and
//    recording, which must see every result; a USB serial adapter hands over two or three
//    frames per event). The event's bytes are read in blocks that fit the room left, and the
//    frames are taken as each block completes them, so nothing is dropped and a backlog of
//    any size is worked through in one pass; a resynchronisation does not end the event.
//  - Feed makes at most one frame step per event (the calibration wizard, whose every event
//    also measures the reference). It appends all the event brings and, when more than two
//    whole frames are still held after a frame, skips the backlog: keeps from the last AA 55
//    pair so the next frame is the newest one. After a resynchronisation or a backlog skip
//    the next frame is taken on the next event.
//
// The buffer never holds more than 255 bytes. When an event brings Feed more than fits, the
// oldest bytes are dropped, the newest 255 kept, and of those the part from the last AA 55
// pair on: the reading wanted is the newest one.
#include "measure/ResultFrame.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class FrameAssembler {
public:
    static constexpr std::size_t kCapacity = 255;
    static constexpr std::size_t kFrameSize = 7;
    // More bytes than this left after a frame is a backlog (more than two whole frames).
    static constexpr std::size_t kBacklogLimit = 2 * kFrameSize;

    // One receive event: appends count bytes and makes one frame step. Returns the frame
    // taken in this step, if any; it always starts with AA 55.
    std::optional<ResultFrameBytes> Feed(const uint8_t *data, std::size_t count);
    // One receive event that takes every whole frame: reads `waiting` bytes with
    // read(destination, count), which returns how many it gave (fewer when no more were
    // there), straight into the buffer in blocks no larger than the room left, and appends
    // every frame completed to `frames`. Bytes it does not read stay with the port.
    template <typename Read>
    void ReadEvent(std::size_t waiting, Read &&read, std::vector<ResultFrameBytes> &frames);
    // Drops every held byte.
    void Clear() { length_ = 0; }

    uint16_t Length() const { return length_; }
    const uint8_t *Data() const { return buffer_.data(); }
    // True when the bytes held after the last Feed were realigned to a header by it (a
    // resynchronisation, a backlog skip, or the cut after an overflow with no frame taken), or
    // when the last ReadEvent resynchronised.
    bool LastStepRealigned() const { return realigned_; }

private:
    void Append(const uint8_t *data, std::size_t count);
    void TakeAll(std::vector<ResultFrameBytes> &frames);
    bool StartsWithHeader() const;
    // The first position from k on where an AA 55 pair starts, or else the last position.
    std::size_t FirstHeaderFrom(std::size_t k) const;
    void DropFront(std::size_t count);
    void Resynchronise();
    void SkipBacklog();

    std::array<uint8_t, kCapacity> buffer_ {};
    uint16_t length_ = 0;
    bool realigned_ = false;
};

template <typename Read>
void FrameAssembler::ReadEvent(
    std::size_t waiting, Read &&read, std::vector<ResultFrameBytes> &frames)
{
    realigned_ = false;
    while (waiting > 0) {
        // After TakeAll fewer than 7 bytes are held, so each block has room for 248 or more.
        const std::size_t wanted = std::min(waiting, kCapacity - length_);
        if (wanted == 0)
            return;
        const std::size_t got
            = std::min<std::size_t>(read(buffer_.data() + length_, wanted), wanted);
        length_ = static_cast<uint16_t>(length_ + got);
        waiting -= got;
        TakeAll(frames);
        if (got < wanted)
            return;
    }
}
