#include "UpdateCheck.h"

#include "Deployment.h"
#include "LauncherMessages.h"
#include "WorkerWatch.h"
#include "framework/Internet.h"
#include "logic/UpdateDecision.h"
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

unsigned __stdcall UpdateSupervisorProc(void* param) {
    StatePtr state(std::move(*static_cast<StatePtr*>(param)));
    delete static_cast<StatePtr*>(param);

    fw::ScopedHandle workers[2];
    for (int i = 0; i < 2; ++i) {
        auto* start = new WorkerStart{state, i};
        workers[i].reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, UpdateQueryProc, start, 0, nullptr)));
        if (!workers[i]) delete start;  // counts as a failed worker
    }

    vantor::CheckDecision decision;
    for (;;) {
        const WorkerSnapshot seen = LookAtWorkers(workers, vantor::kUpdateFailed);
        vantor::WorkerLook looks[2];
        for (int i = 0; i < 2; ++i) {
            looks[i].running = seen.running[i];
            looks[i].code = seen.code[i];
            // Written by the worker before its thread ended: read only for ended ones.
            looks[i].number = seen.running[i] ? -1 : state->workerNumber[i];
        }
        decision = vantor::DecideUpdateCheck(looks);
        if (decision.result != vantor::CheckResult::Pending) break;
        WaitForWorkerChange(state->updateEvent.get(), workers, seen);
    }
    if (decision.result == vantor::CheckResult::Named && decision.chosenSlot >= 0)
        state->updaterArg = state->updateSlot[decision.chosenSlot];

    for (fw::ScopedHandle& worker : workers) worker.reset();
    WPARAM wParam = decision.result == vantor::CheckResult::NoUpdate ? 1 : 0;
    LPARAM lParam = decision.result == vantor::CheckResult::Failed ? 1 : 0;
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
