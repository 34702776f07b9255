// The client launcher's start-up checks and launch, end to end.
#include <algorithm>

#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {
namespace {

struct LaunchResult {
    DWORD exitCode = STILL_ACTIVE, started = 0, elapsedMs = 0;  // started: processes besides the launcher
    std::string form;  // class of the error form that was shown and closed
};

// Runs VESKOR.EXE from a working folder and waits for it and all it started.
LaunchResult RunLauncher(const std::string& program, const std::string& folder) {
    LaunchResult r;
    EnsureDesktop();
    Process p;
    const DWORD t0 = GetTickCount();
    if (!p.Start("\"" + program + "\"", folder)) return r;
    r.exitCode = WaitExitClosingForms(p, 30000, &r.form);
    r.elapsedMs = GetTickCount() - t0;
    CHECK_MSG(p.WaitJobEmpty(10000), "processes left running");
    r.started = p.TotalProcesses() - 1;
    return r;
}

std::string RecorderLog(const Installation& in) { return ReadText(Join(in.inst, "VESKOR1.LOG")).value_or(""); }

// A complete installation started from its own folder, from another folder
// (the own folder is taken instead), and from a folder with a blank: unquoted,
// "...\my dir\VESKOR1.EXE" would first run the decoy "...\my.exe".
E2E_CASE("client", valid_installation_starts_console_launcher_once) {
    for (const char* instName : {"INST", "my dir", ""}) {
        const Installation in = MakeInstallation("valid", "recorder.exe", *instName ? instName : "INST");
        std::string folder = in.inst;
        if (!*instName) MakeFolders(folder = Join(in.root, "ELSEWHERE"));
        CopyProgram("recorder.exe", Join(in.root, "my.exe"));
        const std::string lock = Join(in.app, "VESKORUPD.LCK");
        CHECK(!Exists(lock));
        const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), folder);
        CHECK_MSG(r.exitCode == 0 && r.started == 1, folder);
        CHECK_MSG(!Exists(Join(in.root, "my.LOG")), "the decoy my.exe was started");
        const std::string log = RecorderLog(in);
        CHECK_EQ(CountOf(log, "START"), 1);
        std::string cmdline = LogValue(log, "CMDLINE");
        if (*instName == 'm') cmdline.erase(std::remove(cmdline.begin(), cmdline.end(), '"'), cmdline.end());
        CHECK_EQ(cmdline, Join(in.inst, "VESKOR1.EXE"));
        CHECK_EQ(LogValue(log, "CWD"), in.inst);
        CHECK_EQ(FileSize(lock), 0ll);  // a missing lock file is created empty
    }
}

// The lock file held by another process: a writer, or a reader that does not
// share reading, blocks for five attempts with four pauses of 2000 ms between
// them, then shows its error form; released after about 3 s, the third attempt
// passes; a reader that shares reading does not block.
E2E_CASE("client", lock_file_held_by_another_process) {
    const struct {
        const char* accessShareMs;
        DWORD started, minMs, maxMs;
    } rows[] = {
        {"rw r 15000", 0, 7800, 11000},
        {"r - 15000", 0, 7800, 11000},
        {"rw r 3000", 1, 1800, 7800},
        {"r r 15000", 1, 0, 1800},
    };
    for (const auto& row : rows) {
        const Installation in = MakeInstallation("lock");
        Process holder;
        if (!HoldLock(holder, Join(in.app, "VESKORUPD.LCK"), row.accessShareMs, in.root)) continue;
        const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), in.inst);
        holder.Kill();
        const std::string what = std::string(row.accessShareMs) + ": " + std::to_string(r.elapsedMs) + " ms";
        CHECK_MSG(r.exitCode == 0 && r.started == row.started && r.form.empty() == (row.started == 1), what);
        CHECK_EQ(CountOf(RecorderLog(in), "START"), static_cast<int>(row.started));
        CHECK_MSG(r.elapsedMs >= row.minMs && r.elapsedMs < row.maxMs, what);
    }
}

}  // namespace
}  // namespace e2e
