// Benchmarks (group "bench", run by `make bench`, not by the test suite): each
// times a program of ours against a minimal reference program doing the same
// platform work, alternating the two in one Wine session, and reports the
// ratio of their medians.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {
namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Times a command line until the fixture it starts signals.
double TimeUntilSignal(const std::string& commandLine, const std::string& folder) {
    StartSignal started;
    Process p;
    const double t0 = NowMs();
    if (!p.Start(commandLine, folder)) return -1;
    const bool ok = started.Wait(20000);
    const double t = NowMs() - t0;
    p.WaitJobEmpty(10000);
    CHECK_MSG(ok, commandLine + " did not start the fixture");
    return t;
}

}  // namespace

void ReportRatio(const char* what, const char* ours, const std::vector<double>& a, const char* reference,
                 const std::vector<double>& b) {
    char line[512];
    const double ma = Median(a), mb = Median(b);
    std::snprintf(line, sizeof line, "%s: %s median %.1f ms, %s median %.1f ms, ratio %.2f (%zu runs each)", what,
                  ours, ma, reference, mb, mb > 0 ? ma / mb : 0.0, a.size());
    Report("bench.txt", line);
}

namespace {

E2E_CASE("bench", client_start_until_console_launcher_runs) {
    const Installation in = MakeInstallation("bench-client");
    CopyProgram("minstart.exe", Join(in.inst, "minstart.exe"));
    const std::string ours = "\"" + Join(in.inst, "VESKOR.EXE") + "\"";
    const std::string bare = "\"" + Join(in.inst, "minstart.exe") + "\"";
    const std::string withInit = bare + " init";
    std::vector<double> a, b, c;
    for (int i = 0; i < 3; ++i) {  // warm the file cache for all three
        TimeUntilSignal(ours, in.inst);
        TimeUntilSignal(bare, in.inst);
        TimeUntilSignal(withInit, in.inst);
    }
    for (int i = 0; i < 21; ++i) {
        a.push_back(TimeUntilSignal(ours, in.inst));
        b.push_back(TimeUntilSignal(bare, in.inst));
        c.push_back(TimeUntilSignal(withInit, in.inst));
    }
    ReportRatio("VESKOR.EXE start until VESKOR1.EXE runs", "VESKOR.EXE", a, "minimal launcher", b);
    ReportRatio("VESKOR.EXE start until VESKOR1.EXE runs", "VESKOR.EXE", a,
                "minimal launcher with the form programs' start-up initialisation", c);
}

}  // namespace
}  // namespace e2e
