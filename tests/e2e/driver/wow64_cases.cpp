// What differs for the 32-bit programs on 64-bit Windows (group "wow64", run
// only in the 64-bit prefix): the registry view of the console settings key and
// short paths below the 32-bit programs' folder. (That their libraries come
// from the system folder is the "shared" group's, run in this prefix too.)
#include <cstdlib>

#include "case_probes.h"
#include "harness.h"
#include "winutil.h"
#include "zmv_setup.h"

namespace e2e {

// The launcher installed below the 32-bit programs' folder ("Program Files
// (x86)", blanks and parentheses) writes one console key that the 64-bit view
// sees unchanged, and starts its program from the folder's short path.
E2E_CASE("wow64", console_key_and_short_paths_below_program_files_x86) {
    const char* variable = std::getenv("ProgramFiles");  // as a 32-bit program sees it
    const std::string programFiles = variable ? variable : "";
    CHECK_MSG(programFiles.find(" (x86)") != std::string::npos, programFiles);
    const std::string root = Join(programFiles, "Veskor Wow64"), app = Join(root, "Veskor App");
    RemoveTree(root);
    MakeFolders(Join(root, "INST"));
    MakeFolders(app);
    const std::string launcher = Join(root, "INST\\VESKOR1.EXE"), program = Join(app, "VESKOR32.EXE");
    CopyProgram("VESKOR1.EXE", launcher);
    CopyProgram("standin.exe", program);
    WriteText(Join(root, "INST\\VESKOR1.ZMV"), "PROGNAME: " + program +
                                                   "\r\nTITLEBAR: Veskor Wow64\r\nFONTTYPE: TT\r\nFONTSIZE: 16\r\n"
                                                   "CLEAN_UP: 0\r\n");
    const std::string key = "Console\\Veskor Wow64";
    DeleteKey(key);
    ScopedVariable stay("VESKOR_STANDIN_MS", "300");
    const LaunchRun run = RunLauncher(launcher, "", root, {key, ""});
    CHECK_EQ(run.exitCode, 1ul);
    CHECK_MSG(run.boxes.empty(), run.boxes.empty() ? "" : run.boxes[0].text);
    // "CLEAN_UP: 0" leaves the key: both registry views name the one written.
    const std::string written = run.key ? run.key->faceName : "<key never seen>";
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
        CHECK_EQ(ReadConsoleKey(key, view).value_or(ConsoleKeySeen{}).faceName, written);
    const std::string log = ReadText(Join(app, "VESKOR32.LOG")).value_or("");
    CHECK_EQ(CountOf(log, "START\r\n"), 1);
    const std::string shortApp = ShortPath(app);
    CHECK_MSG(shortApp.find(' ') == std::string::npos, "no short path for " + app);
    CHECK_EQ(Lowered(LogValue(log, "CWD")), Lowered(shortApp));
    DeleteKey(key);
    RemoveTree(root);
}

}  // namespace e2e
