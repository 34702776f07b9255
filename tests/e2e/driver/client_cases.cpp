// The client launcher's start-up checks and launch, end to end.
#include <functional>

#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {
namespace {

struct LaunchResult {
    DWORD exitCode = STILL_ACTIVE;
    DWORD started = 0;  // processes started besides the launcher
    DWORD elapsedMs = 0;
    std::string form;   // class of the error form that was shown and closed
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

E2E_CASE("client", valid_installation_starts_console_launcher_once) {
    const Installation in = MakeInstallation("valid");
    const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), in.inst);
    CHECK_EQ(r.exitCode, 0ul);
    CHECK_EQ(r.started, 1ul);
    const std::string log = RecorderLog(in);
    CHECK_EQ(CountOf(log, "START"), 1);
    CHECK_EQ(LogValue(log, "CMDLINE"), Join(in.inst, "VESKOR1.EXE"));
    CHECK_EQ(LogValue(log, "CWD"), in.inst);
}

E2E_CASE("client", start_from_another_folder_falls_back_to_own_folder) {
    const Installation in = MakeInstallation("ownfolder");
    const std::string elsewhere = Join(in.root, "ELSEWHERE");
    MakeFolders(elsewhere);
    const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), elsewhere);
    CHECK_EQ(r.exitCode, 0ul);
    CHECK_EQ(r.started, 1ul);
    const std::string log = RecorderLog(in);
    CHECK_EQ(CountOf(log, "START"), 1);
    CHECK_EQ(LogValue(log, "CWD"), in.inst);
}

E2E_CASE("client", missing_lock_file_is_created_empty) {
    const Installation in = MakeInstallation("lockcreate");
    const std::string lock = Join(in.app, "VESKORUPD.LCK");
    CHECK(!Exists(lock));
    const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), in.inst);
    CHECK_EQ(r.started, 1ul);
    CHECK_EQ(FileSize(lock), 0ll);
}

E2E_CASE("client", blank_in_startup_folder_starts_the_right_program) {
    // Unquoted, "...\my dir\VESKOR1.EXE" would first run "...\my.exe".
    const Installation in = MakeInstallation("blank", "recorder.exe", "my dir");
    CopyProgram("recorder.exe", Join(in.root, "my.exe"));
    const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), in.inst);
    CHECK_EQ(r.exitCode, 0ul);
    CHECK_EQ(r.started, 1ul);
    CHECK_MSG(!Exists(Join(in.root, "my.LOG")), "the decoy my.exe was started");
    const std::string log = RecorderLog(in);
    CHECK_EQ(CountOf(log, "START"), 1);
    CHECK_EQ(LogValue(log, "CWD"), in.inst);
}

// Each case breaks a complete installation in one way; none may start anything.
E2E_CASE("client", every_failing_check_starts_nothing) {
    struct Broken {
        const char* what;
        std::function<void(const Installation&)> breakIt;
    } cases[] = {
        {"no VESKOR1.EXE", [](const Installation& in) { DeleteFileA(Join(in.inst, "VESKOR1.EXE").c_str()); }},
        {"no VESKOR.INI", [](const Installation& in) { DeleteFileA(Join(in.inst, "VESKOR.INI").c_str()); }},
        {"hidden VESKOR.INI",
         [](const Installation& in) { SetFileAttributesA(Join(in.inst, "VESKOR.INI").c_str(), FILE_ATTRIBUTE_HIDDEN); }},
        {"system VESKOR1.EXE",
         [](const Installation& in) { SetFileAttributesA(Join(in.inst, "VESKOR1.EXE").c_str(), FILE_ATTRIBUTE_SYSTEM); }},
        {"empty VESKOR.INI", [](const Installation& in) { WriteText(Join(in.inst, "VESKOR.INI"), ""); }},
        {"application folder missing",
         [](const Installation& in) { WriteText(Join(in.inst, "VESKOR.INI"), FoldersSection(Join(in.root, "NOPE"))); }},
        {"data folder missing",
         [](const Installation& in) { WriteText(Join(in.inst, "VESKOR.INI"), FoldersSection(in.app, "DATA02")); }},
        {"spool folder missing",
         [](const Installation& in) { WriteText(Join(in.inst, "VESKOR.INI"), FoldersSection(in.app, "DATA01", "PRINT")); }},
        {"hidden spool folder",
         [](const Installation& in) { SetFileAttributesA(Join(in.app, "DATA01\\SPOOL").c_str(), FILE_ATTRIBUTE_HIDDEN); }},
    };
    for (const Broken& b : cases) {
        const Installation in = MakeInstallation("broken");
        b.breakIt(in);
        const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), in.inst);
        CHECK_MSG(r.exitCode == 0 && r.started == 0 && !Exists(Join(in.inst, "VESKOR1.LOG")), b.what);
        CHECK_MSG(!r.form.empty(), std::string("no error form: ") + b.what);
    }
}

E2E_CASE("client", working_folder_without_console_launcher_is_not_rescued) {
    // The working folder holds VESKOR.EXE only; the own folder holds both.
    const Installation in = MakeInstallation("noconsole");
    const std::string other = Join(in.root, "OTHER");
    MakeFolders(other);
    CopyProgram("VESKOR.EXE", Join(other, "VESKOR.EXE"));
    const LaunchResult r = RunLauncher(Join(in.inst, "VESKOR.EXE"), other);
    CHECK_EQ(r.exitCode, 0ul);
    CHECK_EQ(r.started, 0ul);
}

struct LockRun {
    LaunchResult launch;
    std::string log;
};

LockRun RunAgainstLock(const char* caseName, const char* access, const char* share, DWORD holdMs) {
    LockRun run;
    const Installation in = MakeInstallation(caseName);
    const std::string lock = Join(in.app, "VESKORUPD.LCK");
    Process holder;
    {
        StartSignal held;
        if (!holder.Start("\"" + Join(Env().bin, "lockholder.exe") + "\" \"" + lock + "\" " + access + " " + share +
                              " " + std::to_string(holdMs),
                          in.root))
            return run;
        CHECK_MSG(held.Wait(10000), "lock holder did not open the file");
    }
    run.launch = RunLauncher(Join(in.inst, "VESKOR.EXE"), in.inst);
    run.log = RecorderLog(in);
    holder.Kill();
    return run;
}

E2E_CASE("client", lock_held_for_writing_blocks_for_five_attempts) {
    const LockRun run = RunAgainstLock("lockheld", "rw", "r", 15000);
    CHECK_EQ(run.launch.exitCode, 0ul);
    CHECK_EQ(run.launch.started, 0ul);
    // Five attempts with four pauses of 2000 ms between them.
    CHECK_MSG(run.launch.elapsedMs >= 7800 && run.launch.elapsedMs < 11000,
              std::to_string(run.launch.elapsedMs) + " ms");
    CHECK(run.log.empty());
}

E2E_CASE("client", lock_held_without_read_sharing_blocks) {
    const LockRun run = RunAgainstLock("locknoshare", "r", "-", 15000);
    CHECK_EQ(run.launch.started, 0ul);
    CHECK_MSG(run.launch.elapsedMs >= 7800, std::to_string(run.launch.elapsedMs) + " ms");
}

E2E_CASE("client", lock_released_during_the_pauses_lets_it_start) {
    const LockRun run = RunAgainstLock("lockreleased", "rw", "r", 3000);
    CHECK_EQ(run.launch.started, 1ul);
    CHECK_EQ(CountOf(run.log, "START"), 1);
    // Released after about 3 s: the third attempt, after two pauses, passes.
    CHECK_MSG(run.launch.elapsedMs >= 1800 && run.launch.elapsedMs < 7800,
              std::to_string(run.launch.elapsedMs) + " ms");
}

E2E_CASE("client", lock_held_by_a_reader_does_not_block) {
    const LockRun run = RunAgainstLock("lockreader", "r", "r", 15000);
    CHECK_EQ(run.launch.started, 1ul);
    CHECK_MSG(run.launch.elapsedMs < 1800, std::to_string(run.launch.elapsedMs) + " ms");
}

}  // namespace
}  // namespace e2e
