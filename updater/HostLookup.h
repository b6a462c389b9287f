// The name look-up of the updater's socket client, bounded: the system
// resolver has time-outs of its own (tens of seconds with a dead name
// server) and no way to be stopped, so it runs on a thread of its own and
// the caller stops waiting when its time is up or it is told to stop.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <string>

// Looks up host (a name or dotted-decimal text) and gives its first IPv4
// address; true when that came within timeoutMs and before *stop (may be null)
// became non-zero. A look-up given up on ends on its own later.
using HostResolver = bool (*)(const std::string& host, in_addr* address);
bool LookUpHost(const char* host, int timeoutMs, const std::atomic<int>* stop, in_addr* address);
bool LookUpHost(const char* host, int timeoutMs, const std::atomic<int>* stop, in_addr* address,
                HostResolver resolve);

// gethostbyname, which serves names and dotted-decimal text alike.
bool ResolveWithSystem(const std::string& host, in_addr* address);
