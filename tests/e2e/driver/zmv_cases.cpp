// The console window launcher VESKOR1.EXE end to end, with the stand-in
// console application as its program: console window, title and font, the
// per-title registry key, command line and folder, refusals and failures, test
// mode; and (group "zmv_win9x") the program information file of Windows 98/95.
#include <algorithm>
#include <cstring>
#include <functional>

#include "case_probes.h"
#include "harness.h"
#include "winutil.h"
#include "zmv_console.h"
#include "zmv_setup.h"
#include "zmv_start.h"

namespace e2e {
namespace {

using veskor::zmv::Message;
constexpr DWORD kRefused = 0, kStarted = 1;

std::string Zmv(const std::string& program, const std::string& title, const std::string& more) {
    return "PROGNAME: " + program + "\r\nTITLEBAR: " + title + "\r\n" + more + "COMMENTS:\r\nfree text\r\n";
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::string StripSlash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return Lowered(path);
}

// The run showed exactly the one message box, as the core words it.
void CheckOneBox(const LaunchRun& run, const Message& expected, const std::string& what) {
    CHECK_MSG(run.boxes.size() == 1, what + ": " + std::to_string(run.boxes.size()) + " message boxes");
    if (run.boxes.empty()) return;
    CHECK_EQ(run.boxes[0].caption, expected.caption);
    CHECK_EQ(run.boxes[0].text, expected.text);
}

// Each row is one run of a complete configuration; the stand-in reports what
// it got and the key is read while it exists.
E2E_CASE("zmv", console_window_key_font_and_start) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "700");
    struct Row {
        const char *name, *title, *keys, *programFolder;
        bool quotedTail;  // pass the .zmv as a quoted argument with a blank in its path
        DWORD fontSize;
        const char* face;
        DWORD family, quickEdit, show, flags;
        int reportedHeight;
    } rows[] = {
        // Work area 1024 wide: TrueType at 100% is 12 x 20.
        {"tt", "Veskor Console", "CMD_LINE: C:\\APP//C:\\APP\\//DATA01//N//SPOOL\r\nFONTTYPE: TT\r\nFONTSIZE: Max\r\n"
                                 "WINSTATE: MAX\r\nQUICK_ED: Y\r\nFULLSCRN: N\r\n",
         "APP", false, 20u << 16 | 12, "Lucida Console", 0x36, 1, 3, 1 | 4 | 8, 20},
        {"raster", "Raster A\\B", "FONTTYPE: BMP\r\nFONTSIZE: 8x12\r\nWINSTATE: MIN\r\nQUICK_ED: N\r\n",
         "My Long Program Folder", true, 12u << 16 | 8, "Terminal", 0x30, 0, 6, 1 | 8, -1},
    };
    for (const Row& r : rows) {
        const ZmvLayout l = MakeZmvLayout(std::string("zmv-") + r.name, r.programFolder);
        std::string zmvPath = l.zmv(), tail;
        if (r.quotedTail) {
            zmvPath = Join(l.root, "My Configs\\a.zmv");
            MakeFolders(Folder(zmvPath));
            tail = "\"" + zmvPath + "\"";
        }
        WriteText(zmvPath, Zmv(l.program, r.title, r.keys));
        const std::string key = r.quotedTail ? "Console\\Raster A_B" : std::string("Console\\") + r.title;
        const LaunchRun run = RunLauncher(l.launcher(), tail, l.root, {key, ""});
        CHECK_EQ(run.exitCode, kStarted);
        CHECK_MSG(run.boxes.empty(), r.name + std::string(": ") + (run.boxes.empty() ? "" : run.boxes[0].text));
        CHECK_MSG(run.key.has_value(), std::string(r.name) + ": key never seen");
        const ConsoleKeySeen k = run.key.value_or(ConsoleKeySeen{});
        CHECK_MSG(k.fontSize == r.fontSize && k.faceName == r.face && k.faceNameBytes == std::strlen(r.face) + 1 &&
                      k.fontFamily == r.family && k.fullScreen == 0 && k.fontWeight == 400 && k.quickEdit == r.quickEdit,
                  std::string(r.name) + ": console key " + std::to_string(k.fontSize) + " " + k.faceName);
        CHECK_MSG(!KeyExists(key), key + " left behind");

        const std::string log = ReadText(l.log()).value_or("");
        CHECK_EQ(CountOf(log, "START\r\n"), 1);
        CHECK(!Exists(Join(l.root, "ZMV_TEST.TXT")));
        CHECK_EQ(LogValue(log, "TITLE") + "|" + LogValue(log, "SHOW") + "|" + LogValue(log, "STARTFLAGS"),
                 r.title + ("|" + std::to_string(r.show)) + "|" + std::to_string(r.flags));
        CHECK_EQ(StripSlash(LogValue(log, "CWD")), StripSlash(ShortPath(Folder(l.program))));
        if (r.reportedHeight > 0) CHECK_EQ(LogValue(log, "FONTY"), std::to_string(r.reportedHeight));
        const std::string cmdline = LogValue(log, "CMDLINE");
        if (r.quotedTail) {
            // A program path with blanks is quoted; no arguments leave one blank at the end.
            CHECK_EQ(cmdline, "\"" + l.program + "\" ");
        } else {
            std::string args = cmdline.substr(cmdline.find(".EXE") + 4);
            if (!args.empty() && args[0] == '"') args.erase(0, 1);
            CHECK_EQ(args, std::string(" C:\\APP//C:\\APP\\//DATA01//N//SPOOL"));
        }
    }
}

// Each refusal before the start: its message box, nothing started or written.
E2E_CASE("zmv", refusals_show_their_message_and_start_nothing) {
    for (const std::string name : {"no file", "hidden file", "program missing"}) {
        const ZmvLayout l = MakeZmvLayout("zmv-refused");
        const std::string own = Join(l.inst, "VESKOR1.zmv");  // the launcher's own name, ".zmv" put in
        Message expected = veskor::zmv::MissingFileMessage(own);
        if (name == "hidden file") {
            WriteText(l.zmv(), Zmv(l.program, "Hidden", ""));
            SetFileAttributesA(l.zmv().c_str(), FILE_ATTRIBUTE_HIDDEN);
        } else if (name == "program missing") {
            WriteText(l.zmv(), "PROGNAME: \"nothing here\"\r\n");
            expected = veskor::zmv::NoProgramFileMessage(Join(l.inst, "nothing here.exe"), own);
        }
        const LaunchRun run = RunLauncher(l.launcher(), "", l.root, {"Console\\Hidden", ""});
        CHECK_MSG(run.exitCode == kRefused, name);
        CheckOneBox(run, expected, name);
        CHECK_MSG(!Exists(l.log()) && !run.key, name + ": something was started or written");
    }
}

E2E_CASE("zmv", program_that_cannot_start_is_reported) {
    const ZmvLayout l = MakeZmvLayout("zmv-nostart");
    WriteText(l.program, "not a program");
    const std::string key = "Console\\Cannot Start";
    WriteText(l.zmv(), Zmv(l.program, "Cannot Start", ""));
    LaunchRun run = RunLauncher(l.launcher(), "", l.root, {key, ""});
    CHECK_EQ(run.exitCode, kStarted);
    CheckOneBox(run, veskor::zmv::StartFailureMessage(l.program, ERROR_BAD_EXE_FORMAT), "cannot start");
    CHECK(run.key.has_value() && !KeyExists(key));

    // With "CLEAN_UP: 0" the same failure is silent and the key stays.
    WriteText(l.zmv(), Zmv(l.program, "Cannot Start", "clean_up: 0\r\n"));
    run = RunLauncher(l.launcher(), "", l.root);
    CHECK_EQ(run.exitCode, kStarted);
    CHECK(run.boxes.empty() && KeyExists(key));
    DeleteKey(key);
}

// The console window comes up with its title before any code of the program
// runs, so a program that renames its console is found first. A program that
// runs without a console window at all (a GUI program) is never found.
E2E_CASE("zmv", program_without_its_window_is_reported_after_the_wait) {
    const ZmvLayout l = MakeZmvLayout("zmv-renamed");
    CopyProgram("recorder.exe", l.program);
    WriteText(l.zmv(), Zmv(l.program, "Renamed At Once", ""));
    const LaunchRun run = RunLauncher(l.launcher(), "", l.root, {"Console\\Renamed At Once", ""});
    CHECK_EQ(run.exitCode, kStarted);
    CheckOneBox(run, veskor::zmv::NoWindowMessage(l.program), "no window");
    CHECK_MSG(run.elapsedMs > 30000, std::to_string(run.elapsedMs) + " ms");
    CHECK_EQ(CountOf(ReadText(l.log()).value_or(""), "START\r\n"), 1);
    CHECK(!KeyExists("Console\\Renamed At Once"));
}

// Any top-level window with the title ends the wait, one that was open before
// the start included: the wait ends at once and the settings go 250 ms later.
E2E_CASE("zmv", window_already_open_ends_the_wait_at_once) {
    const ZmvLayout l = MakeZmvLayout("zmv-already");
    CopyProgram("recorder.exe", l.program);  // opens no console window of its own
    HWND open = CreateWindowExA(0, "STATIC", "Already Open", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    WriteText(l.zmv(), Zmv(l.program, "Already Open", ""));
    const LaunchRun run = RunLauncher(l.launcher(), "", l.root, {"Console\\Already Open", ""});
    DestroyWindow(open);
    CHECK_EQ(run.exitCode, kStarted);
    CHECK(run.boxes.empty() && run.key.has_value() && !KeyExists("Console\\Already Open"));
    CHECK_MSG(run.elapsedMs >= 250 && run.elapsedMs < 5000, std::to_string(run.elapsedMs) + " ms");
}

veskor::zmv::PlatformFacts Facts() {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    return {v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber, v.dwPlatformId};
}

// In test mode the file is dumped before anything else, even when it is then
// refused. (Started, the dump is checked with the Windows 98 run; without test
// mode nothing is dumped.)
E2E_CASE("zmv", test_mode_dumps_the_file_even_when_refused) {
    const ZmvLayout l = MakeZmvLayout("zmv-testmode");
    const std::string file = "no program key\r\nTESTMODE: 1\r\n";
    WriteText(l.zmv(), file);
    const LaunchRun run = RunLauncher(l.launcher(), "", l.root);
    CHECK_EQ(run.exitCode, kRefused);
    CHECK_EQ(ReadText(Join(l.root, "ZMV_TEST.TXT")).value_or(""), veskor::zmv::TestDumpText(Facts(), file));
    CHECK(!Exists(Join(l.root, "ZMV_TEST.BIN")));
}

// --- Windows 98 and 95: "Conagent.pif" ---------------------------------------

// Runs the launcher as Windows 98 or 95 ("win98", "win95") while it lives.
struct PretendWindowsVersion {
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\VESKOR1.EXE";
    explicit PretendWindowsVersion(const char* version) {
        if (!SetUserString(kKey, "Version", version)) Fail(__FILE__, __LINE__, "cannot set the AppDefaults key");
    }
    ~PretendWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
};

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
         {{761, 8}, {762, 8}, {765, 0}, {767, 22}, {769, 12}, {771, 22}}, " 4 \r\n 0 \r\n"},
    };
    for (const Row& r : rows) {
        PretendWindowsVersion pretend(r.version);
        const ZmvLayout l = MakeZmvLayout(std::string("zmv-") + r.version);
        const std::string pifPath = Join(Folder(l.program), "Conagent.pif");
        WriteText(l.zmv(), Zmv(l.program, std::string("PIF ") + r.version, r.keys));
        const LaunchRun run = RunLauncher(l.launcher(), "", l.root, {"", pifPath});
        CHECK_EQ(run.exitCode, kStarted);
        CHECK_MSG(run.boxes.empty(), r.version);
        CHECK_MSG(run.pif.size() == 967, std::string(r.version) + ": Conagent.pif never seen complete");
        CHECK_MSG(!Exists(pifPath), "Conagent.pif left behind");
        CHECK(!KeyExists(std::string("Console\\PIF ") + r.version));

        if (run.pif.size() != 967) continue;
        const std::vector<std::uint8_t> bytes = veskor::zmv::PifTemplate();
        std::string expected(bytes.begin(), bytes.end());
        for (const auto& [at, value] : r.patched) expected[at] = static_cast<char>(value);
        const auto differs = std::mismatch(run.pif.begin(), run.pif.end(), expected.begin()).first;
        CHECK_MSG(differs == run.pif.end(), r.version + (": byte " + std::to_string(differs - run.pif.begin())));
        const bool testMode = std::string(r.keys).find("TESTMODE") != std::string::npos;
        const std::string copy = ReadText(Join(l.root, "ZMV_TEST.BIN")).value_or("");
        CHECK_EQ(copy, testMode ? run.pif + "\r\n" : std::string());
        if (testMode) CHECK_EQ(ReadText(Join(l.root, "ZMV_TEST.TXT")).value_or("").substr(0, std::strlen(r.platformLines)),
                              std::string(r.platformLines));
    }
}

E2E_CASE("zmv_win9x", network_path_and_unwritable_pif_are_refused) {
    PretendWindowsVersion pretend("win98");
    const ZmvLayout l = MakeZmvLayout("zmv-win98-refused");
    const std::string pifPath = Join(Folder(l.program), "Conagent.pif");
    WriteText(l.zmv(), Zmv(l.program, "PIF refused", ""));

    // A path that begins with two backslashes, though it is local.
    LaunchRun run = RunLauncher(l.launcher(), "\\\\?\\" + l.zmv(), l.root);
    CHECK_EQ(run.exitCode, kRefused);
    CheckOneBox(run, veskor::zmv::NetworkPathMessage(l.launcher()), "network path");
    CHECK(!Exists(pifPath));

    // A folder in the place of the file: it cannot be created (access denied).
    MakeFolders(pifPath);
    run = RunLauncher(l.launcher(), "", l.root);
    CHECK_EQ(run.exitCode, kRefused);
    CheckOneBox(run, veskor::zmv::PifCreateMessage(veskor::zmv::FileErrorNumber(ERROR_ACCESS_DENIED), l.program),
                "unwritable");
    CHECK(!Exists(l.log()));
}

}  // namespace
}  // namespace e2e
