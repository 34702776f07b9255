// Benchmark of the error forms (group "bench"): from the start of VESKOR.EXE on
// a broken installation until frmError1 is visible with its message panel
// painted, against a minimal program that shows a window with as many plain
// controls (minform.exe).
#include <vector>

#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {

void ReportRatio(const char* what, const char* ours, const std::vector<double>& a, const char* reference,
                 const std::vector<double>& b);

namespace {

// Milliseconds until a visible window of the class shows a red panel; the
// window is then closed and the program waited for.
double TimeUntilPainted(const std::string& program, const std::string& folder, const char* formClass) {
    Process p;
    const double t0 = NowMs();
    if (!p.Start("\"" + program + "\"", folder)) return -1;
    double t = -1;
    HWND form = nullptr;
    while (NowMs() - t0 < 20000) {
        if (!form) {
            form = FindProcessWindow(p.id(), formClass);
            if (form && !IsWindowVisible(form)) form = nullptr;
        }
        if (form && CountRedAndWhite(GetDlgItem(form, 1005)).red > 0) {
            t = NowMs() - t0;
            break;
        }
        Sleep(1);
    }
    CHECK_MSG(t >= 0, program + " showed no painted form");
    if (form) PostMessageA(form, WM_CLOSE, 0, 0);
    CHECK_EQ(p.WaitExit(10000), 0ul);
    return t;
}

E2E_CASE("bench", error_form_until_painted) {
    const Installation in = MakeInstallation("bench-forms");
    DeleteFileA(Join(in.inst, "VESKOR.INI").c_str());
    CopyProgram("minform.exe", Join(in.inst, "minform.exe"));
    EnsureDesktop();
    const std::string ours = Join(in.inst, "VESKOR.EXE"), reference = Join(in.inst, "minform.exe");
    std::vector<double> a, b;
    for (int i = 0; i < 2; ++i) {  // warm the file cache for both
        TimeUntilPainted(ours, in.inst, kError1Class);
        TimeUntilPainted(reference, in.inst, "MINFORM_CLASS");
    }
    for (int i = 0; i < 15; ++i) {
        a.push_back(TimeUntilPainted(ours, in.inst, kError1Class));
        b.push_back(TimeUntilPainted(reference, in.inst, "MINFORM_CLASS"));
    }
    ReportRatio("VESKOR.EXE start until frmError1 is painted", "VESKOR.EXE", a, "minimal form program", b);
}

}  // namespace
}  // namespace e2e
