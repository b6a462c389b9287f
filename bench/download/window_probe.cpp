// How quickly a window answers while its program works: finds a top-level
// window by its title and sends it WM_NULL with SendMessageTimeout every
// 10 ms until the window goes, then prints the worst answer time, the 99th
// percentile and the count.
//
//   window_probe.exe [--title TEXT] [--appear-seconds S] [--limit-ms L]
//                    [--until-file PATH BYTES]
//
// --until-file splits the figures: answers while PATH is smaller than BYTES
// (the download), and those after it (unpack and the rest).
// Output lines: "window_probe: <phase> count <n> worst_ms <w> p99_ms <p>
// over_limit <k> unanswered <u> limit_ms <l>". Exit code 3 when the window
// never appeared.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "LatencyStats.h"
#include "Stopwatch.h"

namespace {

// The updater's window text.
const char kUpdaterTitle[] = "Vantor登陆客户端智能升级";
constexpr DWORD kIntervalMs = 10;
constexpr UINT kAnswerTimeoutMs = 2000;   // an answer this late counts as this late

struct Options {
    std::string title = kUpdaterTitle;
    double appearSeconds = 60;
    double limitMs = 100;
    std::string untilFile;
    long long untilBytes = -1;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--title") && hasValue) {
            options.title = argv[++i];
        } else if (!std::strcmp(argv[i], "--appear-seconds") && hasValue) {
            options.appearSeconds = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--limit-ms") && hasValue) {
            options.limitMs = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--until-file") && i + 2 < argc) {
            options.untilFile = argv[++i];
            options.untilBytes = std::atoll(argv[++i]);
        } else {
            return false;
        }
    }
    return true;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct Phase {
    explicit Phase(const char* phaseName) : name(phaseName) {}
    const char* name;
    std::vector<double> latencies;
    size_t unanswered = 0;
};

void Print(const Phase& phase, double limitMs) {
    const bench::LatencySummary s = bench::Summarize(phase.latencies, phase.unanswered, limitMs);
    std::printf("window_probe: %s count %zu worst_ms %.3f p99_ms %.3f over_limit %zu unanswered %zu limit_ms %.0f\n",
                phase.name, s.count, s.worstMs, s.p99Ms, s.over, s.unanswered, limitMs);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: window_probe.exe [--title TEXT] [--appear-seconds S] [--limit-ms L] "
                             "[--until-file PATH BYTES]\n");
        return 2;
    }
    HWND window = nullptr;
    const bench::Stopwatch waiting;
    while (!(window = ::FindWindowA(nullptr, options.title.c_str()))) {
        if (waiting.Seconds() > options.appearSeconds) {
            std::fprintf(stderr, "window_probe: no window titled as asked after %.0f s\n", options.appearSeconds);
            return 3;
        }
        ::Sleep(1);
    }

    Phase during(options.untilFile.empty() ? "window" : "download");
    Phase after("after");
    bool downloaded = false;
    const bench::Stopwatch clock;
    for (double next = 0;; next += kIntervalMs / 1000.0) {
        const double wait = next - clock.Seconds();
        if (wait > 0) ::Sleep(DWORD(wait * 1000));
        if (!::IsWindow(window)) break;
        if (!options.untilFile.empty() && !downloaded) downloaded = FileSize(options.untilFile) >= options.untilBytes;
        Phase& phase = downloaded ? after : during;
        const bench::Stopwatch answer;
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result)) {
            phase.latencies.push_back(answer.Seconds() * 1000);
        } else if (!::IsWindow(window)) {
            break;
        } else {
            phase.latencies.push_back(answer.Seconds() * 1000);
            ++phase.unanswered;
        }
        // After a slow answer the next message goes 10 ms later, not in a burst to catch up.
        if (clock.Seconds() > next + kIntervalMs / 1000.0) next = clock.Seconds();
    }
    Print(during, options.limitMs);
    if (!options.untilFile.empty()) Print(after, options.limitMs);
    return 0;
}
