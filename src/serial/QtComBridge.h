#pragma once
// Carries serial port events to the Qt application's thread through its event queue.
#include "serial/ComEventBridge.h"

class QtComBridge final : public ComEventBridge {
public:
    // Queues the task on the application object; dropped when there is no application.
    void post(std::function<void()> task) override;
};
