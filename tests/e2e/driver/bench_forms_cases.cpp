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
double TimeUntilFormReady(const std::string& commandLine, const std::string& folder, const char* formClass,
                          bool (*ready)(HWND form));

namespace {

bool PanelPainted(HWND form) { return CountRedAndWhite(GetDlgItem(form, 1005)).red > 0; }

// Milliseconds until a visible window of the class shows a red panel.
double TimeUntilPainted(const std::string& program, const std::string& folder, const char* formClass) {
    return TimeUntilFormReady("\"" + program + "\"", folder, formClass, PanelPainted);
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
