#pragma once
// How the simulated reference instrument misbehaves, for tests.
#include <string>

struct ReferenceOptions {
    bool silent = false; // answers nothing
    bool wrongChannel = false; // measure replies name another channel than the one asked for
    char classifier = '0'; // the classifier of measure replies; anything but '0' is a fault
    // Mode replies are the bare letters ("LO2", no CR), and the bare letters are taken as the
    // mode command again, so a program that repeats the exchange on them is answered each time.
    bool shortModeReply = false;
    bool garbage = false; // measure replies are 12 bytes of garbage
    int replyDelayMs = 0; // measure replies go out this long after the request
    std::string reading; // measure replies carry these five characters (decade code 5)
};
