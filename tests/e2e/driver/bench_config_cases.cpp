// Benchmark of the configuration utility (group "bench"): from the start of
// VESKORCFG.EXE until its form shows the loaded settings (the first status
// line set), against a minimal program that shows a window with thirty plain
// controls and then sets one label (minform.exe config).
#include <vector>

#include "config_window.h"
#include "form_probe.h"
#include "harness.h"
#include "install.h"

namespace e2e {

void ReportRatio(const char* what, const char* ours, const std::vector<double>& a, const char* reference,
                 const std::vector<double>& b);

// Milliseconds from the start of a program until a visible window of the
// class is ready; the window is then closed and the program waited for.
double TimeUntilFormReady(const std::string& commandLine, const std::string& folder, const char* formClass,
                          bool (*ready)(HWND form)) {
    Process p;
    const double t0 = NowMs();
    if (!p.Start(commandLine, folder)) return -1;
    double t = -1;
    HWND form = nullptr;
    while (NowMs() - t0 < 20000) {
        if (!form) {
            form = FindProcessWindow(p.id(), formClass);
            if (form && !IsWindowVisible(form)) form = nullptr;
        }
        if (form && ready(form)) {
            t = NowMs() - t0;
            break;
        }
        Sleep(1);
    }
    CHECK_MSG(t >= 0, commandLine + " showed no ready form");
    if (form) PostMessageA(form, WM_CLOSE, 0, 0);
    CHECK_EQ(p.WaitExit(10000), 0ul);
    return t;
}

namespace {

double TimeUntilShown(const std::string& commandLine, const std::string& folder, const char* formClass) {
    return TimeUntilFormReady(commandLine, folder, formClass, SettingsShown);
}

E2E_CASE("bench", config_form_until_settings_shown) {
    const Installation in = MakeInstallation("bench-config");
    CopyProgram("VESKORCFG.EXE", Join(in.inst, "VESKORCFG.EXE"));
    CopyProgram("minform.exe", Join(in.inst, "minform.exe"));
    EnsureDesktop();
    const std::string ours = "\"" + Join(in.inst, "VESKORCFG.EXE") + "\"";
    const std::string reference = "\"" + Join(in.inst, "minform.exe") + "\" config";
    std::vector<double> a, b;
    for (int i = 0; i < 2; ++i) {  // warm the file cache for both
        TimeUntilShown(ours, in.inst, kConfigClass);
        TimeUntilShown(reference, in.inst, "MINFORM_CLASS");
    }
    for (int i = 0; i < 15; ++i) {
        a.push_back(TimeUntilShown(ours, in.inst, kConfigClass));
        b.push_back(TimeUntilShown(reference, in.inst, "MINFORM_CLASS"));
    }
    ReportRatio("VESKORCFG.EXE start until the loaded settings are shown", "VESKORCFG.EXE", a,
                "minimal program with thirty controls", b);
}

}  // namespace
}  // namespace e2e
