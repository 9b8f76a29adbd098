#include "Reference.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {
constexpr char kEsc = '\x1B';
constexpr char kCr = '\r';
// A command longer than this without its CR is noise.
constexpr std::size_t kLongestCommand = 32;
constexpr std::string_view kZeros = "00000000";

bool isModeLetters(std::string_view text)
{
    return text == "LO1" || text == "LO2";
}
} // namespace

Reference::Reference(const ReferenceOptions &options, const FieldModel &field, double scale,
    SimClock::time_point start)
    : options_(options)
    , field_(field)
    , scale_(scale)
    , start_(start)
{
}

SimClock::time_point Reference::Tick(SimClock::time_point now)
{
    if (!delayed_.empty() && delayedDue_ <= now) {
        Send(delayed_);
        delayed_.clear();
    }
    // Otherwise it only answers.
    return delayed_.empty() ? now + std::chrono::hours(1) : delayedDue_;
}

std::pair<char, std::string> Reference::Reading(double value)
{
    std::pair<char, std::string> best {'7', value < 0 ? "-9999" : "99999"};
    double finest = std::numeric_limits<double>::infinity();
    for (int code = 1; code <= 7; ++code) {
        const double multiplier = std::pow(10.0, code - 5);
        for (int decimals = 3; decimals >= 0; --decimals) {
            char text[64];
            const auto [end, ec] = std::to_chars(
                text, text + sizeof text, value / multiplier, std::chars_format::fixed, decimals);
            if (ec != std::errc() || end - text != 5)
                continue;
            const double step = multiplier * std::pow(10.0, -decimals);
            if (step < finest) {
                finest = step;
                best = {static_cast<char>('0' + code), std::string(text, 5)};
            }
        }
    }
    return best;
}

void Reference::OnBytes(const uint8_t *data, std::size_t count, SimClock::time_point now)
{
    received_.append(reinterpret_cast<const char *>(data), count);
    while (!received_.empty()) {
        if (received_.front() == kEsc) {
            const std::size_t cr = received_.find(kCr);
            if (cr == std::string::npos) {
                if (received_.size() <= kLongestCommand)
                    return; // the rest is on its way
                received_.erase(0, 1);
                continue;
            }
            const std::string command = received_.substr(1, cr - 1);
            received_.erase(0, cr + 1);
            Command(command, now);
        } else if (options_.shortModeReply
            && isModeLetters(std::string_view(received_).substr(0, 3))) {
            const std::string letters = received_.substr(0, 3);
            received_.erase(0, 3);
            Mode(letters);
        } else if (options_.shortModeReply && received_.size() < 3
            && (std::string_view("LO1").starts_with(received_)
                || std::string_view("LO2").starts_with(received_))) {
            return; // perhaps the start of bare letters
        } else {
            received_.erase(0, 1);
        }
    }
}

void Reference::Command(const std::string &command, SimClock::time_point now)
{
    if (isModeLetters(command)) {
        Mode(command);
        return;
    }
    // "ME", one channel character, eight zeros.
    const std::string_view text = command;
    if (text.size() != 2 + 1 + kZeros.size() || !text.starts_with("ME") || !text.ends_with(kZeros)
        || options_.silent)
        return;
    char channel = text[2];
    if (options_.wrongChannel)
        channel = channel == '1' ? '2' : '1';
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const auto [code, digits] = options_.reading.empty()
        ? Reading(field_.TrueField(seconds) * scale_)
        : std::pair<char, std::string> {'5', options_.reading};
    std::string reply
        = std::string("ME") + channel + options_.classifier + code + '0' + digits + kCr;
    if (options_.garbage)
        reply = "#?x\x7f%&*q!~=\r";
    if (options_.replyDelayMs > 0) {
        delayed_ = reply;
        delayedDue_ = now + std::chrono::milliseconds(options_.replyDelayMs);
        return;
    }
    Send(reply);
}

void Reference::Mode(const std::string &letters)
{
    std::printf("W %s\n", letters.c_str());
    std::fflush(stdout);
    if (!options_.silent)
        Send(options_.shortModeReply ? letters : letters + kCr);
}

void Reference::Send(const std::string &text)
{
    pty_.Write(reinterpret_cast<const uint8_t *>(text.data()), text.size());
}
