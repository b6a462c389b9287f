#include "logic/UpdateDecision.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

WorkerLook Running() { return WorkerLook{}; }
WorkerLook Ended(unsigned code, int number) { return WorkerLook{false, code, number}; }

TEST(UpdateDecision, WaitsWhileNoEndedWorkerDecides) {
    EXPECT_EQ(DecideUpdateCheck({Running(), Running()}).result, CheckResult::Pending);
    EXPECT_EQ(DecideUpdateCheck({Ended(kUpdateFailed, 0), Running()}).result, CheckResult::Pending);
    EXPECT_EQ(DecideUpdateCheck({Running(), Ended(kUpdateFailed, 1)}).result, CheckResult::Pending);
}

TEST(UpdateDecision, BothFailedFailsTheCheck) {
    EXPECT_EQ(DecideUpdateCheck({Ended(kUpdateFailed, 1), Ended(kUpdateFailed, 0)}).result, CheckResult::Failed);
}

TEST(UpdateDecision, OneAnswerDecidesWithoutWaitingForTheOther) {
    EXPECT_EQ(DecideUpdateCheck({Running(), Ended(kNoUpdate, 0)}).result, CheckResult::NoUpdate);
    CheckDecision named = DecideUpdateCheck({Ended(kUpdateNamed, 1), Running()});
    EXPECT_EQ(named.result, CheckResult::Named);
    EXPECT_EQ(named.chosenSlot, 1);
}

TEST(UpdateDecision, FirstEndedWorkerInStartOrderDecides) {
    // Start order, not host order: the first thread started may have asked host B.
    EXPECT_EQ(DecideUpdateCheck({Ended(kNoUpdate, 1), Ended(kUpdateNamed, 0)}).result, CheckResult::NoUpdate);
    EXPECT_EQ(DecideUpdateCheck({Ended(kUpdateNamed, 1), Ended(kNoUpdate, 0)}).result, CheckResult::Named);
    EXPECT_EQ(DecideUpdateCheck({Ended(kUpdateFailed, 0), Ended(kNoUpdate, 1)}).result, CheckResult::NoUpdate);
}

TEST(UpdateDecision, BothNamingChoosesHostAsSlot) {
    CheckDecision both = DecideUpdateCheck({Ended(kUpdateNamed, 1), Ended(kUpdateNamed, 0)});
    EXPECT_EQ(both.result, CheckResult::Named);
    EXPECT_EQ(both.chosenSlot, 0) << "host A's address wins when both named one";
}

}  // namespace
}  // namespace vantor
