// The client launcher's error forms, end to end: for each failed check the
// form, its controls, focus and colours, and what each way of closing it does.
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "case_probes.h"
#include "error_forms.h"
#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "scale_probe.h"
#include "winutil.h"

namespace e2e {
namespace {

using veskor::client::StartupState;

void ClickCentre(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PressKey(WORD virtualKey) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = virtualKey, in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// A control as the form should show it; rect in client coordinates; the font
// of a caption that must show whole (null for fields and panels).
struct ControlExpect { int id; const char* cls; std::string text; bool visible; RECT rect; DWORD style; const char* font; };

const DWORD kButton = WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_CENTER | BS_VCENTER;
const DWORD kLabel = WS_CHILD | SS_LEFT | SS_NOTIFY | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kField = WS_CHILD | ES_LEFT | ES_UPPERCASE | ES_AUTOHSCROLL | ES_READONLY;
const DWORD kPanel = WS_CHILD | SS_CENTER | SS_NOTIFY | SS_SUNKEN | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const char* const kButtonFont = "MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34";
const char* const kOkFont = "MS Sans Serif,-11,0,0,0,400,0,0,0,0,0,0,0,0";
const char* const kLabelFont = "MS Sans Serif,-13,0,0,0,400,0,0,0,0,1,2,1,34";
const DWORD kFormStyle = WS_POPUP | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

std::string Upper(std::string s) { return CharUpperBuffA(&s[0], static_cast<DWORD>(s.size())), s; }

// The controls of the form a status shows (frmError2 for status 9, frmError1 otherwise).
std::vector<ControlExpect> Controls(const StartupState& state) {
    if (state.status == 9) {
        const veskor::client::Error2Fill f = veskor::client::FillError2(state);
        return {
            {IDOK, "Button", "OK", true, ScaledBox(200, 208, 84, 28), kButton | BS_DEFPUSHBUTTON, kOkFont},
            {1000, "Static", f.message, true, ScaledBox(8, 101, 468, 88), kPanel, nullptr},
            {1001, "Edit", Upper(f.field), true, ScaledBox(8, 28, 468, 22), kField, nullptr},
            {1002, "Static", f.label, true, ScaledBox(8, 8, 340, 20), kLabel, kLabelFont},
        };
    }
    const veskor::client::Error1Fill f = veskor::client::FillError1(state);
    return {
        {1000, "Button", "RUN Configuration Tool", true, ScaledBox(68, 208, 145, 28), kButton | BS_PUSHBUTTON, kButtonFont},
        {1001, "Static", f.firstLabel, true, ScaledBox(8, 8, 340, 20), kLabel, kLabelFont},
        {1002, "Edit", Upper(f.firstField), true, ScaledBox(8, 28, 568, 22), kField, nullptr},
        {1003, "Static", f.secondLabel, f.secondRowVisible, ScaledBox(8, 58, 340, 20), kLabel, kLabelFont},
        {1004, "Edit", Upper(f.secondField), f.secondRowVisible, ScaledBox(8, 78, 568, 22), kField, nullptr},
        {1005, "Static", f.message, true, ScaledBox(8, 104, 568, 97), kPanel, nullptr},
        {IDOK, "Button", "OK", true, ScaledBox(438, 208, 84, 28), kButton | BS_DEFPUSHBUTTON, kOkFont},
    };
}

// measure: the drawn text of each caption too (not while the form repaints).
void CheckControls(HWND form, const StartupState& state, bool measure = true) {
    for (const ControlExpect& c : Controls(state)) {
        HWND w = GetDlgItem(form, c.id);
        const RECT box = RectInParent(w);
        CHECK_MSG(w && ClassOf(w) == c.cls && WindowText(w) == c.text && (IsWindowVisible(w) != FALSE) == c.visible &&
                      EqualRect(&box, &c.rect) && (static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) & c.style) == c.style,
                  "control " + std::to_string(c.id) + " " + ClassOf(w) + " shows \"" + WindowText(w) + "\" at " +
                      std::to_string(box.left) + "," + std::to_string(box.top) + " or has other styles");
        if (measure && c.font) CHECK_EQ(TextFault(w, c.font, c.id == 1001), std::string());
    }
}

// Everything the form shows, as it is first seen: class, caption, place and
// size (scaled to the screen's DPI), styles, the form record, controls, focus
// and the white-on-red message panel.
void CheckForm(HWND form, const StartupState& state) {
    const bool second = state.status == 9;
    CHECK_EQ(ClassOf(form), std::string(second ? kError2Class : kError1Class));
    CHECK_EQ(WindowText(form), std::string(second ? "Form1" : "Keldrin Veskor - Cannot Load Application"));
    const int width = second ? 492 : 595;
    CHECK_EQ(PlacementFault(form, {width, 275}, {width - 8, 248}), std::string());
    CHECK_MSG((static_cast<DWORD>(GetWindowLongA(form, GWL_STYLE)) & kFormStyle) == kFormStyle &&
                  (GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && GetPropA(form, "WEV_PTR") &&
                  GetPropA(form, "WEV_TAGPROPERTY"),
              "form rectangle, styles or record");
    CheckControls(form, state);
    CHECK_EQ(FocusId(form), second ? IDOK : 1000);

    HWND panel = GetDlgItem(form, second ? 1000 : 1005);
    CHECK_MSG(WaitPaintedRed(panel, 3000), "message panel is not red");
    const ColourCount c = CountColours(panel);
    CHECK_MSG(c.white > 50 && c.red + c.white > c.total * 3 / 4, "panel: " + std::to_string(c.white) + " white");
    CHECK_MSG(CountColours(GetDlgItem(form, IDOK)).red == 0, "red outside the panel");
}

// One failed start-up of VESKOR.EXE with its form on the screen.
struct BrokenStart { Installation in; StartupState state; Process launcher; HWND form = nullptr; };

std::unique_ptr<BrokenStart> StartBroken(const char* caseName, std::int32_t status,
                                         const std::function<void(BrokenStart&)>& breakIt) {
    auto b = std::make_unique<BrokenStart>();
    b->in = MakeInstallation(caseName);
    CopyProgram("recorder.exe", Join(b->in.inst, "VESKORCFG.EXE"));
    const std::string& app = b->in.app;
    b->state = {b->in.inst, "", Join(b->in.inst, "VESKOR.INI"), app, Join(app, "DATA01"), Join(app, "DATA01\\SPOOL"),
                Join(app, "VESKORUPD.LCK"), status, ""};
    breakIt(*b);
    // An unreadable lock file is not retried: its form comes well inside the 8 s of the retries.
    b->form = StartLauncherForForm(b->launcher, b->in.inst, status == 9 ? kError2Class : kError1Class,
                                   status == 9 ? 1000 : 1005, status == 3 ? 6000 : 20000);
    CHECK_MSG(b->form != nullptr, std::string("no form for ") + caseName);
    return b;
}

void WriteFolders(BrokenStart& b, const std::string& app, const char* data, const char* spool) {
    WriteText(Join(b.in.inst, "VESKOR.INI"), FoldersSection(app, data, spool));
    b.state.applicationFolder = app, b.state.dataFolder = Join(app, data);
    b.state.spoolFolder = Join(b.state.dataFolder, spool);
}

// A file the launcher may not open, and the platform's words for why.
void MakeUnreadable(BrokenStart& b, const std::string& path) {
    WriteText(NoReadMarker(path), "");
    b.state.failureReason = Reason(ERROR_ACCESS_DENIED);
}

// The launcher ended with exit code 0, having started the configuration utility or nothing.
void CheckEnded(BrokenStart& b, bool configStarted) {
    CHECK_EQ(b.launcher.WaitExit(10000), 0ul);
    CHECK_MSG(b.launcher.WaitJobEmpty(10000), "processes left running");
    CHECK_EQ(b.launcher.TotalProcesses(), configStarted ? 2ul : 1ul);
    const std::string log = ReadText(Join(b.in.inst, "VESKORCFG.LOG")).value_or("");
    CHECK_EQ(CountOf(log, "START"), configStarted ? 1 : 0);
    if (configStarted) CHECK(LogValue(log, "CMDLINE") == Join(b.in.inst, "VESKORCFG.EXE") && LogValue(log, "CWD") == b.in.inst);
}

// Each row breaks an installation one way, checks the form it shows, closes
// it one way and checks what the launcher then started.
E2E_CASE("errorforms", each_failure_its_form_and_each_way_out) {
    Process holder;
    const struct { const char* name; std::int32_t status; const char* panel; std::function<void(BrokenStart&)> breakIt, closeIt; bool configStarted; }
    rows[] = {
        // Hidden and system files and folders count as missing.
        {"ini hidden, OK button", -1, "CANNOT FIND THE <CONFIGURATION INI FILE> SHOWN ABOVE",
         [](BrokenStart& b) { SetFileAttributesA(b.state.iniPath.c_str(), FILE_ATTRIBUTE_HIDDEN); },
         [](BrokenStart& b) { ClickCentre(GetDlgItem(b.form, IDOK)); }, false},
        // A path far longer than the field: shown whole, scrolled within the field.
        {"application folder missing, run button", -5, "CANNOT FIND THE <APPLICATION FOLDER> SHOWN ABOVE",
         [](BrokenStart& b) { WriteFolders(b, Join(b.in.root, "NOPE" + std::string(400, 'X')), "DATA01", "SPOOL"); },
         [](BrokenStart& b) {
             // A larger form leaves every control where it was.
             RECT r;
             GetWindowRect(b.form, &r);
             SetWindowPos(b.form, nullptr, 0, 0, r.right - r.left + 120, r.bottom - r.top + 80,
                          SWP_NOMOVE | SWP_NOZORDER);
             CheckControls(b.form, b.state, false);
             ClickCentre(GetDlgItem(b.form, 1000));
         }, true},
        {"spool folder hidden, Enter", -7, "CANNOT FIND THE <APPLICATION DATA SPOOL FOLDER> SHOWN ABOVE",
         [](BrokenStart& b) { SetFileAttributesA(b.state.spoolFolder.c_str(), FILE_ATTRIBUTE_HIDDEN); },
         [](BrokenStart&) { PressKey(VK_RETURN); }, true},
        {"update locked, Escape does nothing, Tab and Enter are OK", 2, "THE FILE ABOVE IS CURRENTLY LOCKED BY ANOTHER COMPUTER. ",
         [&holder](BrokenStart& b) { HoldLock(holder, b.state.lockPath, "rw r 20000", b.in.root); },
         [&holder](BrokenStart& b) {
             holder.Kill();
             PressKey(VK_ESCAPE);
             CHECK_EQ(b.launcher.WaitExit(700), static_cast<DWORD>(STILL_ACTIVE));
             CHECK(IsWindowVisible(b.form));
             PressKey(VK_TAB);
             Sleep(100);
             CHECK_EQ(FocusId(b.form), IDOK);
             PressKey(VK_RETURN);
         }, false},
        // Files the user may not read: the reason is shown, the lock file is not waited for.
        {"settings file unreadable, OK button", -2, "CANNOT READ THE <CONFIGURATION INI FILE> SHOWN ABOVE\r\n",
         [](BrokenStart& b) { MakeUnreadable(b, b.state.iniPath); },
         [](BrokenStart& b) { ClickCentre(GetDlgItem(b.form, IDOK)); }, false},
        {"lock file unreadable, run button", 3, "CANNOT READ THE <UPDATE LOCK FILE> SHOWN ABOVE\r\n",
         [](BrokenStart& b) { WriteText(b.state.lockPath, ""), MakeUnreadable(b, b.state.lockPath); },
         [](BrokenStart& b) { ClickCentre(GetDlgItem(b.form, 1000)); }, true},
        {"VESKOR1.EXE a system file, only the second form", 9, "CANNOT FIND THE VESKOR STARTUP FILES\r\n",
         [](BrokenStart& b) { SetFileAttributesA(Join(b.in.inst, "VESKOR1.EXE").c_str(), FILE_ATTRIBUTE_SYSTEM); },
         [](BrokenStart& b) {
             PressKey(VK_RETURN);
             // frmError1 is never shown, neither under frmError2 nor after it.
             bool firstShown = false;
             while (b.launcher.WaitExit(5) == STILL_ACTIVE && !firstShown) {
                 HWND first = FindProcessWindow(b.launcher.id(), kError1Class);
                 firstShown = first && IsWindowVisible(first);
             }
             CHECK_MSG(!firstShown, "frmError1 was shown");
         }, false},
    };
    for (const auto& row : rows) {
        std::printf("  %s\n", row.name);
        auto b = StartBroken("errorform", row.status, row.breakIt);
        if (!b->form) continue;
        CheckForm(b->form, b->state);
        // The message each failure shows, as the user reads it.
        const std::string panel = WindowText(GetDlgItem(b->form, row.status == 9 ? 1000 : 1005));
        CHECK_MSG(panel.rfind(row.panel, 0) == 0, panel);
        row.closeIt(*b);
        CheckEnded(*b, row.configStarted);
    }
}

// frmError1 at the screen's DPI (96 too), closed by its close box.
E2E_CASE("dpi", error_form_follows_the_display_scale) {
    auto b = StartBroken("errorform_dpi", -6, [](BrokenStart& b) { WriteFolders(b, b.in.app, "DATA02", "SPOOL"); });
    if (!b->form) return;
    CheckForm(b->form, b->state);
    ClickCloseBox(b->form);
    CheckEnded(*b, false);
}

}  // namespace
}  // namespace e2e
