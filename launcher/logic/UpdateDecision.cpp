#include "UpdateDecision.h"

namespace vantor {

CheckDecision DecideUpdateCheck(const WorkerLook (&workers)[2]) {
    CheckDecision decision;
    bool allFailed = true;
    for (const WorkerLook& worker : workers) {
        if (worker.running) {
            allFailed = false;
            continue;
        }
        if (worker.code == kUpdateNamed) {
            decision.result = CheckResult::Named;
            for (int slot = 0; slot < 2 && decision.chosenSlot < 0; ++slot)
                for (const WorkerLook& other : workers)
                    if (other.number == slot && !other.running && other.code == kUpdateNamed) decision.chosenSlot = slot;
            return decision;
        }
        if (worker.code == kNoUpdate) {
            decision.result = CheckResult::NoUpdate;
            return decision;
        }
    }
    decision.result = allFailed ? CheckResult::Failed : CheckResult::Pending;
    return decision;
}

}  // namespace vantor
