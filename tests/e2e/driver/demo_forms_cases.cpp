// The demo of the error forms (group "demo"): sample installations broken on
// purpose, a screenshot of the form each one shows, and a line per form in
// demo-report.txt.
#include <functional>

#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {
namespace {

void Say(const std::string& line) { Report("demo-report.txt", line); }

struct Breakage {
    const char* picture;  // screenshot file name, without extension
    const char* what;
    const char* formClass;
    int panelId;
    std::function<void(const Installation&)> breakIt;
};

E2E_CASE("demo", error_forms) {
    const Breakage breakages[] = {
        {"frmError1-data-folder-missing", "VESKOR.INI names a data folder that does not exist", kError1Class, 1005,
         [](const Installation& in) { WriteText(Join(in.inst, "VESKOR.INI"), FoldersSection(in.app, "DATA02")); }},
        {"frmError1-update-locked", "another computer holds the update lock file", kError1Class, 1005, nullptr},
        {"frmError2-startup-files-missing", "VESKOR1.EXE is missing from the installation folder", kError2Class, 1000,
         [](const Installation& in) { DeleteFileA(Join(in.inst, "VESKOR1.EXE").c_str()); }},
    };
    for (const Breakage& b : breakages) {
        const Installation in = MakeInstallation(std::string("demo-") + b.picture);
        Process holder;
        if (b.breakIt) {
            b.breakIt(in);
        } else {
            StartSignal held;
            holder.Start("\"" + Join(Env().bin, "lockholder.exe") + "\" \"" + Join(in.app, "VESKORUPD.LCK") +
                             "\" rw r 20000",
                         in.root);
            CHECK_MSG(held.Wait(10000), "lock holder did not open the file");
        }
        Say(std::string("Broken installation: ") + b.what);
        Process launcher;
        HWND form = StartLauncherForForm(launcher, in.inst, b.formClass, b.panelId, 20000);
        CHECK_MSG(form != nullptr, std::string("no form for ") + b.picture);
        if (!form) continue;
        const std::string picture = Join(Env().out, std::string(b.picture) + ".bmp");
        CHECK(SaveWindowBitmap(form, picture));
        Say(std::string("  VESKOR.EXE shows ") + b.formClass + ", saved as " + b.picture + ".png");
        holder.Kill();
        const DWORD code = WaitExitClosingForms(launcher, 10000);
        Say("  closed; VESKOR.EXE ended with exit code " + std::to_string(code));
        CHECK_EQ(code, 0ul);
    }
}

}  // namespace
}  // namespace e2e
