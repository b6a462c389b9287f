#include "WorkerWatch.h"

WorkerSnapshot LookAtWorkers(const fw::ScopedHandle (&workers)[2], DWORD missingCode) {
    WorkerSnapshot snapshot{};
    for (int i = 0; i < 2; ++i) {
        DWORD code = missingCode;
        if (workers[i] && !::GetExitCodeThread(workers[i].get(), &code)) code = missingCode;
        snapshot.code[i] = code;
        snapshot.running[i] = code == STILL_ACTIVE;
    }
    return snapshot;
}

void WaitForWorkerChange(HANDLE event, const fw::ScopedHandle (&workers)[2], const WorkerSnapshot& seen) {
    HANDLE waitFor[3];
    DWORD count = 0;
    if (event) waitFor[count++] = event;
    for (int i = 0; i < 2; ++i)
        if (seen.running[i]) waitFor[count++] = workers[i].get();
    if (count > 0) ::WaitForMultipleObjects(count, waitFor, FALSE, INFINITE);
}
