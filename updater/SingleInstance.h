// One updater at a time: a named semaphore marks the running instance, and a
// window property of the same name marks its dialog so a second start can
// bring it forward.
#pragma once

#include "framework/ScopedHandles.h"

#include <windows.h>

// Creates the semaphore named name into held, which keeps it for the life of
// this instance. Returns false when another instance holds it already, after
// bringing that instance's window forward.
bool ClaimSingleInstance(const char* name, fw::ScopedHandle& held);

// Brings the top-level window that carries property name forward: restored if
// minimised, then it and its last active pop-up to the foreground.
void ActivateInstanceWindow(const char* name);
