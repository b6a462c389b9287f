// Reports the first successful login on this machine to the statistics service.
#pragma once

#include <string>

// statHost: 0 for host A, 1 for host B. Network failures are swallowed; only a
// failure to open the internet layer itself reaches the caller, as
// fw::CInternetException.
void SendLoginStatistics(int statHost, const std::string& account);
