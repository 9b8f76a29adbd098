#include "CommandParser.h"

std::vector<ReceivedCommand> CommandParser::Feed(const uint8_t *data, std::size_t count)
{
    std::vector<ReceivedCommand> commands;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t b = data[i];
        if (have_ == 0) {
            if (b == 0xAA)
                frame_[have_++] = b;
        } else if (have_ == 1) {
            // AA AA: the second one may start the header.
            if (b == 0x55)
                frame_[have_++] = b;
            else if (b != 0xAA)
                have_ = 0;
        } else {
            frame_[have_++] = b;
            if (have_ == frame_.size()) {
                commands.push_back({static_cast<char>(frame_[2]), frame_[3],
                    static_cast<uint16_t>(frame_[4] | (frame_[5] << 8))});
                have_ = 0;
            }
        }
    }
    return commands;
}
