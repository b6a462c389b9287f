// Worker threads of the programs. A worker gets its work as a function object
// and reports to a window only by posting messages (see WindowNotify.h).
#pragma once

#include "ScopedHandles.h"

#include <functional>

namespace fw {

// Starts body on a new thread with default security and stack size, running at
// once. The result owns the thread handle (wait on it, then let it go); it is
// empty when the thread could not be started, and body then never runs.
ScopedHandle BeginWorkerThread(std::function<unsigned()> body);

// Starts body on a thread that nobody waits for: its handle is closed at once.
// False when the thread could not be started.
bool BeginDetachedWorker(std::function<unsigned()> body);

}  // namespace fw
