#include "WorkerThread.h"

#include <process.h>

#include <memory>

namespace fw {

namespace {

unsigned __stdcall RunBody(void* param) {
    std::unique_ptr<std::function<unsigned()>> body(static_cast<std::function<unsigned()>*>(param));
    return (*body)();
}

}  // namespace

ScopedHandle BeginWorkerThread(std::function<unsigned()> body) {
    // _beginthreadex rather than CreateThread: the C runtime's per-thread state
    // is set up and freed with the thread.
    auto* param = new std::function<unsigned()>(std::move(body));
    ScopedHandle thread(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, RunBody, param, 0, nullptr)));
    if (!thread) delete param;
    return thread;
}

bool BeginDetachedWorker(std::function<unsigned()> body) {
    return BeginWorkerThread(std::move(body)).valid();
}

}  // namespace fw
