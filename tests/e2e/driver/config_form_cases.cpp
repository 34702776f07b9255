// The configuration form end to end: VESKORCFG.EXE under Wine, driven through
// its own window. Each step is done to the window and to a FormState alongside;
// after each step the window must show exactly what the state holds, and the
// cases check the named outcomes (texts, checks, colours, files) directly.
#include <functional>
#include <memory>

#include "case_probes.h"
#include "config_form.h"
#include "config_layout.h"
#include "config_window.h"
#include "form_probe.h"
#include "harness.h"
#include "settings_files.h"

namespace e2e {
namespace {

using namespace veskor::config;

// The directory search the program's folder checks use.
veskor::DirectorySearch DiskSearch() {
    return [](const std::string& pattern, const std::function<bool(const veskor::DirEntry&)>& visit) {
        win32::DiskSettingsStore().Search(pattern, visit);
    };
}

const std::string kAll[] = {"VESKOR.INI", "VESKOR.LST", "VESKOR.CFG", "VESKOR1.ZMV"};

// A folder with VESKORCFG.EXE (the working folder) and an application folder
// APP with VESKOR32.EXE, DATA01\SPOOL and DATA02.
struct Setup {
    std::string dir, app;
};

Setup MakeSetup(const std::string& name) {
    Setup s;
    s.dir = FreshFolder(name);
    s.app = Join(s.dir, "APP");
    MakeFolders(Join(s.app, "DATA01\\SPOOL"));
    MakeFolders(Join(s.app, "DATA02"));
    CopyProgram("recorder.exe", Join(s.app, "VESKOR32.EXE"));
    CopyProgram("VESKORCFG.EXE", Join(s.dir, "VESKORCFG.EXE"));
    return s;
}

// Writes VESKOR.INI with the application folder, the graphic mode, MAX_FLAG and
// the screen size, and a section of its own that a save must keep.
std::function<void(const Setup&)> Ini(const char* graphic, const char* maxFlag, const char* screenSize) {
    return [=](const Setup& s) {
        WriteText(Join(s.dir, "VESKOR.INI"),
                  "[FOLDERS]\r\nAPPLFOLDER=" + s.app + "\r\nDATAFOLDER=data01\r\nSPOOLFOLDER=SPOOL\r\n[SCREEN]\r\n" +
                      "SCRNSIZE=" + screenSize + "\r\nGRAPHICMODE=" + graphic + "\r\nGRAPHICSCRN=0\r\n[ZMV_SETTINGS]\r\n" +
                      "FONTSIZE=8x14 TT\r\nMAX_FLAG=" + maxFlag + "\r\nMAX_SIZE=70\r\nMAX_TYPE=BMP\r\n[OTHER]\r\nKEEP=this\r\n");
    };
}

// The running program with the state it is expected to show.
struct Run {
    Setup setup;
    Process program;
    HWND form = nullptr;
    FormState model;
};

std::unique_ptr<Run> Open(const std::string& name, const std::function<void(const Setup&)>& files) {
    auto r = std::make_unique<Run>();
    r->setup = MakeSetup(name);
    if (files) files(r->setup);
    r->model = InitialFormState();
    FillDataFolders(r->model);
    ShowSettings(r->model, win32::LoadSettingsFromDisk(r->setup.dir).settings, DiskSearch());
    ControlFocused(r->model, ids::txtAppFolder);
    r->form = StartConfig(r->program, r->setup.dir);
    CHECK_MSG(r->form != nullptr, name + ": no form with loaded settings");
    return r;
}

// Closes the form as the system menu would; the program ends with exit code 0.
void CloseAndWait(Run& r) {
    PostMessageA(r.form, WM_CLOSE, 0, 0);
    CHECK_EQ(r.program.WaitExit(10000), 0ul);
}

template <std::size_t N>
void CompareGroup(HWND form, const std::array<OptionButton, N>& group, const std::array<int, N>& ids,
                  const std::string& step) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::string what = step + ": " + ItemText(form, ids[i]);
        CHECK_MSG(IsChecked(form, ids[i]) == group[i].checked, what + " check");
        CHECK_MSG(IsEnabled(form, ids[i]) == group[i].enabled, what + " enabled");
    }
}

// Everything the window shows against the state.
void Compare(const Run& r, const std::string& step) {
    HWND f = r.form;
    const FormState& m = r.model;
    CHECK_MSG(ItemText(f, ids::txtAppFolder) == m.appFolderText, step + ": " + ItemText(f, ids::txtAppFolder));
    CHECK_MSG(ItemText(f, ids::txtSpoolFolder) == m.spoolFolderText, step + ": spool");
    CHECK_MSG(ComboEntries(f, ids::cboDataFolder) == m.dataFolders.entries, step + ": data entries");
    CHECK_MSG(ComboSelection(f, ids::cboDataFolder) == m.dataFolders.selected, step + ": data selection");
    CHECK_MSG(ComboEntries(f, ids::cboFontSize) == m.fontSizes.entries, step + ": font entries");
    CHECK_MSG(ComboSelection(f, ids::cboFontSize) == m.fontSizes.selected,
              step + ": font selection " + std::to_string(ComboSelection(f, ids::cboFontSize)));
    CHECK_MSG(IsEnabled(f, ids::cboFontSize) == m.fontSizes.enabled, step + ": font list enabled");
    CHECK_MSG(IsChecked(f, ids::chkGraphicMode) == m.graphicModeChecked, step + ": graphic mode");
    CompareGroup(f, m.windowType, ids::optWindowType, step);
    CompareGroup(f, m.fontType, ids::optFontType, step);
    CompareGroup(f, m.screen, ids::optScreen, step);
    CompareGroup(f, m.screenSize, ids::optScreenSize, step);
    const int lines[] = {ids::lblAppStatus, ids::lblDataStatus, ids::lblSpoolStatus};
    for (std::size_t i = 0; i < 3; ++i) {
        CHECK_MSG(ItemText(f, lines[i]) == m.status[i].text, step + ": status " + ItemText(f, lines[i]));
        if (m.status[i].text.empty() || !m.status[i].colour) continue;
        const DrawnColour want = *m.status[i].colour == kRed ? DrawnColour::Red : DrawnColour::Black;
        CHECK_MSG(TextColourOf(GetDlgItem(f, lines[i])) == want, step + ": colour of status " + std::to_string(i));
    }
    CHECK_MSG(ItemText(f, ids::lblHelp) == m.help, step + ": help \"" + ItemText(f, ids::lblHelp) + "\"");
}

void SetItemText(HWND form, int id, const std::string& text) {
    SendMessageA(GetDlgItem(form, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The user's pick in the data folder list: the selection, then its notification.
void PickDataFolder(HWND form, int index) {
    HWND combo = GetDlgItem(form, ids::cboDataFolder);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(ids::cboDataFolder, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

// A key pressed in the control that has the focus.
void Key(HWND form, WORD key) {
    HWND target = FocusOf(form);
    PostMessageA(target ? target : form, WM_KEYDOWN, key, 1);
    PostMessageA(target ? target : form, WM_KEYUP, key, 0xC0000001);
}

// Tab, then the control that took the focus (its identifier), once the help
// panel has had its chance to follow.
int TabToNext(HWND form) {
    HWND before = FocusOf(form);
    Key(form, VK_TAB);
    WaitUntil([&] { return FocusOf(form) != before; });
    const int id = FocusId(form);
    WaitUntil([&] { return ItemText(form, ids::lblHelp) == HelpText(id); }, 500);
    return id;
}

std::string Snapshot(const std::string& dir) {
    std::string all;
    for (const std::string& name : kAll) all += name + ":" + ReadText(Join(dir, name)).value_or("<none>") + "\n";
    return all;
}

// A file's keys in order as "SECTION/KEY=value" lines.
std::vector<std::string> IniKeys(const std::string& text) {
    std::vector<std::string> keys;
    std::string section;
    for (const std::string& line : Lines(text)) {
        if (!line.empty() && line[0] == '[') section = line.substr(1, line.find(']') - 1);
        else if (line.find('=') != std::string::npos) keys.push_back(section + "/" + line);
    }
    return keys;
}

// The window shows what the state holds after the same load, from each source,
// with the focus and its help on the application folder.
E2E_CASE("configform", load_from_each_source) {
    const std::pair<const char*, std::function<void(const Setup&)>> sources[] = {
        {"cfgform_ini", Ini("0", "N", "800 x 600")},
        {"cfgform_lst",
         [](const Setup& s) {
             WriteText(Join(s.dir, "VESKOR.LST"), "APPLPATH=" + s.app + "\r\nDATAPATH=DATA02\r\nMAX_FLAG=Y\r\n" +
                                                      "MAX_SIZE=60\r\nMAX_TYPE=TT\r\nGRAPHIC=1\r\n");
         }},
        {"cfgform_defaults", nullptr},
    };
    for (const auto& [name, files] : sources) {
        auto r = Open(name, files);
        if (!r->form) continue;
        Compare(*r, name);
        CHECK_EQ(FocusId(r->form), ids::txtAppFolder);
        CloseAndWait(*r);
    }
}

// Every control where the layout table puts it, with its class, styles and,
// where nothing replaces it, its caption; the form itself centred at its size.
E2E_CASE("configform", layout_as_the_table_gives) {
    auto r = Open("cfgform_layout", nullptr);
    if (!r->form) return;
    HWND f = r->form;
    CHECK_EQ(ClassOf(f), std::string(kConfigClass));
    CHECK_EQ(WindowText(f), std::string(kForm.caption));
    RECT outer;
    GetWindowRect(f, &outer);
    const Point at = FormPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CHECK_EQ(outer.left, at.x);
    CHECK_EQ(outer.top, at.y);
    CHECK_EQ(outer.right - outer.left, kForm.width);
    CHECK_EQ(outer.bottom - outer.top, kForm.height);
    CHECK_EQ(static_cast<DWORD>(GetWindowLongA(f, GWL_STYLE)) & kForm.style, kForm.style);
    HWND previous = nullptr;
    for (const ControlSpec& c : FormControls()) {
        const std::string what = std::string(c.name) + " " + std::to_string(c.arrayIndex);
        HWND w = GetDlgItem(f, c.id);
        CHECK_MSG(w != nullptr, what + " missing");
        if (!w) continue;
        CHECK_MSG(GetWindow(w, GW_HWNDPREV) == previous, what + " out of creation order");
        previous = w;
        CHECK_MSG(lstrcmpiA(ClassOf(w).c_str(), ControlClassName(c.kind)) == 0, what + " class " + ClassOf(w));
        const RECT box = RectInParent(w);
        CHECK_MSG(box.left == c.x && box.top == c.y && box.right - box.left == c.width, what + " position");
        if (c.kind != ControlKind::ComboBox) CHECK_MSG(box.bottom - box.top == c.height, what + " height");
        // The platform keeps a combo box's scroll bar and edge itself, and moves an
        // option button's tab stop to the checked member of its group.
        DWORD style = c.style, exStyle = c.exStyle;
        if (c.kind == ControlKind::ComboBox) style &= ~WS_VSCROLL, exStyle &= ~WS_EX_CLIENTEDGE;
        if (c.kind == ControlKind::OptionButton) style &= ~WS_TABSTOP;
        CHECK_MSG((static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) & style) == style, what + " style");
        CHECK_MSG((static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE)) & exStyle) == exStyle, what + " ex style");
        const bool replaced = c.kind == ControlKind::Edit || c.kind == ControlKind::ComboBox || c.id == ids::lblHelp ||
                              (c.id >= ids::lblAppStatus && c.id <= ids::lblSpoolStatus);
        if (!replaced) CHECK_MSG(WindowText(w) == c.caption, what + " caption " + WindowText(w));
    }
    CloseAndWait(*r);
}

// Each change of a folder box runs the checks again; the window must show the
// status lines (texts and colours) the state holds after the same change.
E2E_CASE("configform", status_lines_follow_the_folders) {
    auto r = Open("cfgform_status", Ini("1", "Y", "1024 x 768"));
    if (!r->form) return;
    const auto search = DiskSearch();
    HWND f = r->form;
    Compare(*r, "all found");
    const auto setText = [&](int id, const std::string& text) {
        SetItemText(f, id, text);
        (id == ids::txtAppFolder ? AppFolderChanged : SpoolFolderChanged)(r->model, text, search);
        Compare(*r, text);
    };
    setText(ids::txtSpoolFolder, "nosuch");
    // Typed letters show in capitals.
    SendMessageA(GetDlgItem(f, ids::txtSpoolFolder), EM_SETSEL, 6, 6);
    PostMessageA(GetDlgItem(f, ids::txtSpoolFolder), WM_CHAR, 'x', 1);
    WaitUntil([f] { return ItemText(f, ids::txtSpoolFolder) == "NOSUCHX"; });
    SpoolFolderChanged(r->model, "NOSUCHX", search);
    Compare(*r, "typed");
    setText(ids::txtSpoolFolder, "spool");
    PickDataFolder(f, 2);
    DataFolderPicked(r->model, 2, search);
    Compare(*r, "data folder missing");
    setText(ids::txtAppFolder, "\\\\?\\" + r->setup.app);  // a network share
    setText(ids::txtAppFolder, r->setup.dir);                // no program there
    ClickButton(f, ids::cmdCancel);
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
}

E2E_CASE("configform", option_rules) {
    auto r = Open("cfgform_options", Ini("0", "N", "800 x 600"));
    if (!r->form) return;
    HWND f = r->form;
    // The window must follow the state through every step.
    const std::pair<const char*, std::function<void(FormState&)>> steps[] = {
        {"MAX", [](FormState& m) { WindowTypeClicked(m, 0); }},
        {"TT", [](FormState& m) { FontTypeClicked(m, 0); }},
        {"SIZE", [](FormState& m) { WindowTypeClicked(m, 1); }},
        {"640 x 480", [](FormState& m) { ScreenSizeClicked(m, 0); }},
        {"1024 x 768", [](FormState& m) { ScreenSizeClicked(m, 2); }},
        {"Graphic Mode on", [](FormState& m) { GraphicModeClicked(m, true); }},
        {"SCREEN 1", [](FormState& m) { ScreenClicked(m, 0); }},
        {"SCREEN 2", [](FormState& m) { ScreenClicked(m, 1); }},
        {"Graphic Mode off", [](FormState& m) { GraphicModeClicked(m, false); }},
        {"MAX again", [](FormState& m) { WindowTypeClicked(m, 0); }},
    };
    const int stepIds[] = {ids::optWindowType[0], ids::optFontType[0], ids::optWindowType[1], ids::optScreenSize[0],
                           ids::optScreenSize[2], ids::chkGraphicMode,  ids::optScreen[0],     ids::optScreen[1],
                           ids::chkGraphicMode,   ids::optWindowType[0]};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        ClickButton(f, stepIds[i]);
        steps[i].second(r->model);
        ControlFocused(r->model, stepIds[i]);
        Compare(*r, steps[i].first);
    }
    CloseAndWait(*r);
}

E2E_CASE("configform", help_follows_the_focus) {
    auto r = Open("cfgform_help", nullptr);
    if (!r->form) return;
    HWND f = r->form;
    const std::string label = ItemText(f, ids::lblHelp);
    // A click on a label or a group box leaves the panel and the focus as they are.
    for (POINT p : {POINT{20, 185}, POINT{410, 250}}) {
        ClientToScreen(f, &p);
        ClickAt(p.x, p.y);
        Sleep(100);
        CHECK_EQ(ItemText(f, ids::lblHelp), label);
        CHECK_EQ(FocusId(f), ids::txtAppFolder);
    }
    for (int id : {ids::cboDataFolder, ids::txtSpoolFolder, ids::chkGraphicMode}) {
        CHECK_EQ(TabToNext(f), id);
        CHECK_EQ(ItemText(f, ids::lblHelp), HelpText(id));
    }
    // Onwards through every stop: each shows its own help and the browse button is never one.
    for (int i = 0; i < 8; ++i) {
        const int id = TabToNext(f);
        CHECK(id != ids::cmdSelectFolder);
        CHECK_MSG(ItemText(f, ids::lblHelp) == HelpText(id), "help after focus moved to " + std::to_string(id));
    }
    Key(f, VK_ESCAPE);
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
}

E2E_CASE("configform", ok_writes_the_four_files) {
    auto r = Open("cfgform_ok", Ini("0", "N", "800 x 600"));
    if (!r->form) return;
    HWND f = r->form;
    const auto search = DiskSearch();
    ClickButton(f, ids::optWindowType[0]);
    WindowTypeClicked(r->model, 0);
    // A size picked in the list is saved.
    SendMessageA(GetDlgItem(f, ids::cboFontSize), CB_SETCURSEL, 1, 0);
    FontSizePicked(r->model, 1);
    SetItemText(f, ids::txtSpoolFolder, "prn");
    SpoolFolderChanged(r->model, "prn", search);
    const ConfigSettings saved = CollectSettings(r->model).settings;
    PostMessageA(GetDlgItem(f, ids::cmdOK), BM_CLICK, 0, 0);
    CHECK_EQ(r->program.WaitExit(10000), 0ul);

    const std::string dir = r->setup.dir;
    CHECK_EQ(saved.maxSize, "90");
    CHECK_EQ(ReadText(Join(dir, "VESKOR.LST")).value_or(""), ListFileText(saved));
    CHECK_EQ(ReadText(Join(dir, "VESKOR.CFG")).value_or(""), UpperCase(r->setup.app) + "\r\nDATA01\r\n");
    CHECK_EQ(ReadText(Join(dir, "VESKOR1.ZMV")).value_or(""), ZmvFileText(dir, saved));
    std::vector<std::string> expected;
    for (const IniEntry& e : IniEntries(saved)) expected.push_back(std::string(e.section) + "/" + e.key + "=" + e.value);
    expected.push_back("OTHER/KEEP=this");
    CHECK_MSG(IniKeys(ReadText(Join(dir, "VESKOR.INI")).value_or("")) == expected, "VESKOR.INI keys");
}

E2E_CASE("configform", network_share_refused_and_closed) {
    auto r = Open("cfgform_share", Ini("1", "Y", "1024 x 768"));
    if (!r->form) return;
    const std::string before = Snapshot(r->setup.dir);
    SetItemText(r->form, ids::txtAppFolder, "\\\\?\\" + r->setup.app);
    PostMessageA(GetDlgItem(r->form, ids::cmdOK), BM_CLICK, 0, 0);
    HWND box = WaitDialog(r->program.id(), 10000);
    CHECK_MSG(box != nullptr, "no message box");
    if (box) {
        CHECK_EQ(WindowText(box), std::string(kMessageCaption));
        HWND text = FindWindowExA(box, nullptr, "Static", kShareRefusalText);
        CHECK_MSG(text != nullptr, "message text missing");
        HWND ok = GetDlgItem(box, IDOK);
        CHECK(ok != nullptr && WindowText(ok) == "OK");
        CHECK(GetDlgItem(box, IDCANCEL) == nullptr);
        CHECK_EQ(Snapshot(r->setup.dir), before);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    CHECK_EQ(r->program.WaitExit(10000), 0ul);
    CHECK_EQ(Snapshot(r->setup.dir), before);
}

E2E_CASE("configform", cancel_escape_and_close_write_nothing) {
    const std::pair<const char*, std::function<void(HWND)>> ways[] = {
        {"Cancel", [](HWND f) { PostMessageA(GetDlgItem(f, ids::cmdCancel), BM_CLICK, 0, 0); }},
        {"Escape", [](HWND f) { Key(f, VK_ESCAPE); }},
        {"close box", [](HWND f) {
             const POINT p = CloseBoxCentre(f);
             CHECK_MSG(p.x >= 0, "no close box");
             ClickAt(p.x, p.y);
         }},
    };
    for (const auto& way : ways) {
        auto r = Open(std::string("cfgform_close_") + (way.first[0] == 'c' ? "box" : way.first),
                      Ini("0", "N", "800 x 600"));
        if (!r->form) continue;
        const std::string before = Snapshot(r->setup.dir);
        ClickButton(r->form, ids::chkGraphicMode);
        way.second(r->form);
        CHECK_MSG(r->program.WaitExit(10000) == 0, way.first);
        CHECK_MSG(Snapshot(r->setup.dir) == before, std::string(way.first) + " wrote a file");
    }
}

E2E_CASE("configform", select_folder_dialog) {
    auto r = Open("cfgform_browse", nullptr);
    if (!r->form) return;
    HWND f = r->form;
    const std::string other = Join(r->setup.dir, "Other Place");
    MakeFolders(other);
    CopyProgram("recorder.exe", Join(other, "veskor32.exe"));
    const std::string before = ItemText(f, ids::txtAppFolder);
    for (bool choose : {false, true}) {
        PostMessageA(GetDlgItem(f, ids::cmdSelectFolder), BM_CLICK, 0, 0);
        HWND dialog = WaitDialog(r->program.id(), 10000);
        CHECK_MSG(dialog != nullptr, "no open-file dialog");
        if (!dialog) break;
        CHECK_EQ(WindowText(dialog), "Find VESKOR32.EXE");
        CHECK(GetWindow(dialog, GW_OWNER) == f);
        const std::vector<std::string> types = ComboEntries(dialog, 0x0470);  // the file type list
        CHECK(types == std::vector<std::string>{"VESKOR Application (VESKOR32.EXE)"});
        RECT d;
        GetWindowRect(dialog, &d);
        CHECK_EQ(d.left, (GetSystemMetrics(SM_CXSCREEN) - (d.right - d.left)) / 2);
        CHECK_EQ(d.top, (GetSystemMetrics(SM_CYSCREEN) - (d.bottom - d.top)) / 2);
        if (choose) {
            HWND name = GetDlgItem(dialog, 0x047C);  // the file name box
            if (name && ClassOf(name) == "ComboBoxEx32") name = FindWindowExA(name, nullptr, "ComboBox", nullptr);
            if (name && ClassOf(name) == "ComboBox") name = FindWindowExA(name, nullptr, "Edit", nullptr);
            CHECK_MSG(name != nullptr, "no file name box");
            if (!name) break;
            // The dialog opens in the initial folder and keeps the name alone in the box.
            CHECK_EQ(WindowText(name), "VESKOR32.EXE");
            SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Join(other, "veskor32.exe").c_str()));
        }
        PostMessageA(dialog, WM_COMMAND, choose ? IDOK : IDCANCEL, 0);
        const DWORD t0 = GetTickCount();
        while (IsWindow(dialog) && GetTickCount() - t0 < 5000) Sleep(10);
        if (choose) {
            WaitUntil([&] { return ItemText(f, ids::txtAppFolder) != before; });
            FolderChosen(r->model, Join(other, "veskor32.exe"), DiskSearch());
            ControlFocused(r->model, ids::cmdSelectFolder);
            CHECK_EQ(ItemText(f, ids::txtAppFolder), UpperCase(other));
            Compare(*r, "chosen");
        } else {
            CHECK_EQ(ItemText(f, ids::txtAppFolder), before);
        }
    }
    CloseAndWait(*r);
}

}  // namespace
}  // namespace e2e
