// The console window launcher VESKOR1.EXE end to end, with the stand-in
// console application as its program: console window, title and font, the
// per-title registry key, command line and folder, refusals and failures, test
// mode; and (group "zmv_win9x") the program information file of Windows 98/95.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "case_probes.h"
#include "harness.h"
#include "winutil.h"
#include "zmv_config.h"
#include "zmv_console.h"
#include "zmv_setup.h"
#include "zmv_start.h"

namespace e2e {
namespace {

namespace zmv = veskor::zmv;
constexpr DWORD kRefused = 0, kStarted = 1;

std::string Zmv(const std::string& program, const std::string& title, const std::string& more) {
    return "PROGNAME: " + program + "\r\nTITLEBAR: " + title + "\r\n" + more + "COMMENTS:\r\nfree text\r\n";
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// The run showed exactly the message box expected (its caption, "|" and its
// text), or none when expected is empty.
void CheckBox(const LaunchRun& run, const std::string& expected, const std::string& what) {
    std::string shown;
    for (const MessageBoxSeen& b : run.boxes) shown += (shown.empty() ? "" : "\n") + b.caption + "|" + b.text;
    CHECK_EQ(what + ": " + shown, what + ": " + expected);
}

const std::string kClassic(zmv::kClassicConsoleHost);

// Each row runs a configuration under a terminal choice (a pair of values);
// the stand-in reports what it got and its window at the end (visible iconic
// zoomed); the key is read while it exists. Unless the host would keep the
// console, a visible state starts minimised and is shown once the window
// exists, also after the program renamed it. Key and cell never depend on it.
E2E_CASE("zmv", console_window_key_font_state_and_start) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "700");
#define VESKOR_TT_MAX "FONTTYPE: TT\r\nFONTSIZE: Max\r\nQUICK_ED: Y\r\nWINSTATE: "
    const char* const lucida = "Lucida Console";
    const char *const c = kClassic.c_str(), *const lower = "{b23d10c0-e52e-411e-9d5b-c09fdf709c7d}",
                      *const bare = "B23D10C0-E52E-411E-9D5B-C09FDF709C7D";
    const DWORD tt = 20u << 16 | 12;  // work area 1024 wide: TrueType at 100% is 12 x 20
#define TT_APP "", "APP", lucida, false, tt, 0x36, 1
    struct Row {
        const char *console, *terminal, *title, *keys;
        int renameMs;  // the stand-in renames its console this long after its start; -1: never
        const char *arguments, *programFolder, *face;
        bool quotedTail;  // pass the .zmv as a quoted argument with a blank in its path
        DWORD fontSize, family, quickEdit, show, flags;
        const char* window;
    } rows[] = {
        {nullptr, nullptr, "Raster A\\B", "FONTTYPE: BMP\r\nFONTSIZE: 8x12\r\nWINSTATE: MIN\r\nQUICK_ED: N\r\n", -1, "",
         "My Long Program Folder", "Terminal", true, 12u << 16 | 8, 0x30, 0, 6, 1 | 8, "1 1 0"},
        {c, c, "Veskor Console", "CMD_LINE: C:\\APP//C:\\APP\\//DATA01//N//SPOOL\r\nFULLSCRN: N\r\n" VESKOR_TT_MAX "MAX\r\n", -1,
         "C:\\APP//C:\\APP\\//DATA01//N//SPOOL", "APP", lucida, false, tt, 0x36, 1, 3, 1 | 4 | 8, "1 0 1"},
        {kTerminalConsole, kTerminalTerminal, "B\xFCro Test", VESKOR_TT_MAX "MAX\r\n", -1, TT_APP, 2, 1 | 4 | 8, "1 0 1"},
        {c, kLetWindowsDecide, "Test?", VESKOR_TT_MAX "SHO\r\n", -1, TT_APP, 2, 1 | 8, "1 0 0"},
        {nullptr, nullptr, "A*B", VESKOR_TT_MAX "4\r\n", -1, TT_APP, 7, 1 | 8, "1 0 0"},
        {nullptr, nullptr, ".Test", VESKOR_TT_MAX "8\r\n", -1, TT_APP, 7, 1 | 8, "1 0 0"},
        {kTerminalConsole, kTerminalTerminal, "Tab\tTitle", VESKOR_TT_MAX "HID\r\n", -1, TT_APP, 0, 1 | 8, "0 0 0"},
        {c, nullptr, "State", VESKOR_TT_MAX "MAX\r\n", -1, TT_APP, 2, 1 | 4 | 8, "1 0 1"},
        {c, kTerminalTerminal, "State", VESKOR_TT_MAX "MAX\r\n", -1, TT_APP, 3, 1 | 4 | 8, "1 0 1"},
        {lower, lower, "State", VESKOR_TT_MAX "MAX\r\n", -1, TT_APP, 3, 1 | 4 | 8, "1 0 1"},
        {bare, bare, "State", VESKOR_TT_MAX "MAX\r\n", -1, TT_APP, 2, 1 | 4 | 8, "1 0 1"},
        {nullptr, nullptr, "Renamed", VESKOR_TT_MAX "MAX\r\n", 0, TT_APP, 2, 1 | 4 | 8, "1 0 1"},
        {nullptr, nullptr, "Renamed", VESKOR_TT_MAX "MAX\r\n", 5, TT_APP, 2, 1 | 4 | 8, "1 0 1"},
        {nullptr, nullptr, "Renamed", VESKOR_TT_MAX "MAX\r\n", 30, TT_APP, 2, 1 | 4 | 8, "1 0 1"},
        {c, c, "Renamed", VESKOR_TT_MAX "MAX\r\n", 0, TT_APP, 3, 1 | 4 | 8, "1 0 1"},
        {c, c, "Renamed", VESKOR_TT_MAX "MAX\r\n", 5, TT_APP, 3, 1 | 4 | 8, "1 0 1"},
        {c, c, "Renamed", VESKOR_TT_MAX "MAX\r\n", 30, TT_APP, 3, 1 | 4 | 8, "1 0 1"},
    };
#undef VESKOR_TT_MAX
#undef TT_APP
    // A profile without a console key: the launcher's volatile title key must
    // leave it lasting, so that the next row can store the terminal choice.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Console");
    for (const Row& r : rows) {
        CHECK(SetDefaultTerminal(r.console, r.terminal));
        ScopedVariable rename("VESKOR_STANDIN_RENAME_MS", r.renameMs < 0 ? nullptr : std::to_string(r.renameMs).c_str());
        const std::string name = r.title + (" " + std::to_string(r.show)) + " " + (r.console ? r.console : "-") + " " +
                                 (r.terminal ? r.terminal : "-") + " " + std::to_string(r.renameMs) + ": ";
        const ZmvLayout l = MakeZmvLayout("zmv-console", r.programFolder);
        std::string zmvPath = l.zmv(), tail;
        if (r.quotedTail) {
            zmvPath = Join(l.root, "My Configs\\a.zmv");
            MakeFolders(Folder(zmvPath));
            tail = "\"" + zmvPath + "\"";
        }
        WriteText(zmvPath, Zmv(l.program, r.title, r.keys));
        const std::string key = zmv::ConsoleKeyName(r.title);
        const LaunchRun run = RunLauncher(l.launcher(), tail, l.root, {key, ""});
        CHECK_EQ(run.exitCode, kStarted);
        CHECK_MSG(run.elapsedMs < 8000, name + std::to_string(run.elapsedMs) + " ms");
        CheckBox(run, "", name);
        const ConsoleKeySeen k = run.key.value_or(ConsoleKeySeen{});
        CHECK_MSG(k.fontSize == r.fontSize && k.faceName == r.face && k.faceNameBytes == std::strlen(r.face) + 1 &&
                      k.fontFamily == r.family && k.fullScreen == 0 && k.fontWeight == 400 && k.quickEdit == r.quickEdit,
                  name + "console key " + std::to_string(k.fontSize) + " " + k.faceName);
        CHECK_MSG(!KeyExists(key), key + " left behind");
        const std::string log = ReadText(l.log()).value_or("");
        CHECK_EQ(CountOf(log, "START\r\n"), 1);
        CHECK_EQ(name + LogValue(log, "TITLE") + "|" + LogValue(log, "SHOW") + "|" + LogValue(log, "STARTFLAGS") + "|" +
                     LogValue(log, "WINDOW"),
                 name + (r.renameMs < 0 ? r.title : "RENAMED BY STAND-IN") + "|" + std::to_string(r.show) + "|" + std::to_string(r.flags) + "|" + r.window);
        CHECK_EQ(Lowered(LogValue(log, "CWD")), Lowered(ShortPath(Folder(l.program))));
        if (r.family == 0x36) CHECK_EQ(name + LogValue(log, "FONTY"), name + std::to_string(r.fontSize >> 16));
        CHECK_EQ(LogValue(log, "CMDLINE"), zmv::CommandLine(l.program, r.arguments));
    }
    SetDefaultTerminal(nullptr, nullptr);
}

// Runs the launcher as Windows 98 or 95 ("win98", "win95") while it lives.
struct PretendWindowsVersion {
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\VESKOR1.EXE";
    explicit PretendWindowsVersion(const char* version) {
        if (!SetUserString(kKey, "Version", version)) Fail(__FILE__, __LINE__, "cannot set the AppDefaults key");
    }
    ~PretendWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
};

// Each refusal before the start: its message box, nothing started or written.
// Test mode dumps the file first, even when it is then refused (the version
// lines and a started run's dump are the Windows 98 row's). On Windows 98 a
// path beginning with two backslashes, though local, is refused, and so is a
// program folder where "Conagent.pif" cannot be made (a folder in its place).
E2E_CASE("zmv", refusals_show_their_message_and_start_nothing) {
    const std::string testFile = "no program key\r\nTESTMODE: 1\r\n";
    for (const std::string name :
         {"no file", "hidden file", "program missing", "test mode", "oversized", "98 network", "98 unwritable"}) {
        std::optional<PretendWindowsVersion> pretend;
        if (name[0] == '9') pretend.emplace("win98");
        const ZmvLayout l = MakeZmvLayout("zmv-refused");
        const std::string pifPath = Join(Folder(l.program), "Conagent.pif");
        std::string tail;
        const std::string own = Join(l.inst, "VESKOR1.zmv");  // the launcher's own name, ".zmv" put in
        std::string expected = name == "no file" || name == "hidden file"
                                   ? "Console Window Config (ZMV) File Not Found|The file \"" + own + "\" is missing."
                                   : "Invalid Console Window Config (ZMV) File|The file \"" + own +
                                         "\" does not contain...\r\rPROGNAME: (followed by name of program to be run)";
        if (name == "hidden file") {
            WriteText(l.zmv(), Zmv(l.program, "Hidden", ""));
            SetFileAttributesA(l.zmv().c_str(), FILE_ATTRIBUTE_HIDDEN);
        } else if (name == "program missing") {
            WriteText(l.zmv(), "PROGNAME: \"nothing here\"\r\n");
            expected = "Invalid Console Window Config (ZMV) File|The program " + Join(l.inst, "nothing here.exe") +
                       " specified in " + own + " does not exist.";
        } else if (name == "test mode") {
            WriteText(l.zmv(), testFile);
        } else if (name == "oversized") {  // 700 MB, sparse
            HANDLE h = CreateFileA(l.zmv().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            LARGE_INTEGER size;
            size.QuadPart = 700ll << 20;
            CHECK(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
            CloseHandle(h);
        } else if (pretend) {
            WriteText(l.zmv(), Zmv(l.program, "Hidden", ""));
            if (name == "98 network") tail = "\\\\?\\" + l.zmv();
            else MakeFolders(pifPath);
            expected = "Console Window Config (ZMV) Fatal Error|" +
                       (tail.empty() ? "Error 70A creating ZMV file.\r\rThis program must be able to create a file in "
                                       "the target\rprogram's directory (" + l.program + ")."
                                     : "Error: Windows 95 and 98 only allow this program...\r\r" + l.launcher() +
                                           "\r\r...to be run 1) from a Local Drive or 2) from a Network\rDrive that "
                                           "has been mapped to a drive letter.");
        }
        const LaunchRun run = RunLauncher(l.launcher(), tail, l.root, {"Console\\Hidden", ""});
        CHECK_MSG(run.exitCode == kRefused, name);
        CheckBox(run, expected, name);
        CHECK_MSG(!Exists(l.log()) && !run.key && (name == "98 unwritable" || !Exists(pifPath)),
                  name + ": something was started or written");
        const std::string dump = ReadText(Join(l.root, "ZMV_TEST.TXT")).value_or("");
        CHECK_EQ(dump.substr(std::min(dump.size(), dump.find("-->"))),
                 name == "test mode" ? "-->\r\n" + testFile + "\r\n<--\r\n" : std::string());
        CHECK(!Exists(Join(l.root, "ZMV_TEST.BIN")));
    }
}

// A program that cannot start is reported (silently with "CLEAN_UP: 0", the key
// kept and a console started minimised still shown). The console is titled
// before the program runs, so one renaming it is still found; a program without
// a console is reported after the wait; a window so titled, even one open
// before the start, ends the wait at once. Where another terminal may host it,
// the console shown is the new one, not another session's of the same title.
E2E_CASE("zmv", start_failures_and_the_wait_for_the_window) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "500");
    enum Kind { kCannotStart, kSilent, kKept, kNoWindow, kAlreadyOpen, kSecondSession };
    for (const Kind kind : {kCannotStart, kSilent, kKept, kNoWindow, kAlreadyOpen, kSecondSession}) {
        const ZmvLayout l = MakeZmvLayout("zmv-start" + std::to_string(kind));
        const std::string title = std::array<const char*, 6>{"Cannot Start", "Cannot Start", "Kept",
                                                              "Renamed At Once", "Already Open", "Second"}[kind];
        const std::string key = "Console\\" + title;
        if (kind <= kSilent) WriteText(l.program, "not a program");
        else if (kind == kNoWindow || kind == kAlreadyOpen) CopyProgram("recorder.exe", l.program);  // no console window
        WriteText(l.zmv(), Zmv(l.program, title, kind == kSilent || kind == kKept ? "clean_up: 0\r\n" : ""));
        const char* const choice = kind == kAlreadyOpen ? kClassic.c_str() : nullptr;
        CHECK(SetDefaultTerminal(choice, choice));
        HWND open = kind < kAlreadyOpen ? nullptr : CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10,
                                                                    nullptr, nullptr, nullptr, nullptr);
        const LaunchRun run = RunLauncher(l.launcher(), "", l.root, {key, ""});
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
        CHECK_MSG(!open || !IsWindowVisible(open), "the earlier window was shown");
        if (open) DestroyWindow(open);
        CHECK_EQ(run.exitCode, kStarted);
        CHECK_MSG(run.key.has_value() && KeyExists(key) == (kind == kSilent || kind == kKept), title + ": console key");
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        const std::string failure = "Console Window Configuration (ZMV) Failure|";
        CheckBox(run, kind == kCannotStart ? failure + "Unable to start \"" + l.program + "\".  Error 193 was reported by Windows."
                      : kind == kNoWindow ? failure + "Console Application Failure.\r\rProgram (" + l.program + ") did not start."
                                          : "", title);
        const std::string log = ReadText(l.log()).value_or("");
        if (kind >= kKept) CHECK_EQ(CountOf(log, "START\r\n"), 1);
        if (kind == kKept || kind == kSecondSession) CHECK_EQ(title + " " + LogValue(log, "WINDOW"), title + " 1 0 1");
        if (kind == kNoWindow) CHECK_MSG(run.elapsedMs > 30000, std::to_string(run.elapsedMs) + " ms");
        if (kind >= kAlreadyOpen) CHECK_MSG(run.elapsedMs >= 250 && run.elapsedMs < 5000, std::to_string(run.elapsedMs) + " ms");
    }
}

// --- Windows 98 and 95: "Conagent.pif" ---------------------------------------

E2E_CASE("zmv_win9x", pif_written_byte_for_byte_and_removed) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "500");
    struct Row {
        const char* version;
        const char* keys;
        std::vector<std::pair<int, int>> patched;  // every byte that differs from the template
        const char* platformLines;
    } rows[] = {
        {"win98", "FONTTYPE: TT\r\nFONTSIZE: max\r\nFULLSCRN: Y\r\nTOOL_BAR: Yes\r\nQUICK_ED: 1\r\nTESTMODE: 1\r\n",
         {{429, 0x0A}, {724, 1}, {761, 8}, {762, 8}, {765, 0}, {767, 20}, {769, 12}, {771, 20}, {839, 3}, {753, 0}},
         " 4 \r\n 10 \r\n"},
        // Windows 95 takes its TrueType cell from its table: 12 x 22 at 1024.
        {"win95", "FONTTYPE: TrueType\r\nFONTSIZE: max\r\n",
         {{761, 8}, {762, 8}, {765, 0}, {767, 22}, {769, 12}, {771, 22}}, ""},
    };
    for (const Row& r : rows) {
        PretendWindowsVersion pretend(r.version);
        const ZmvLayout l = MakeZmvLayout(std::string("zmv-") + r.version);
        const std::string pifPath = Join(Folder(l.program), "Conagent.pif");
        WriteText(l.zmv(), Zmv(l.program, std::string("PIF ") + r.version, r.keys));
        const LaunchRun run = RunLauncher(l.launcher(), "", l.root, {"", pifPath});
        CHECK_EQ(run.exitCode, kStarted);
        CheckBox(run, "", r.version);
        CHECK_MSG(run.pif.size() == 967, std::string(r.version) + ": Conagent.pif never seen complete");
        CHECK_MSG(!Exists(pifPath), "Conagent.pif left behind");
        CHECK(!KeyExists(std::string("Console\\PIF ") + r.version));

        if (run.pif.size() != 967) continue;
        const std::vector<std::uint8_t> bytes = zmv::PifTemplate();
        std::string expected(bytes.begin(), bytes.end());
        for (const auto& [at, value] : r.patched) expected[at] = static_cast<char>(value);
        const auto differs = std::mismatch(run.pif.begin(), run.pif.end(), expected.begin()).first;
        CHECK_MSG(differs == run.pif.end(), r.version + (": byte " + std::to_string(differs - run.pif.begin())));
        // Only the Windows 98 row runs in test mode, and dumps the file and the PIF.
        CHECK_EQ(ReadText(Join(l.root, "ZMV_TEST.BIN")).value_or(""), *r.platformLines ? run.pif + "\r\n" : std::string());
        CHECK_EQ(ReadText(Join(l.root, "ZMV_TEST.TXT")).value_or("").substr(0, std::max<std::size_t>(std::strlen(r.platformLines), 1)),
                 std::string(r.platformLines));
    }
}

}  // namespace
}  // namespace e2e
