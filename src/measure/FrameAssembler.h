#pragma once
// The assembly buffer in which the meter's 7-byte result frames are put together from the
// bytes of successive receive events. It finds frame boundaries only; decoding the frame is
// the caller's business (the main window and the calibration wizard read it differently).
//
// Each Feed is one receive event: append the bytes, then at most one frame step:
//  - when the buffer does not start with AA 55, resynchronise to the first AA 55 pair
//    (with none, keep only the last byte, which may be the first half of a header) and stop;
//  - with fewer than 7 bytes held, wait for more;
//  - otherwise take the first 7 bytes as the frame and, when more than two whole frames are
//    still held, skip the backlog: keep from the last AA 55 pair so the next frame is the
//    newest one.
// After a resynchronisation or a backlog skip the next frame is taken on the next event.
//
// The buffer never holds more than 255 bytes. When an event brings more than fits, the
// oldest bytes are dropped, the newest 255 kept, and of those the part from the last AA 55
// pair on: the reading wanted is the newest one.
#include "measure/ResultFrame.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

class FrameAssembler {
public:
    static constexpr std::size_t kCapacity = 255;
    static constexpr std::size_t kFrameSize = 7;
    // More bytes than this left after a frame is a backlog (more than two whole frames).
    static constexpr std::size_t kBacklogLimit = 2 * kFrameSize;

    // One receive event: appends count bytes and makes one frame step. Returns the frame
    // taken in this step, if any; it always starts with AA 55.
    std::optional<ResultFrameBytes> Feed(const uint8_t *data, std::size_t count);
    // Drops every held byte.
    void Clear() { length_ = 0; }

    uint16_t Length() const { return length_; }
    const uint8_t *Data() const { return buffer_.data(); }
    // True when the bytes held after the last Feed were realigned to a header by it (a
    // resynchronisation, a backlog skip, or the cut after an overflow with no frame taken).
    bool LastStepRealigned() const { return realigned_; }

private:
    void Append(const uint8_t *data, std::size_t count);
    bool StartsWithHeader() const;
    void DropFront(std::size_t count);
    void Resynchronise();
    void SkipBacklog();

    std::array<uint8_t, kCapacity> buffer_ {};
    uint16_t length_ = 0;
    bool realigned_ = false;
};
