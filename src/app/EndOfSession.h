#pragma once
// The program asked from outside to end: a termination, hang-up or interrupt signal on POSIX,
// the end of the session on Windows. The handler runs on the user-interface thread, from the
// event loop, and asks nothing: the program is expected to save what it must and end.
#include <functional>

class QObject;

// mustQuit: true when the program itself is to end now (a signal); false when the session
// ends it right after the handler returns. Watches as long as owner lives.
void WatchEndOfSession(QObject *owner, std::function<void(bool mustQuit)> handler);
