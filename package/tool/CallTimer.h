// Measures one call with the performance counter, for parcel's --timing option:
// the seconds spent inside ComposeFile or DecomposeFile alone, without the
// process start and the DLL loading around them.
#pragma once

#include <windows.h>

class CCallTimer {
public:
    CCallTimer() { QueryPerformanceCounter(&m_start); }
    double Seconds() const {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return double(now.QuadPart - m_start.QuadPart) / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start;
};
