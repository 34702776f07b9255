// The demo (group "demo", run by `make demo`): the whole road on a sample
// installation in the output folder. The administrator's step: VESKORCFG.EXE
// set through its own window and confirmed with "&OK". The user's step:
// VESKOR.EXE checks the installation and starts VESKOR1.EXE, which opens the
// stand-in console application in a console window with the chosen font.
// Told step by step in demo-report.txt, with screenshots of the form and of
// the console window; then a save on a full disk and the message it shows.
// Then sample installations broken on purpose, a screenshot of the error form
// each one shows, and a line per form; last, in a session at 150% display
// scale, the configuration form and one error form.
#include <functional>

#include "config_layout.h"
#include "config_window.h"
#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "scale_probe.h"
#include "winutil.h"
#include "zmv_console.h"
#include "zmv_setup.h"

namespace e2e {
namespace {

using namespace veskor::config;

void Say(const std::string& line) { Report("demo-report.txt", line); }

void SayFile(const std::string& path) {
    for (const std::string& line : Lines(ReadText(path).value_or(""))) Say("    " + line);
}

// Console mode, a window sized to a 10x20 TrueType font on a 1024 x 768 screen.
void Configure(const Installation& in) {
    Say("Step 1, the administrator: VESKORCFG.EXE in " + in.inst);
    Process program;
    HWND form = StartConfig(program, in.inst);
    CHECK_MSG(form != nullptr, "VESKORCFG.EXE showed no form");
    if (!form) return;
    Say("  loaded: " + ItemText(form, ids::txtAppFolder) + ", data folder " + ItemText(form, ids::cboDataFolder) +
        ", spool folder " + ItemText(form, ids::txtSpoolFolder));
    for (int id : {ids::lblAppStatus, ids::lblDataStatus, ids::lblSpoolStatus}) Say("  status: " + ItemText(form, id));

    ClickButton(form, ids::chkGraphicMode);
    ClickButton(form, ids::optWindowType[1]);
    ClickButton(form, ids::optScreenSize[2]);
    HWND sizes = GetDlgItem(form, ids::cboFontSize);
    const std::vector<std::string> entries = ComboEntries(form, ids::cboFontSize);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == "10X20 TT") SendMessageA(sizes, CB_SETCURSEL, i, 0);
    const int chosen = ComboSelection(form, ids::cboFontSize);
    CHECK(chosen >= 0);
    Say("  chosen: Graphic Mode off, SIZE, 1024 x 768, font size " +
        (chosen >= 0 ? entries.at(static_cast<std::size_t>(chosen)) : std::string("none")));
    CHECK(SaveWindowBitmap(form, Join(Env().out, "frmConfig.bmp")));
    Say("  screenshot of the form: frmConfig.png");

    PostMessageA(GetDlgItem(form, ids::cmdOK), BM_CLICK, 0, 0);
    const DWORD code = program.WaitExit(10000);
    Say("  \"&OK\" pressed; VESKORCFG.EXE ended with exit code " + std::to_string(code) + " and wrote:");
    CHECK_EQ(code, 0ul);
    for (const char* name : {"VESKOR.INI", "VESKOR.LST", "VESKOR.CFG", "VESKOR1.ZMV"}) {
        CHECK_MSG(Exists(Join(in.inst, name)), std::string(name) + " not written");
        Say(std::string("  ") + name + ":");
        SayFile(Join(in.inst, name));
    }
    const std::string zmv = ReadText(Join(in.inst, "VESKOR1.ZMV")).value_or("");
    CHECK(zmv.find("FONTTYPE: TT\r\nFONTSIZE: 10X20\r\n") != std::string::npos);
}

void UserStart(const Installation& in) {
    Say("Step 2, the user: VESKOR.EXE from " + in.inst);
    // The utility asks for a hidden console window; the stand-in shows its own so
    // that it can be photographed.
    ScopedVariable stay("VESKOR_STANDIN_MS", "5000");
    ScopedVariable show("VESKOR_STANDIN_SHOW", "1");
    Process p;
    const double t0 = NowMs();
    p.Start("\"" + Join(in.inst, "VESKOR.EXE") + "\"", in.inst);
    const DWORD code = p.WaitExit(30000);
    Say("  VESKOR.EXE ended with exit code " + std::to_string(code) + " after " +
        std::to_string(static_cast<int>(NowMs() - t0)) + " ms");
    std::string log;
    WaitUntil([&] { return (log = ReadText(Join(in.app, "VESKOR32.LOG")).value_or("")).find("SHOW=") != std::string::npos; },
              15000);
    const std::string title = LogValue(log, "TITLE");
    HWND console = FindWindowA(nullptr, title.c_str());
    CHECK_MSG(console != nullptr, "no console window titled " + title);
    if (console) {
        Say("  console window \"" + title + "\" open after " + std::to_string(static_cast<int>(NowMs() - t0)) + " ms");
        Sleep(1000);  // let it draw its text
        CHECK(SaveWindowBitmap(console, Join(Env().out, "console-window.bmp")));
        Say("  screenshot of the console window: console-window.png");
    }
    CHECK_MSG(p.WaitJobEmpty(20000), "processes left running");
    Say("  VESKOR1.EXE started VESKOR32.EXE (the stand-in) " + std::to_string(CountOf(log, "START\r\n")) +
        " time(s); it reports:");
    for (const char* key : {"CMDLINE", "CWD", "TITLE", "FACE", "FONTX", "FONTY", "SHOW", "WINDOW"})
        Say(std::string("    ") + key + ": " + LogValue(log, key));
    Say(std::string("  console settings key after the run: ") +
        (KeyExists(veskor::zmv::ConsoleKeyName(title)) ? "still there" : "removed"));
    CHECK_EQ(code, 0ul);
    CHECK_EQ(CountOf(log, "START\r\n"), 1);
    CHECK_EQ(LogValue(log, "FONTY"), std::string("20"));
}

// The administrator's save on a share whose disk is full: the message that
// names the files not saved, and the files as they were.
void SaveOnFullDisk(const Installation& in) {
    Say("Step 3, the administrator again, the share's disk now full: VESKORCFG.EXE, \"&OK\"");
    const std::string before = ReadText(Join(in.inst, "VESKOR.INI")).value_or("");
    WriteText(NoSpaceMarker(in.inst), "");
    Process program;
    HWND form = StartConfig(program, in.inst);
    CHECK_MSG(form != nullptr, "VESKORCFG.EXE showed no form");
    if (form) {
        ClickButton(form, ids::chkGraphicMode);
        PostMessageA(GetDlgItem(form, ids::cmdOK), BM_CLICK, 0, 0);
        HWND box = WaitVisibleWindow(program.id(), "#32770", 20000);
        CHECK_MSG(box != nullptr, "no message after a failed save");
        if (box) {
            Sleep(300);  // let it draw its text
            CHECK(SaveWindowBitmap(box, Join(Env().out, "save-failed.bmp")));
            Say("  message (screenshot save-failed.png):");
            // The box's first static control holds its icon, the next one the text.
            for (HWND c = nullptr; (c = FindWindowExA(box, c, "Static", nullptr));)
                for (const std::string& line : Lines(WindowText(c))) Say("    " + line);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Say("  VESKORCFG.EXE ended with exit code " + std::to_string(program.WaitExit(10000)));
    }
    DeleteFileA(NoSpaceMarker(in.inst).c_str());
    const bool same = ReadText(Join(in.inst, "VESKOR.INI")).value_or("") == before;
    Say(std::string("  VESKOR.INI ") + (same ? "as it was before" : "CHANGED"));
    CHECK(same);
}

E2E_CASE("demo", whole_road) {
    const Installation in = MakeInstallationAt(Join(Env().out, "sample"), "VESKOR1.EXE");
    CopyProgram("VESKORCFG.EXE", Join(in.inst, "VESKORCFG.EXE"));
    CopyProgram("standin.exe", Join(in.app, "VESKOR32.EXE"));
    Say("Sample installation: " + in.inst + " (VESKOR.EXE, VESKOR1.EXE, VESKORCFG.EXE, VESKOR.INI),");
    Say("  application folder " + in.app + " with DATA01\\SPOOL and VESKOR32.EXE, a stand-in console application");
    Configure(in);
    UserStart(in);
    SaveOnFullDisk(in);
}

// The error forms, one screenshot each.
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
        {"frmError1-settings-unreadable", "VESKOR.INI may not be read by the user", kError1Class, 1005,
         [](const Installation& in) { WriteText(NoReadMarker(Join(in.inst, "VESKOR.INI")), ""); }},
        {"frmError1-lock-file-unreadable", "the update lock file may not be read by the user", kError1Class, 1005,
         [](const Installation& in) {
             WriteText(Join(in.app, "VESKORUPD.LCK"), "");
             WriteText(NoReadMarker(Join(in.app, "VESKORUPD.LCK")), "");
         }},
    };
    for (const Breakage& b : breakages) {
        const Installation in = MakeInstallation(std::string("demo-") + b.picture);
        Process holder;
        if (b.breakIt) {
            b.breakIt(in);
        } else {
            HoldLock(holder, Join(in.app, "VESKORUPD.LCK"), "rw r 20000", in.root);
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

// At 150% display scale (the session's DPI, 144): the configuration form and
// one error form, one screenshot each.
E2E_CASE("demo_scaled", forms_at_the_display_scale) {
    const int dpi = ScreenDpi();
    const std::string suffix = "-" + std::to_string(dpi) + "dpi";
    const Installation in = MakeInstallationAt(Join(Env().out, "sample"), "VESKOR1.EXE");
    CopyProgram("VESKORCFG.EXE", Join(in.inst, "VESKORCFG.EXE"));
    Process program;
    HWND form = StartConfig(program, in.inst);
    CHECK_MSG(form != nullptr, "VESKORCFG.EXE showed no form");
    if (form) {
        CHECK(SaveWindowBitmap(form, Join(Env().out, "frmConfig" + suffix + ".bmp")));
        Say("At " + std::to_string(dpi) + " DPI: frmConfig, saved as frmConfig" + suffix + ".png");
        PostMessageA(GetDlgItem(form, ids::cmdCancel), BM_CLICK, 0, 0);
        CHECK_EQ(program.WaitExit(10000), 0ul);
    }
    WriteText(Join(in.inst, "VESKOR.INI"), FoldersSection(in.app, "DATA02"));
    Process launcher;
    form = StartLauncherForForm(launcher, in.inst, kError1Class, 1005, 20000);
    CHECK_MSG(form != nullptr, "no frmError1");
    if (!form) return;
    CHECK(SaveWindowBitmap(form, Join(Env().out, "frmError1-data-folder-missing" + suffix + ".bmp")));
    Say("At " + std::to_string(dpi) + " DPI: frmError1, saved as frmError1-data-folder-missing" + suffix + ".png");
    CHECK_EQ(WaitExitClosingForms(launcher, 10000), 0ul);
}

}  // namespace
}  // namespace e2e
