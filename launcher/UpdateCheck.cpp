#include "UpdateCheck.h"

#include "Deployment.h"
#include "LauncherMessages.h"
#include "framework/Internet.h"
#include "logic/UpdateInfo.h"

#include <process.h>

namespace {

const char* const kUpdateHosts[2] = {VANTOR_UPDATE_HOST_A, VANTOR_UPDATE_HOST_B};

class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&m_cs); }
    ~CriticalSection() { ::DeleteCriticalSection(&m_cs); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void Enter() { ::EnterCriticalSection(&m_cs); }
    void Leave() { ::LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

}  // namespace

struct UpdateCheckState {
    HWND dialog = nullptr;
    std::string version;           // written before the threads start, then only read
    fw::ScopedHandle updateEvent;  // auto-reset; each worker signals it once, just before it ends

    CriticalSection lock;          // guards m_nUpdateWorker and workerNumber
    int m_nUpdateWorker = 0;       // the next worker number: 0 asks host A, 1 host B
    int workerNumber[2] = {-1, -1};  // by start order: the number each thread took

    std::string updateSlot[2];     // by worker number: "Url|force" of a worker that ended with 0
    std::string updaterArg;        // written by the supervisor before it posts the result
};

namespace {

using StatePtr = std::shared_ptr<UpdateCheckState>;

struct WorkerStart {
    StatePtr state;
    int startIndex;
};

// Runs the exchange of one worker; returns its exit code.
unsigned AskUpdateHost(UpdateCheckState& state, int startIndex) {
    state.lock.Enter();
    const int number = state.m_nUpdateWorker++;
    state.workerNumber[startIndex] = number;
    state.lock.Leave();

    std::string body;
    try {
        fw::CInternetSession session("VantorLogin");
        if (state.version.empty()) return vantor::kUpdateFailed;
        fw::CHttpFile reply = session.OpenURL(vantor::UpdateInfoUrl(kUpdateHosts[number], state.version),
                                              INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                  INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_TRANSFER_ASCII);
        body = reply.ReadAll();
    } catch (const fw::CInternetException&) {
        return vantor::kUpdateFailed;
    }
    std::string arg;
    vantor::UpdateAnswer answer = vantor::ReadUpdateReply(vantor::UpdateReplyDocument(body), arg);
    if (answer == vantor::kUpdateNamed) state.updateSlot[number] = arg;
    return answer;
}

unsigned __stdcall UpdateQueryProc(void* param) {
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(param));
    unsigned code = AskUpdateHost(*start->state, start->startIndex);
    if (start->state->updateEvent) ::SetEvent(start->state->updateEvent.get());
    return code;
}

enum class CheckResult { Pending, Failed, Named, NoUpdate };

// Looks at both workers in start order, as the supervisor does after each wake-up.
CheckResult InspectWorkers(UpdateCheckState& state, const fw::ScopedHandle (&workers)[2]) {
    bool allFailed = true;
    for (int i = 0; i < 2; ++i) {
        DWORD code = vantor::kUpdateFailed;
        if (workers[i] && !::GetExitCodeThread(workers[i].get(), &code)) code = vantor::kUpdateFailed;
        if (code == STILL_ACTIVE) {
            allFailed = false;
            continue;
        }
        if (code == vantor::kUpdateNamed) {
            // The first slot, by worker number, of the workers that ended with an
            // update; a slot of a worker still running is not read.
            std::string chosen;
            for (int slot = 0; slot < 2 && chosen.empty(); ++slot)
                for (int j = 0; j < 2; ++j) {
                    DWORD other = 0;
                    if (state.workerNumber[j] == slot && workers[j] && ::GetExitCodeThread(workers[j].get(), &other) &&
                        other == vantor::kUpdateNamed)
                        chosen = state.updateSlot[slot];
                }
            state.updaterArg = chosen;
            return CheckResult::Named;
        }
        if (code == vantor::kNoUpdate) return CheckResult::NoUpdate;
    }
    return allFailed ? CheckResult::Failed : CheckResult::Pending;
}

unsigned __stdcall UpdateSupervisorProc(void* param) {
    StatePtr state(std::move(*static_cast<StatePtr*>(param)));
    delete static_cast<StatePtr*>(param);

    fw::ScopedHandle workers[2];
    for (int i = 0; i < 2; ++i) {
        auto* start = new WorkerStart{state, i};
        workers[i].reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, UpdateQueryProc, start, 0, nullptr)));
        if (!workers[i]) delete start;  // counts as a failed worker
    }

    CheckResult result;
    while ((result = InspectWorkers(*state, workers)) == CheckResult::Pending) {
        // Wake on the event and on the end of any worker still running, so that a
        // worker that signalled just before ending is never missed.
        HANDLE waitFor[3];
        DWORD count = 0;
        if (state->updateEvent) waitFor[count++] = state->updateEvent.get();
        for (const fw::ScopedHandle& worker : workers) {
            DWORD code = 0;
            if (worker && ::GetExitCodeThread(worker.get(), &code) && code == STILL_ACTIVE) waitFor[count++] = worker.get();
        }
        ::WaitForMultipleObjects(count, waitFor, FALSE, INFINITE);
    }

    for (fw::ScopedHandle& worker : workers) worker.reset();
    WPARAM wParam = result == CheckResult::NoUpdate ? 1 : 0;
    LPARAM lParam = result == CheckResult::Failed ? 1 : 0;
    ::PostMessageA(state->dialog, WM_UPDATE_RESULT, wParam, lParam);
    return 0;
}

}  // namespace

bool UpdateCheck::Start(HWND dialog, HANDLE updateEvent, const std::string& version) {
    m_state = std::make_shared<UpdateCheckState>();
    m_state->dialog = dialog;
    m_state->version = version;
    HANDLE duplicate = nullptr;
    if (updateEvent && ::DuplicateHandle(::GetCurrentProcess(), updateEvent, ::GetCurrentProcess(), &duplicate, 0,
                                         FALSE, DUPLICATE_SAME_ACCESS))
        m_state->updateEvent.reset(duplicate);

    auto* param = new StatePtr(m_state);
    m_supervisor.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, UpdateSupervisorProc, param, 0, nullptr)));
    if (!m_supervisor) {
        delete param;
        return false;
    }
    return true;
}

std::string UpdateCheck::UpdaterArg() const { return m_state ? m_state->updaterArg : std::string(); }
