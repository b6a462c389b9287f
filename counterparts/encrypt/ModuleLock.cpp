#include "ModuleLock.h"

#include <windows.h>

namespace playmoor {
namespace {
volatile LONG g_nLocks = 0;
}

void LockModule() { ::InterlockedIncrement(&g_nLocks); }
void UnlockModule() { ::InterlockedDecrement(&g_nLocks); }
bool ModuleInUse() { return ::InterlockedCompareExchange(&g_nLocks, 0, 0) != 0; }

}  // namespace playmoor
