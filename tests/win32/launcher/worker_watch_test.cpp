// The update supervisor's wait must never miss a worker's end: the worker
// signals the shared auto-reset event just before its thread ends, and one
// wake-up of the supervisor can take the signals of both workers while they
// are still seen running.
#include "WorkerWatch.h"

#include <gtest/gtest.h>

#include <process.h>

namespace {

const DWORD kHangGuardMs = 10000;  // far beyond any wait that is meant to return

struct Worker {
    HANDLE event;     // signalled just before the thread ends
    HANDLE gate;      // the thread ends only once this is set
    DWORD code;
};

unsigned __stdcall WorkerProc(void* param) {
    Worker* worker = static_cast<Worker*>(param);
    ::WaitForSingleObject(worker->gate, INFINITE);
    ::SetEvent(worker->event);
    return worker->code;
}

struct Waiter {
    HANDLE event;
    const fw::ScopedHandle (*workers)[2];
    WorkerSnapshot seen;
};

unsigned __stdcall WaiterProc(void* param) {
    Waiter* waiter = static_cast<Waiter*>(param);
    WaitForWorkerChange(waiter->event, *waiter->workers, waiter->seen);
    return 0;
}

class WorkerWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        event.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        for (int i = 0; i < 2; ++i) {
            gates[i].reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
            state[i] = Worker{event.get(), gates[i].get(), static_cast<DWORD>(i + 1)};
            workers[i].reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, WorkerProc, &state[i], 0, nullptr)));
            ASSERT_TRUE(workers[i]);
        }
    }

    void TearDown() override {
        for (int i = 0; i < 2; ++i) {
            ::SetEvent(gates[i].get());
            if (workers[i]) ::WaitForSingleObject(workers[i].get(), kHangGuardMs);
        }
    }

    // Lets worker i run to its end and waits for its thread to be gone.
    void EndWorker(int i) {
        ::SetEvent(gates[i].get());
        ASSERT_EQ(::WaitForSingleObject(workers[i].get(), kHangGuardMs), WAIT_OBJECT_0);
    }

    // Starts WaitForWorkerChange on a thread of its own.
    fw::ScopedHandle StartWaiting(const WorkerSnapshot& seen) {
        waiter = Waiter{event.get(), &workers, seen};
        return fw::ScopedHandle(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, WaiterProc, &waiter, 0, nullptr)));
    }

    fw::ScopedHandle event;
    fw::ScopedHandle gates[2];
    Worker state[2];
    fw::ScopedHandle workers[2];
    Waiter waiter{};
};

TEST_F(WorkerWatchTest, SnapshotTellsRunningFromEndedWorkers) {
    WorkerSnapshot first = LookAtWorkers(workers, 99);
    EXPECT_TRUE(first.running[0] && first.running[1]);
    EndWorker(1);
    WorkerSnapshot second = LookAtWorkers(workers, 99);
    EXPECT_TRUE(second.running[0]);
    EXPECT_FALSE(second.running[1]);
    EXPECT_EQ(second.code[1], 2u);

    fw::ScopedHandle none[2];
    WorkerSnapshot missing = LookAtWorkers(none, 99);
    EXPECT_FALSE(missing.running[0] || missing.running[1]);
    EXPECT_EQ(missing.code[0], 99u) << "a worker that never started counts as ended with the given code";
}

TEST_F(WorkerWatchTest, WorkersThatEndedAfterTheLookWakeTheWaitEvenWithTheirSignalsTaken) {
    const WorkerSnapshot seen = LookAtWorkers(workers, 99);  // both running
    EndWorker(0);
    EndWorker(1);
    ::ResetEvent(event.get());  // an earlier wake-up took both signals

    fw::ScopedHandle waiting = StartWaiting(seen);
    ASSERT_TRUE(waiting);
    EXPECT_EQ(::WaitForSingleObject(waiting.get(), kHangGuardMs), WAIT_OBJECT_0)
        << "the supervisor would wait for ever on an event that no worker will signal again";
}

TEST_F(WorkerWatchTest, AnEndedWorkerDoesNotKeepWakingTheWait) {
    EndWorker(0);
    ::ResetEvent(event.get());
    const WorkerSnapshot seen = LookAtWorkers(workers, 99);  // 0 ended, 1 running

    fw::ScopedHandle waiting = StartWaiting(seen);
    ASSERT_TRUE(waiting);
    EXPECT_EQ(::WaitForSingleObject(waiting.get(), 300), static_cast<DWORD>(WAIT_TIMEOUT))
        << "waiting on the ended worker's handle would turn the wait into a busy loop";
    ::SetEvent(gates[1].get());
    EXPECT_EQ(::WaitForSingleObject(waiting.get(), kHangGuardMs), WAIT_OBJECT_0);
}

}  // namespace
