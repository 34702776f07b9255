// Benchmark (group "bench"): VESKOR1.EXE from its start until the console
// window of its program exists, against a minimal launcher doing the same
// CreateProcessA and window search; and the CPU time each spends, most of it
// waiting for the window.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "harness.h"
#include "winutil.h"
#include "zmv_setup.h"

namespace e2e {

void ReportRatio(const char* what, const char* ours, const std::vector<double>& a, const char* reference,
                 const std::vector<double>& b);

namespace {

struct Timing {
    double untilWindowMs = -1;
    double cpuMs = 0;
    double lifeMs = 0;
};

Timing TimeUntilWindow(const std::string& commandLine, const std::string& folder, const std::string& title) {
    Timing t;
    Process p;
    const double t0 = NowMs();
    if (!p.Start(commandLine, folder)) return t;
    while (NowMs() - t0 < 20000) {
        if (FindWindowA(nullptr, title.c_str())) {
            t.untilWindowMs = NowMs() - t0;
            break;
        }
        Sleep(1);
    }
    CHECK_MSG(t.untilWindowMs >= 0, "no window titled " + title);
    p.WaitExit(20000);
    t.lifeMs = NowMs() - t0;
    t.cpuMs = CpuMs(p.handle());
    p.WaitJobEmpty(20000);
    return t;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

E2E_CASE("bench", console_launcher_until_console_window) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "600");
    const ZmvLayout l = MakeZmvLayout("bench-zmv");
    CopyProgram("minconsole.exe", Join(l.inst, "minconsole.exe"));
    std::vector<double> ours, reference, oursCpu, referenceCpu, oursLife, referenceLife;
    for (int i = 0; i < 19; ++i) {
        const bool warm = i < 3;  // the file cache, for both
        const std::string title = "Bench Console " + std::to_string(i);
        WriteText(l.zmv(), "PROGNAME: " + l.program + "\r\nTITLEBAR: " + title + "\r\nFONTTYPE: TT\r\nFONTSIZE: max\r\n");
        const Timing a = TimeUntilWindow("\"" + l.launcher() + "\"", l.inst, title);
        const Timing b = TimeUntilWindow("\"" + Join(l.inst, "minconsole.exe") + "\" \"" + l.program + "\" \"" + title +
                                             " ref\"",
                                         l.inst, title + " ref");
        if (warm) continue;
        ours.push_back(a.untilWindowMs);
        reference.push_back(b.untilWindowMs);
        oursCpu.push_back(a.cpuMs);
        referenceCpu.push_back(b.cpuMs);
        oursLife.push_back(a.lifeMs);
        referenceLife.push_back(b.lifeMs);
    }
    ReportRatio("VESKOR1.EXE start until the console window exists", "VESKOR1.EXE", ours, "minimal launcher",
                reference);
    char line[256];
    std::snprintf(line, sizeof line,
                  "CPU time: VESKOR1.EXE median %.1f ms over a life of %.0f ms (window wait and 250 ms pause "
                  "included); minimal launcher %.1f ms over %.0f ms",
                  Median(oursCpu), Median(oursLife), Median(referenceCpu), Median(referenceLife));
    Report("bench.txt", line);

    // The whole wait of a program whose window never comes: 30001 looks.
    CopyProgram("recorder.exe", l.program);
    WriteText(l.zmv(), "PROGNAME: " + l.program + "\r\nTITLEBAR: Bench No Window\r\n");
    const LaunchRun idle = RunLauncher(l.launcher(), "", l.inst);
    CHECK_EQ(idle.boxes.size(), static_cast<std::size_t>(1));
    const LaunchRun idleReference = RunLauncher(Join(l.inst, "minconsole.exe"),
                                                "\"" + l.program + "\" \"Bench No Window\"", l.inst);
    const auto share = [](const LaunchRun& r) { return r.elapsedMs > 0 ? 100.0 * r.cpuMs / r.elapsedMs : 0.0; };
    std::snprintf(line, sizeof line,
                  "CPU time over a full window wait (30001 looks): VESKOR1.EXE %.0f ms in %.0f ms (%.1f%% of one "
                  "processor), minimal launcher %.0f ms in %.0f ms (%.1f%%)",
                  idle.cpuMs, idle.elapsedMs, share(idle), idleReference.cpuMs, idleReference.elapsedMs,
                  share(idleReference));
    Report("bench.txt", line);
}

}  // namespace
}  // namespace e2e
