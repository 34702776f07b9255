// The configuration form end to end: VESKORCFG.EXE under Wine, driven through
// its own window. Each step is done to the window and to a FormState alongside;
// after each step the window must show exactly what the state holds.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include "case_probes.h"
#include "faults.h"
#include "config_form.h"
#include "config_layout.h"
#include "config_window.h"
#include "form_probe.h"
#include "harness.h"
#include "platform.h"
#include "scale_probe.h"
#include "settings_files.h"
#include "winutil.h"

namespace e2e {
namespace {

using namespace veskor::config;
using veskor::UpperCase;

// Every entry's value as the platform's profile reader reads the file.
bool IniShows(const std::string& path, const std::vector<IniEntry>& entries) {
    for (const IniEntry& e : entries) {
        char value[512] = {};
        GetPrivateProfileStringA(e.section, e.key, "<none>", value, sizeof value, path.c_str());
        if (e.value != value) return false;
    }
    return true;
}

// The running program in a fresh working folder with an application folder APP
// (VESKOR32.EXE, DATA01\SPOOL, DATA02), and the state the form should show.
struct Run { std::string dir, app; Process program; HWND form = nullptr; FormState model; };
using Files = std::function<void(const Run&)>;

// Writes VESKOR.INI with the application folder, the graphic mode, MAX_FLAG and
// the screen size, and a section of its own that a save must keep.
Files Ini(const char* graphic, const char* maxFlag, const char* screenSize) {
    return [=](const Run& r) {
        WriteText(Join(r.dir, "VESKOR.INI"),
                  "[FOLDERS]\r\nAPPLFOLDER=" + r.app + "\r\nDATAFOLDER=data01\r\nSPOOLFOLDER=SPOOL\r\n[SCREEN]\r\n" +
                      "SCRNSIZE=" + screenSize + "\r\nGRAPHICMODE=" + graphic + "\r\nGRAPHICSCRN=0\r\n[ZMV_SETTINGS]\r\n" +
                      "FONTSIZE=8x14 TT\r\nMAX_FLAG=" + maxFlag + "\r\nMAX_SIZE=70\r\nMAX_TYPE=BMP\r\n[OTHER]\r\nKEEP=this\r\n");
    };
}

// fromApp: started with the application folder as its current folder, the
// program must take its own folder as the working folder.
std::unique_ptr<Run> Open(const std::string& name, const Files& files, bool fromApp = false) {
    auto r = std::make_unique<Run>();
    r->dir = FreshFolder(name);
    r->app = Join(r->dir, "APP");
    MakeFolders(Join(r->app, "DATA01\\SPOOL"));
    MakeFolders(Join(r->app, "DATA02"));
    CopyProgram("recorder.exe", Join(r->app, "VESKOR32.EXE"));
    CopyProgram("VESKORCFG.EXE", Join(r->dir, "VESKORCFG.EXE"));
    if (files) files(*r);
    r->model = InitialFormState();
    FillDataFolders(r->model);
    ShowSettings(r->model, win32::LoadSettingsFromDisk(r->dir).settings, veskor::win32::PlatformSearch());
    ControlFocused(r->model, ids::txtAppFolder);
    r->form = StartConfig(r->program, r->dir, 15000, fromApp ? r->app : "");
    CHECK_MSG(r->form != nullptr, name + ": no form with loaded settings");
    return r;
}

bool IsChecked(HWND form, int id) { return SendMessageA(GetDlgItem(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool IsEnabled(HWND form, int id) { return IsWindowEnabled(GetDlgItem(form, id)) != FALSE; }

// Everything the window shows against the state.
void Compare(const Run& r, const std::string& step) {
    HWND f = r.form;
    const FormState& m = r.model;
    const auto same = [&](bool same, const std::string& what) { CHECK_MSG(same, step + ": " + what); };
    same(ItemText(f, ids::txtAppFolder) == m.appFolderText && ItemText(f, ids::txtSpoolFolder) == m.spoolFolderText,
         "folders " + ItemText(f, ids::txtAppFolder) + ", " + ItemText(f, ids::txtSpoolFolder));
    same(ComboEntries(f, ids::cboDataFolder) == m.dataFolders.entries && ComboSelection(f, ids::cboDataFolder) == m.dataFolders.selected,
         "data folder list");
    same(ComboEntries(f, ids::cboFontSize) == m.fontSizes.entries &&
             ComboSelection(f, ids::cboFontSize) == m.fontSizes.selected &&
             IsEnabled(f, ids::cboFontSize) == m.fontSizes.enabled && IsChecked(f, ids::chkGraphicMode) == m.graphicModeChecked,
         "font size list or graphic mode");
    const auto group = [&](const auto& g, const auto& id) {
        for (std::size_t i = 0; i < g.size(); ++i)
            same(IsChecked(f, id[i]) == g[i].checked && IsEnabled(f, id[i]) == g[i].enabled, "option " + ItemText(f, id[i]));
    };
    group(m.windowType, ids::optWindowType), group(m.fontType, ids::optFontType);
    group(m.screen, ids::optScreen), group(m.screenSize, ids::optScreenSize);
    const int lines[] = {ids::lblAppStatus, ids::lblDataStatus, ids::lblSpoolStatus};
    for (std::size_t i = 0; i < 3; ++i) {
        same(ItemText(f, lines[i]) == m.status[i].text, "status " + ItemText(f, lines[i]));
        if (m.status[i].text.empty() || !m.status[i].colour) continue;
        const ColourCount c = CountColours(GetDlgItem(f, lines[i]));
        same(*m.status[i].colour == kRed ? c.red && !c.black : c.black && !c.red, "colour of status " + std::to_string(i));
    }
    same(ItemText(f, ids::lblHelp) == m.help, "help \"" + ItemText(f, ids::lblHelp) + "\"");
}

// A data folder picked as the user picks it: the selection, then its notification.
void PickDataFolder(Run& r, int index) {
    HWND combo = GetDlgItem(r.form, ids::cboDataFolder);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(r.form, WM_COMMAND, MAKEWPARAM(ids::cboDataFolder, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    DataFolderPicked(r.model, index, HandleAt(r.model, veskor::win32::PlatformSearch()));
}

// A key pressed in the control that has the focus.
void Key(HWND form, WORD key) {
    HWND target = FocusOf(form);
    PostMessageA(target ? target : form, WM_KEYDOWN, key, 1);
    PostMessageA(target ? target : form, WM_KEYUP, key, 0xC0000001);
}

// The form placed and every control where the layout table puts it, scaled to
// the screen's DPI, in creation order, with its class, styles and, where
// nothing replaces it, its caption.
void CheckLayout(HWND f) {
    CHECK_EQ(ClassOf(f), std::string(kConfigClass));
    CHECK_EQ(WindowText(f), std::string(kForm.caption));
    CHECK_EQ(PlacementFault(f, {kForm.width, kForm.height}, {kForm.clientWidth, kForm.clientHeight}), std::string());
    CHECK((GetWindowLongA(f, GWL_STYLE) & kForm.style) == kForm.style);
    HWND previous = nullptr;
    for (const ControlSpec& c : FormControls()) {
        HWND w = GetDlgItem(f, c.id);
        const std::string what = std::string(c.name) + " " + std::to_string(c.arrayIndex) + " " + ClassOf(w);
        CHECK_MSG(w != nullptr && GetWindow(w, GW_HWNDPREV) == previous, what + " missing or out of order");
        if (!(previous = w)) continue;
        const RECT box = RectInParent(w);
        const RECT want = ScaledBox(c.x, c.y, c.width, c.height);
        // The platform keeps a combo box's scroll bar and edge itself, and moves an
        // option button's tab stop to the checked member of its group.
        DWORD style = c.style, exStyle = c.exStyle;
        if (c.kind == ControlKind::ComboBox) style &= ~WS_VSCROLL, exStyle &= ~WS_EX_CLIENTEDGE;
        if (c.kind == ControlKind::OptionButton) style &= ~WS_TABSTOP;
        const bool replaced = c.kind == ControlKind::Edit || c.kind == ControlKind::ComboBox || c.id == ids::lblHelp ||
                              (c.id >= ids::lblAppStatus && c.id <= ids::lblSpoolStatus);
        CHECK_MSG(lstrcmpiA(ClassOf(w).c_str(), ControlClassName(c.kind)) == 0 && box.left == want.left &&
                      box.top == want.top && box.right == want.right &&
                      (c.kind == ControlKind::ComboBox || box.bottom == want.bottom) &&
                      (static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) & style) == style &&
                      (static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE)) & exStyle) == exStyle &&
                      (replaced || WindowText(w) == c.caption),
                  what + " class, position, style or caption");
    }
}

// The defaults shown (the layout is the dpi group's, at 96 DPI too). Then the
// help panel follows the focus, and the open-file dialog sets the application
// folder.
E2E_CASE("configform", layout_help_and_select_folder_dialog) {
    auto r = Open("cfgform_layout", nullptr);
    if (!r->form) return;
    HWND f = r->form;
    Compare(*r, "defaults");
    CHECK_EQ(FocusId(f), ids::txtAppFolder);
    const std::string label = ItemText(f, ids::lblHelp);
    // A click on a label or a group box leaves the panel and the focus as they are.
    for (POINT p : {POINT{20, 185}, POINT{410, 250}}) {
        ClientToScreen(f, &p), ClickAt(p.x, p.y), Sleep(100);
        CHECK(ItemText(f, ids::lblHelp) == label && FocusId(f) == ids::txtAppFolder);
    }
    // Onwards through every stop, the first three in order: each shows its own
    // help and the browse button is never one.
    const int first[] = {ids::cboDataFolder, ids::txtSpoolFolder, ids::chkGraphicMode};
    for (int i = 0; i < 11; ++i) {
        HWND before = FocusOf(f);
        Key(f, VK_TAB);
        WaitUntil([&] { return FocusOf(f) != before; });
        const int id = FocusId(f);
        WaitUntil([&] { return ItemText(f, ids::lblHelp) == HelpText(id); }, 500);
        CHECK_MSG((i >= 3 || id == first[i]) && id != ids::cmdSelectFolder &&
                      ItemText(f, ids::lblHelp) == HelpText(id),
                  "stop or help after focus moved to " + std::to_string(id));
    }
    // The open-file dialog: owned by the form, centred, with its caption, filter
    // and initial name; cancelled it changes nothing, confirmed it sets the folder.
    const std::string other = Join(r->dir, "Other Place");
    MakeFolders(other);
    CopyProgram("recorder.exe", Join(other, "veskor32.exe"));
    const std::string before = ItemText(f, ids::txtAppFolder);
    for (bool choose : {false, true}) {
        PostMessageA(GetDlgItem(f, ids::cmdSelectFolder), BM_CLICK, 0, 0);
        HWND dialog = WaitVisibleWindow(r->program.id(), "#32770", 10000);
        CHECK_MSG(dialog != nullptr, "no open-file dialog");
        if (!dialog) break;
        RECT d;
        GetWindowRect(dialog, &d);
        CHECK(WindowText(dialog) == "Find VESKOR32.EXE" && GetWindow(dialog, GW_OWNER) == f &&
              ComboEntries(dialog, 0x0470) == std::vector<std::string>{"VESKOR Application (VESKOR32.EXE)"} &&
              d.left == (GetSystemMetrics(SM_CXSCREEN) - (d.right - d.left)) / 2 &&
              d.top == (GetSystemMetrics(SM_CYSCREEN) - (d.bottom - d.top)) / 2);
        if (choose) {
            HWND name = GetDlgItem(dialog, 0x047C);  // the file name box
            if (name && ClassOf(name) == "ComboBoxEx32") name = FindWindowExA(name, nullptr, "ComboBox", nullptr);
            if (name && ClassOf(name) == "ComboBox") name = FindWindowExA(name, nullptr, "Edit", nullptr);
            // The dialog opens in the initial folder and keeps the name alone in the box.
            CHECK_MSG(name != nullptr && WindowText(name) == "VESKOR32.EXE", "no file name box with the name");
            if (!name) break;
            SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Join(other, "veskor32.exe").c_str()));
        }
        PostMessageA(dialog, WM_COMMAND, choose ? IDOK : IDCANCEL, 0);
        WaitUntil([&] { return !IsWindow(dialog); }, 5000);
        if (choose) WaitUntil([&] { return ItemText(f, ids::txtAppFolder) != before; });
        CHECK_EQ(ItemText(f, ids::txtAppFolder), choose ? UpperCase(other) : before);
    }
    FolderChosen(r->model, Join(other, "veskor32.exe"), HandleAt(r->model, veskor::win32::PlatformSearch()));
    ControlFocused(r->model, ids::cmdSelectFolder);
    Compare(*r, "chosen");
    PostMessageA(f, WM_CLOSE, 0, 0);  // as the system menu would
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
}

// Each change of a folder box runs the checks again; the window must show the
// status lines (texts and colours) the state holds after the same change. OK
// with a network share shows the refusal, writes nothing and ends the program.
E2E_CASE("configform", status_lines_follow_the_folders_and_a_share_is_refused) {
    auto r = Open("cfgform_status", Ini("1", "Y", "1024 x 768"));
    if (!r->form) return;
    const auto search = veskor::win32::PlatformSearch();
    HWND f = r->form;
    const auto before = Snapshot(r->dir);
    Compare(*r, "all found");
    const auto setText = [&](int id, const std::string& text) {
        SendMessageA(GetDlgItem(f, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        (id == ids::txtAppFolder ? AppFolderChanged : SpoolFolderChanged)(r->model, text, HandleAt(r->model, search));
        Compare(*r, text);
    };
    setText(ids::txtSpoolFolder, "nosuch");
    setText(ids::txtSpoolFolder, "spool");
    PickDataFolder(*r, 2);
    Compare(*r, "data folder missing");
    setText(ids::txtAppFolder, r->dir);                // no program there
    setText(ids::txtAppFolder, "\\\\?\\" + r->app);  // a network share
    PostMessageA(GetDlgItem(f, ids::cmdOK), BM_CLICK, 0, 0);
    HWND box = WaitVisibleWindow(r->program.id(), "#32770", 10000);
    CHECK_MSG(box && WindowText(box) == kMessageCaption && FindWindowExA(box, nullptr, "Static", kShareRefusalText) &&
                  GetDlgItem(box, IDOK) && WindowText(GetDlgItem(box, IDOK)) == "OK" && !GetDlgItem(box, IDCANCEL),
              "no refusal box with its caption, text and OK alone");
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
    CHECK(Snapshot(r->dir) == before);
}

// Each group of option buttons and the graphic mode box: the window follows the
// state through every click (the rules themselves are the unit tests'); OK then
// saves what the state holds.
E2E_CASE("configform", option_rules_and_ok_saves_the_state) {
    auto r = Open("cfgform_options", Ini("0", "N", "800 x 600"));
    if (!r->form) return;
    HWND f = r->form;
    const std::pair<int, std::function<void(FormState&, const SendFormMessage&)>> steps[] = {
        {ids::optWindowType[0], [](FormState& m, auto& send) { WindowTypeClicked(m, 0, send); }},
        {ids::optFontType[0], [](FormState& m, auto& send) { FontTypeClicked(m, 0, send); }},
        {ids::optWindowType[1], [](FormState& m, auto& send) { WindowTypeClicked(m, 1, send); }},  // enables the screen sizes
        {ids::optScreenSize[0], [](FormState& m, auto& send) { ScreenSizeClicked(m, 0, send); }},
        {ids::chkGraphicMode, [](FormState& m, auto& send) { GraphicModeClicked(m, true, send); }},
        {ids::optScreen[0], [](FormState& m, auto& send) { ScreenClicked(m, 0, send); }},
        {ids::optScreen[1], [](FormState& m, auto& send) { ScreenClicked(m, 1, send); }},
        {ids::chkGraphicMode, [](FormState& m, auto& send) { GraphicModeClicked(m, false, send); }},
        {ids::optWindowType[0], [](FormState& m, auto& send) { WindowTypeClicked(m, 0, send); }},
    };
    for (const auto& [id, step] : steps) {
        ClickButton(f, id);
        step(r->model, HandleAt(r->model, veskor::win32::PlatformSearch()));
        ControlFocused(r->model, id);
        Compare(*r, "after a click on " + std::to_string(id));
    }
    PostMessageA(GetDlgItem(f, ids::cmdOK), BM_CLICK, 0, 0);
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
    CHECK(IniShows(Join(r->dir, "VESKOR.INI"), IniEntries(CollectSettings(r->model).settings)));
}

const char* const kNames[] = {"VESKOR.LST", "VESKOR.INI", "VESKOR.CFG", "VESKOR1.ZMV"};

// An earlier save, and a key of the administrator's own that a save must keep.
void Earlier(const Run& r) {
    win32::SaveSettingsToDisk(r.dir, {r.app, "DATA01", "SPOOL", "800 x 600", "8X13 TT", "N", "90", "BMP", "0", "1"});
    const std::string ini = Join(r.dir, "VESKOR.INI");
    WritePrivateProfileStringA("SITE", "OWNER", "accounts", ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
}

// OK over an earlier save (the data folder changed). A count run numbers the
// save's steps (calls that change a file of the folder) and leaves four whole
// new files, the administrator's key kept. Then every step is failed alone,
// failed with all after it, and cut off (the utility killed there), and a few
// special runs follow (leftover, reader, held file, another save, fixed
// folder). After each: every file whole old or new at its name, a failed run's
// message names exactly the files not saved, desktops find their settings,
// and the next start and OK leave all four whole new and nothing else.
E2E_CASE("savesweep", every_step_of_a_save_failed_or_cut_off) {
    auto r = Open("savesweep", Earlier, true);
    if (!r->form) return;
    MakeFolders(Join(r->app, "DATA02\\SPOOL"));
    CopyProgram("VESKOR.EXE", Join(r->dir, "VESKOR.EXE"));
    CopyProgram("lockholder.exe", Join(r->dir, "VESKOR1.EXE"));  // starts and ends at once
    EnsureDesktop();
    const auto old = Snapshot(r->dir);
    const auto save = [](HWND form) {
        HWND combo = GetDlgItem(form, ids::cboDataFolder);
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        SendMessageA(form, WM_COMMAND, MAKEWPARAM(ids::cboDataFolder, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
        PostMessageA(GetDlgItem(form, ids::cmdOK), BM_CLICK, 0, 0);
    };
    PickDataFolder(*r, 1);
    const ConfigSettings saved = CollectSettings(r->model).settings;
    ArmSteps(r->dir, StepMode::Count, 0);
    PostMessageA(GetDlgItem(r->form, ids::cmdOK), BM_CLICK, 0, 0);
    CHECK(r->program.WaitExit(20000) == 0);
    const int steps = StepsTaken(r->dir);
    DisarmSteps(r->dir);
    const auto now = Snapshot(r->dir);
    const std::string ini = Join(r->dir, "VESKOR.INI");
    CHECK_MSG(now.size() == old.size() && now.at("VESKOR.LST") == ListFileText(saved) &&
                  now.at("VESKOR.CFG") == CfgFileText(saved) && now.at("VESKOR1.ZMV") == ZmvFileText(r->dir, saved) &&
                  IniShows(ini, IniEntries(saved)) && IniShows(ini, {{"SITE", "OWNER", "accounts"}}),
              "the count run's files: " + now.at("VESKOR.INI"));
    int lost = 0, missing = 0, wrongMessages = 0, failedRecoveries = 0, refusedDesktops = 0, warnings = 0;
    for (int round = 0; round < 3; ++round) {
        RestoreFolder(r->dir, old);
        Process p;
        if (HWND form = StartConfig(p, r->dir)) save(form);
        do refusedDesktops += LaunchersRefused(r->dir, 4);
        while (p.WaitExit(0) == STILL_ACTIVE);
        CHECK_MSG(Snapshot(r->dir) == now, "an ordinary save with desktops starting");
    }
    // Each run: what is done before OK, and a text the message must hold.
    struct Row { std::string what; std::function<void()> before; std::string says; int cutAt; };
    std::vector<Row> rows;
    for (int n = 1; n <= steps; ++n)
        for (int m = 1; m <= 3; ++m)
            rows.push_back({"mode " + std::to_string(m) + " step " + std::to_string(n),
                            [&r, m, n] { ArmSteps(r->dir, static_cast<StepMode>(m), n); }, "", m == 3 ? n : 0});
    Process holder;
    std::unique_ptr<Unchangeable> fixed;
    const std::string lock = Join(r->dir, kSaveLockName);
    rows.push_back({"leftover", [&] { WriteText(NewFileOf(ini), "[cut short"); }, "", 0});
    rows.push_back({"reader", [&] { HoldLock(holder, Join(r->dir, "VESKOR1.ZMV"), "r r 400", r->dir); }, "", 0});
    rows.push_back({"held", [&] { HoldLock(holder, Join(r->dir, "VESKOR.CFG"), "r r 6000", r->dir); },
                    "VESKOR.CFG: " + Reason(ERROR_SHARING_VIOLATION), 0});
    rows.push_back({"another save", [&] { HoldLock(holder, lock, "rw - 8000", r->dir); },
                    "Another save of the settings files in " + r->dir + " is in progress", 0});
    rows.push_back({"fixed folder", [&] { fixed = std::make_unique<Unchangeable>(r->dir); }, "", 0});
    for (const Row& row : rows) {
        RestoreFolder(r->dir, old);
        Process p;
        HWND form = StartConfig(p, r->dir);
        CHECK_MSG(form != nullptr, row.what + ": no form");
        if (!form) continue;
        row.before();
        save(form);
        std::string message;
        if (row.cutAt) WaitUntil([&] { return StepsTaken(r->dir) >= row.cutAt || p.WaitExit(0) != STILL_ACTIVE; }, 20000), p.Kill();
        else if (HWND box = MessageBoxOrExit(p, message, 20000)) PostMessageA(box, WM_COMMAND, IDOK, 0);
        const DWORD code = p.WaitExit(20000);
        DisarmSteps(r->dir);
        holder.Kill(), fixed.reset();
        if (row.what == "another save") DeleteFileA(lock.c_str());
        const bool cutOff = row.cutAt != 0, another = message.rfind("Another save", 0) == 0;
        std::string notSaved, named, states;
        const auto left = Snapshot(r->dir);
        for (const char* name : kNames) {
            const std::optional<std::string> text = ReadText(Join(r->dir, name));
            // A file missing at its name is lost unless another file holds it whole.
            const bool kept = std::any_of(left.begin(), left.end(), [&](const auto& e) {
                return e.second == old.at(name) || e.second == now.at(name);
            });
            if (!text) ++missing, states += std::string(name) + " missing; ";
            if (text != now.at(name) && text != old.at(name) && (text || !kept)) ++lost, states += std::string(name) + " lost; ";
            if (text != now.at(name)) notSaved += std::string(name) + " ";
            if (another || message.find(std::string("\n") + name + ":") != std::string::npos) named += std::string(name) + " ";
        }
        if (!cutOff && (code != 0 || named != notSaved || message.find(row.says) == std::string::npos))
            ++wrongMessages, states += "not saved: " + notSaved + "; message: " + message + "; exit " + std::to_string(code) + "; ";
        if (cutOff && LaunchersRefused(r->dir)) ++refusedDesktops, states += "a desktop refused to start; ";
        // The next start (a warning of a save that did not finish closed as read) and OK.
        Process next;
        HWND again = StartConfig(next, r->dir);
        std::string warning, saveMessage;
        if (HWND box = again ? MessageBoxOrExit(next, warning, 300) : nullptr)
            ++warnings, PostMessageA(box, WM_COMMAND, IDOK, 0), WaitUntil([box] { return !IsWindow(box); });
        if (again) save(again);
        const bool quiet = again && !MessageBoxOrExit(next, saveMessage, 20000);
        std::string differ;
        for (const auto& [name, text] : Snapshot(r->dir)) differ += now.count(name) && now.at(name) == text ? "" : name + " ";
        if (next.WaitExit(20000) != 0 || !quiet || !differ.empty() || Snapshot(r->dir).size() != now.size())
            ++failedRecoveries, states += "not recovered: " + differ + warning + saveMessage;
        next.Kill();
        CHECK_MSG(states.empty(), row.what + ": " + states);
    }
    const auto n = [](int count, const char* what) { return std::to_string(count) + what; };
    Report("savesweep.txt", n(steps, " steps, ") + n(rows.size(), " runs: ") + n(lost, " files lost, ") +
                                n(missing, " missing at their names, ") + n(wrongMessages, " wrong messages, ") +
                                n(failedRecoveries, " failed recoveries, ") + n(refusedDesktops, " desktops refused, ") +
                                n(warnings, " warnings at the next start"));
}

// The sweep where no rename replaces a file, over the utility's store in this
// process: on Windows 95/98 the old file goes aside for a moment; in a folder
// that takes no new files each file is rewritten in place, a copy of it kept in
// %TEMP%. Every step fails alone, or with all after it (as a cut-off there
// leaves the folder). Then each file is whole new, or whole old at its name or
// where the report says; a next start failing from each of its steps reads the
// right settings and names what it could not put back; the retry as the window
// closes puts all back; a save leaves four whole new files and nothing else.
E2E_CASE("savesweep", every_step_without_a_replacing_rename) {
    Run r;
    r.dir = FreshFolder("savesweep_aside"), r.app = Join(r.dir, "APP");
    Earlier(r);
    const auto old = Snapshot(r.dir);
    const ConfigSettings before = win32::LoadSettingsFromDisk(r.dir).settings;
    ConfigSettings after = before;
    after.dataFolderName = "DATA02";
    win32::SaveSettingsToDisk(r.dir, after);
    const auto now = Snapshot(r.dir);
    std::string figures;
    for (const bool inPlace : {false, true}) {
        int steps = 0, aside = 0, damaged = 0;
        const auto save = [&](StepMode mode, int n) {
            ArmSteps(r.dir, mode, n);
            auto fixed = inPlace ? std::make_unique<Unchangeable>(r.dir) : nullptr;
            win32::DiskSettingsStore store(inPlace);
            const SaveReport report = SaveSettings(r.dir, after, store);
            fixed.reset();
            if (mode == StepMode::Count && steps == 0) steps = StepsTaken(r.dir);
            DisarmSteps(r.dir);
            return report;
        };
        RestoreFolder(r.dir, old);
        save(StepMode::Count, 0);
        CHECK_MSG(Snapshot(r.dir) == now && steps > 0, "the count run");
        for (int n = 1, all = steps; n <= all; ++n)
            for (const StepMode mode : {StepMode::FailOne, StepMode::FailFrom}) {
                RestoreFolder(r.dir, old);
                const SaveReport report = save(mode, n);
                const auto left = Snapshot(r.dir);
                const auto want = [&](const SavedFile& f) { return (f.error == 0 ? now : old).at(f.name); };
                std::vector<std::string> asides;
                std::string states;
                for (const SavedFile& f : report) {
                    const bool away = f.left == LeftAs::Aside;
                    if (ReadText(away ? Join(r.dir, f.copy) : f.left == LeftAs::Damaged ? f.copy : Join(r.dir, f.name)) !=
                            want(f) || (away && Exists(Join(r.dir, f.name))) ||
                        (mode == StepMode::FailOne && f.left != LeftAs::Old))  // one failure is always undone
                        states += std::string(f.name) + " lost or left aside; ";
                    if (away) asides.push_back(f.name);
                    damaged += f.left == LeftAs::Damaged;
                }
                const ConfigSettings& stored = report[1].error == 0 ? after : before;
                aside += !asides.empty();
                for (int k = 1; !asides.empty(); ++k) {
                    RestoreFolder(r.dir, left);
                    ArmSteps(r.dir, StepMode::FailFrom, k);
                    const LoadResult load = win32::LoadSettingsFromDisk(r.dir);
                    const bool through = StepsTaken(r.dir) < k;
                    DisarmSteps(r.dir);
                    std::size_t named = 0;
                    for (const std::string& name : asides) {
                        const bool told = std::any_of(load.notBack.begin(), load.notBack.end(),
                                                      [&](const NotPutBack& f) { return f.name == name; });
                        named += told;
                        if (!told && ReadText(Join(r.dir, name)) != old.at(name)) states += name + " not back; ";
                    }
                    if (!(load.settings == stored) || named != load.notBack.size())
                        states += "a start failing from step " + std::to_string(k) + " read or named wrongly; ";
                    if (through) break;
                }
                RestoreFolder(r.dir, left);
                win32::PutBackEarlier(r.dir, report);
                for (const SavedFile& f : report)
                    if (ReadText(Join(r.dir, f.name)) != want(f) || (f.left == LeftAs::Damaged && Exists(f.copy)))
                        states += std::string(f.name) + " not put back; ";
                if (!(win32::LoadSettingsFromDisk(r.dir).settings == stored)) states += "the next start; ";
                save(StepMode::Count, 0);
                CHECK_MSG(states.empty() && Snapshot(r.dir) == now, (inPlace ? "in place, mode " : "aside, mode ") +
                              std::to_string(static_cast<int>(mode)) + " step " + std::to_string(n) + ": " + states);
            }
        figures += std::string(inPlace ? "in place: " : "aside: ") + std::to_string(steps) + " steps, 2 runs each, " +
                   std::to_string(aside) + " with a file aside, " + std::to_string(damaged) + " files damaged; ";
    }
    Report("savesweep_aside.txt", figures);
}

// Loaded from VESKOR.INI or, without it, from VESKOR.LST, the window shows what
// the state holds after the same load; Cancel, Escape and the close box then
// end the program without writing a file. A VESKOR.INI the user may not read
// is named in a warning owned by the form, with the defaults shown behind it;
// after it the focus is back in the application folder field.
E2E_CASE("configform", load_then_cancel_escape_or_close_writes_nothing) {
    const Files list = [](const Run& r) {
        WriteText(Join(r.dir, "VESKOR.LST"), "APPLPATH=" + r.app + "\r\nDATAPATH=DATA02\r\nMAX_FLAG=Y\r\nMAX_SIZE=60\r\nMAX_TYPE=TT\r\nGRAPHIC=1\r\n");
    };
    const Files unreadable = [](const Run& r) {
        Ini("1", "Y", "1024 x 768")(r);
        WriteText(NoReadMarker(Join(r.dir, "VESKOR.INI")), "");
    };
    const std::tuple<const char*, Files, std::function<void(HWND)>> ways[] = {
        {"cancel", Ini("0", "N", "800 x 600"), [](HWND f) { PostMessageA(GetDlgItem(f, ids::cmdCancel), BM_CLICK, 0, 0); }},
        {"escape", list, [](HWND f) { Key(f, VK_ESCAPE); }},
        {"closebox", Ini("0", "N", "800 x 600"), ClickCloseBox},
        {"unreadable", unreadable, [](HWND f) { Key(f, VK_ESCAPE); }},
    };
    for (const auto& [way, files, close] : ways) {
        auto r = Open(std::string("cfgform_close_") + way, files);
        if (!r->form) continue;
        if (std::string(way) == "unreadable") {
            const std::string warning = "The settings file " + Join(r->dir, "VESKOR.INI") + " cannot be read:\r\n" +
                                        Reason(ERROR_ACCESS_DENIED) + "\r\n\r\nThe form shows the default settings. "
                                        "OK saves what the form shows in place of the stored settings.";
            HWND box = WaitVisibleWindow(r->program.id(), "#32770", 10000);
            CHECK_MSG(box && GetWindow(box, GW_OWNER) == r->form && WindowText(box) == kMessageCaption &&
                          FindWindowExA(box, nullptr, "Static", warning.c_str()),
                      "no warning owned by the form with its caption and text");
            if (box) PostMessageA(box, WM_COMMAND, IDOK, 0), WaitUntil([box] { return !IsWindow(box); });
            // The focus where a normal start puts it, so that Escape works at once.
            CHECK_MSG(WaitUntil([&] { return FocusId(r->form) == ids::txtAppFolder; }), "focus after the warning");
        }
        Compare(*r, way);
        const auto before = Snapshot(r->dir);
        ClickButton(r->form, ids::chkGraphicMode);
        close(r->form);
        CHECK_MSG(r->program.WaitExit(10000) == 0, way);
        CHECK_MSG(Snapshot(r->dir) == before, std::string(way) + " wrote a file");
    }
}

// The form at the screen's DPI: placed and laid out as the table says, scaled;
// every caption and list entry whole, and the text of a label, an edit and the
// help panel as tall as its scaled font draws it.
E2E_CASE("dpi", config_form_follows_the_display_scale) {
    auto r = Open("cfgform_dpi", Ini("0", "N", "800 x 600"));
    if (!r->form) return;
    HWND f = r->form;
    CheckLayout(f);
    for (const ControlSpec& c : FormControls()) {
        const bool ink = c.id == ids::lblCaption[0] || c.id == ids::txtSpoolFolder || c.id == ids::lblHelp;
        CHECK_EQ(TextFault(GetDlgItem(f, c.id), c.font, ink), std::string());
    }
    PostMessageA(f, WM_CLOSE, 0, 0);
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
}

}  // namespace
}  // namespace e2e
