// Counts live objects and LockServer calls, so that DllCanUnloadNow can tell
// COM whether the DLL may be unloaded.
#pragma once

namespace playmoor {

void LockModule();
void UnlockModule();
bool ModuleInUse();

}  // namespace playmoor
