// The update supervisor's view of its worker threads: one look at both, and a
// wait that ends when anything may have changed since that look.
#pragma once

#include "framework/ScopedHandles.h"

#include <windows.h>

struct WorkerSnapshot {
    DWORD code[2];     // exit codes (STILL_ACTIVE while running); a missing thread counts as ended
    bool running[2];
};

// Reads both workers' exit codes once. missingCode stands for a worker whose
// thread could not be started or read.
WorkerSnapshot LookAtWorkers(const fw::ScopedHandle (&workers)[2], DWORD missingCode);

// Waits on the event (may be null) and on every worker that was running in the
// snapshot. A worker that ended after the snapshot was taken is signalled
// already, so its end is never missed, even when its signal of the shared
// event has been taken by an earlier wake-up.
void WaitForWorkerChange(HANDLE event, const fw::ScopedHandle (&workers)[2], const WorkerSnapshot& seen);
