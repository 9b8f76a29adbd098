#pragma once
// Hands work from a port's event thread to the program's UI thread.
#include <functional>

class ComEventBridge {
public:
    virtual ~ComEventBridge() = default;
    // Runs the task on the UI thread soon; callable from any thread.
    virtual void post(std::function<void()> task) = 0;
};
