// The --timing option of parcel.exe and of the host build's parcel_host: the
// seconds spent inside ComposeFile or DecomposeFile alone, without the process
// start and the DLL loading around them, printed as one last line on stdout.
// Platform-free, so that both tools measure and print alike.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstring>

class CCallTimer {
public:
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - m_start).count(); }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_start = Clock::now();
};

// "timing: ComposeFile 0.012345 s"
inline void PrintTiming(const char* function, double seconds) {
    std::printf("timing: %s %.6f s\n", function, seconds);
}

// Takes a leading "--timing" off the arguments; true when it was there.
inline bool TakeTimingOption(int& argc, char**& argv) {
    if (argc < 2 || std::strcmp(argv[1], "--timing") != 0) return false;
    ++argv;
    --argc;
    return true;
}
