// Benchmarks (group "bench", run by `make bench`, not by the test suite): each
// times a program of ours against a minimal reference program doing the same
// platform work, alternating them in one Wine session after a few runs that
// warm the file cache, and reports the ratio of their medians.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "config_window.h"
#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"
#include "zmv_setup.h"
#include "zmv_start.h"

namespace e2e {
namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void ReportRatio(const char* what, const char* ours, const std::vector<double>& a, const char* reference,
                 const std::vector<double>& b) {
    char line[512];
    const double ma = Median(a), mb = Median(b);
    // Each run against the reference run next to it: the load that other
    // programs put on the machine changes slowly and mostly cancels out.
    std::vector<double> paired;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (b[i] > 0) paired.push_back(a[i] / b[i]);
    std::snprintf(line, sizeof line,
                  "%s: %s median %.1f ms, %s median %.1f ms, ratio %.2f, median of paired ratios %.2f (%zu runs each)",
                  what, ours, ma, reference, mb, mb > 0 ? ma / mb : 0.0, Median(paired), a.size());
    Report("bench.txt", line);
}

// Runs each timing in turn, warm times unrecorded, then runs times recorded.
std::vector<std::vector<double>> Alternate(int warm, int runs, const std::vector<std::function<double()>>& timings) {
    std::vector<std::vector<double>> results(timings.size());
    for (int i = 0; i < warm + runs; ++i)
        for (std::size_t k = 0; k < timings.size(); ++k) {
            const double t = timings[k]();
            if (i >= warm) results[k].push_back(t);
        }
    return results;
}

// Milliseconds from the start of p until ready() holds, polled every millisecond.
double TimeUntil(Process& p, const std::string& commandLine, const std::string& folder,
                 const std::function<bool()>& ready) {
    const double t0 = NowMs();
    if (!p.Start(commandLine, folder)) return -1;
    while (NowMs() - t0 < 20000) {
        if (ready()) return NowMs() - t0;
        Sleep(1);
    }
    Fail(__FILE__, __LINE__, commandLine + " never got ready");
    return -1;
}

double TimeUntilSignal(const std::string& commandLine, const std::string& folder) {
    StartSignal started;
    Process p;
    const double t = TimeUntil(p, commandLine, folder, [&] { return started.Wait(0); });
    p.WaitJobEmpty(10000);
    return t;
}

// Until a visible window of the class is ready; the window is then closed.
double TimeUntilFormReady(const std::string& commandLine, const std::string& folder, const char* formClass,
                          bool (*ready)(HWND form)) {
    Process p;
    HWND form = nullptr;
    const double t = TimeUntil(p, commandLine, folder, [&] {
        if (!form) form = FindProcessWindow(p.id(), formClass);
        if (form && !IsWindowVisible(form)) form = nullptr;
        return form && ready(form);
    });
    if (form) PostMessageA(form, WM_CLOSE, 0, 0);
    CHECK_EQ(p.WaitExit(10000), 0ul);
    return t;
}

E2E_CASE("bench", client_start_until_console_launcher_runs) {
    const Installation in = MakeInstallation("bench-client");
    CopyProgram("minstart.exe", Join(in.inst, "minstart.exe"));
    const std::string ours = "\"" + Join(in.inst, "VESKOR.EXE") + "\"";
    const std::string bare = "\"" + Join(in.inst, "minstart.exe") + "\"";
    const auto r = Alternate(3, 31, {[&] { return TimeUntilSignal(ours, in.inst); },
                                     [&] { return TimeUntilSignal(bare, in.inst); }});
    ReportRatio("VESKOR.EXE start until VESKOR1.EXE runs", "VESKOR.EXE", r[0],
                "minimal launcher with the form programs' start-up initialisation", r[1]);
}

// From the start of VESKORCFG.EXE until its form shows the loaded settings,
// against a window with thirty controls that then sets the status labels.
E2E_CASE("bench", config_form_until_settings_shown) {
    const Installation in = MakeInstallation("bench-config");
    CopyProgram("VESKORCFG.EXE", Join(in.inst, "VESKORCFG.EXE"));
    CopyProgram("minform.exe", Join(in.inst, "minform.exe"));
    EnsureDesktop();
    const std::string ours = "\"" + Join(in.inst, "VESKORCFG.EXE") + "\"";
    const std::string reference = "\"" + Join(in.inst, "minform.exe") + "\" config";
    const auto r = Alternate(2, 15, {[&] { return TimeUntilFormReady(ours, in.inst, kConfigClass, SettingsShown); },
                                     [&] { return TimeUntilFormReady(reference, in.inst, "MINFORM_CLASS", SettingsShown); }});
    ReportRatio("VESKORCFG.EXE start until the loaded settings are shown", "VESKORCFG.EXE", r[0],
                "minimal program with thirty controls", r[1]);
}

bool PanelPainted(HWND form) { return CountColours(GetDlgItem(form, 1005)).red > 0; }

// From the start of VESKOR.EXE on a broken installation until frmError1 is
// visible with its message panel painted, against a window with as many
// plain controls.
E2E_CASE("bench", error_form_until_painted) {
    const Installation in = MakeInstallation("bench-forms");
    DeleteFileA(Join(in.inst, "VESKOR.INI").c_str());
    CopyProgram("minform.exe", Join(in.inst, "minform.exe"));
    EnsureDesktop();
    const std::string ours = "\"" + Join(in.inst, "VESKOR.EXE") + "\"";
    const std::string reference = "\"" + Join(in.inst, "minform.exe") + "\"";
    const auto r = Alternate(2, 15, {[&] { return TimeUntilFormReady(ours, in.inst, kError1Class, PanelPainted); },
                                     [&] { return TimeUntilFormReady(reference, in.inst, "MINFORM_CLASS", PanelPainted); }});
    ReportRatio("VESKOR.EXE start until frmError1 is painted", "VESKOR.EXE", r[0], "minimal form program", r[1]);
}

// VESKOR1.EXE from its start until the console window of its program exists,
// against a minimal launcher doing the same CreateProcessA and window search;
// and the CPU time each spends, most of it waiting for the window. VESKOR1.EXE
// runs both ways: with no default terminal chosen (it reads the choice, starts
// the console minimised and shows it once it exists) and with the classic
// console host chosen (it starts the console as configured).
E2E_CASE("bench", console_launcher_until_console_window) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "600");
    const ZmvLayout l = MakeZmvLayout("bench-zmv");
    CopyProgram("minconsole.exe", Join(l.inst, "minconsole.exe"));
    const std::string classic(veskor::zmv::kClassicConsoleHost);
    const char* const choices[3] = {nullptr, classic.c_str(), nullptr};
    std::vector<double> until[3], cpu[3], life[3];
    for (int i = 0; i < 19; ++i) {
        const std::string title = "Bench Console " + std::to_string(i);
        WriteText(l.zmv(), "PROGNAME: " + l.program + "\r\nTITLEBAR: " + title + "\r\nFONTTYPE: TT\r\nFONTSIZE: max\r\n");
        const std::string lines[3] = {"\"" + l.launcher() + "\"", "\"" + l.launcher() + "\"",
                                      "\"" + Join(l.inst, "minconsole.exe") + "\" \"" + l.program + "\" \"" + title + " ref\""};
        for (int k = 0; k < 3; ++k) {
            const std::string window = k == 2 ? title + " ref" : title;
            SetDefaultTerminal(choices[k], choices[k]);
            Process p;
            const double t0 = NowMs();
            const double t = TimeUntil(p, lines[k], l.inst, [&] { return FindWindowA(nullptr, window.c_str()) != nullptr; });
            p.WaitExit(20000);
            if (i >= 3) until[k].push_back(t), life[k].push_back(NowMs() - t0), cpu[k].push_back(CpuMs(p.handle()));
            p.WaitJobEmpty(20000);
        }
    }
    SetDefaultTerminal(nullptr, nullptr);
    ReportRatio("VESKOR1.EXE start until the console window exists, no default terminal chosen", "VESKOR1.EXE",
                until[0], "minimal launcher", until[2]);
    ReportRatio("VESKOR1.EXE start until the console window exists, classic console host chosen", "VESKOR1.EXE",
                until[1], "minimal launcher", until[2]);
    char line[256];
    std::snprintf(line, sizeof line,
                  "CPU time: VESKOR1.EXE median %.1f ms over a life of %.0f ms (window wait and 250 ms pause "
                  "included); minimal launcher %.1f ms over %.0f ms",
                  Median(cpu[0]), Median(life[0]), Median(cpu[2]), Median(life[2]));
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
