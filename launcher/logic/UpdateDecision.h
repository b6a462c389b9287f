// What the update supervisor makes of its two workers after each look at them:
// still waiting, or the answer of the whole check. Kept apart from the threads
// so that the rule is tested natively.
#pragma once

#include "UpdateInfo.h"

namespace vantor {

// One worker as the supervisor last saw it.
struct WorkerLook {
    bool running = true;           // its thread had not ended yet
    unsigned code = kUpdateFailed;  // its exit code (an UpdateAnswer) once ended
    int number = -1;               // the worker number it took (0 asks host A, 1 host B); -1 before
};

enum class CheckResult { Pending, Failed, Named, NoUpdate };

struct CheckDecision {
    CheckResult result = CheckResult::Pending;
    int chosenSlot = -1;  // for Named: the worker number whose "Url|force" slot is passed on
};

// Looks at the workers in start order: the first ended one that named an update
// or found none decides; running ones are passed over. Of the workers that
// ended naming an update, the lowest worker number's slot is chosen. Failed
// when both have ended and neither decided.
CheckDecision DecideUpdateCheck(const WorkerLook (&workers)[2]);

}  // namespace vantor
