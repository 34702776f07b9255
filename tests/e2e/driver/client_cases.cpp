// The client launcher's start-up checks and launch, end to end.
#include <algorithm>
#include <memory>

#include "form_probe.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {
namespace {

// A complete installation started from its own folder with a blank in its name
// (unquoted, "...\my dir\VESKOR1.EXE" would run the decoy "...\my.exe") and from
// another folder (its own is taken). A writer holding the lock file blocks five
// attempts, 2000 ms apart, then the error form shows; released after about 3 s,
// the third attempt passes; a sharing reader does not block. An application
// folder that refuses new files starts at once, with no lock file to hold.
E2E_CASE("client", launch_from_any_folder_and_with_the_lock_file_held) {
    const struct { const char *instName, *folder, *accessShareMs; DWORD started, minMs, maxMs; bool unchangeableApp; } rows[] = {
        {"my dir", "", "", 1, 0, 7800, false},          {"INST", "ELSEWHERE", "", 1, 0, 7800, false},
        {"INST", "", "rw r 15000", 0, 7800, 11000, false}, {"INST", "", "rw r 3000", 1, 1800, 7800, false},
        {"INST", "", "r r 15000", 1, 0, 1800, false},   {"INST", "", "", 1, 0, 1800, true},
    };
    for (const auto& row : rows) {
        const Installation in = MakeInstallation("client", "recorder.exe", row.instName);
        const std::string folder = *row.folder ? Join(in.root, row.folder) : in.inst, lock = Join(in.app, "VESKORUPD.LCK");
        MakeFolders(folder);
        CopyProgram("recorder.exe", Join(in.root, "my.exe"));
        CHECK(!Exists(lock));
        std::unique_ptr<Unchangeable> frozen;
        if (row.unchangeableApp) frozen = std::make_unique<Unchangeable>(in.app);
        Process holder;
        if (*row.accessShareMs && !HoldLock(holder, lock, row.accessShareMs, in.root)) continue;
        // VESKOR.EXE run from the folder, waited for with all it started.
        EnsureDesktop();
        Process launcher;
        std::string form;  // the class of the error form shown and closed
        const DWORD t0 = GetTickCount();
        CHECK(launcher.Start("\"" + Join(in.inst, "VESKOR.EXE") + "\"", folder));
        const DWORD exitCode = WaitExitClosingForms(launcher, 30000, &form), elapsedMs = GetTickCount() - t0;
        CHECK_MSG(launcher.WaitJobEmpty(10000), "processes left running");
        const DWORD started = launcher.TotalProcesses() - 1;  // besides the launcher
        holder.Kill();
        const std::string what = folder + " " + row.accessShareMs + (row.unchangeableApp ? " unchangeable" : "") + ": " +
                                 std::to_string(elapsedMs) + " ms";
        CHECK_MSG(exitCode == 0 && started == row.started && form.empty() == (row.started == 1), what);
        CHECK_MSG(elapsedMs >= row.minMs && elapsedMs < row.maxMs, what);
        CHECK_MSG(!Exists(Join(in.root, "my.LOG")), "the decoy my.exe was started");
        const std::string log = ReadText(Join(in.inst, "VESKOR1.LOG")).value_or("");
        CHECK_EQ(CountOf(log, "START"), static_cast<int>(row.started));
        if (*row.accessShareMs) continue;
        std::string cmdline = LogValue(log, "CMDLINE");
        if (*row.instName == 'm') cmdline.erase(std::remove(cmdline.begin(), cmdline.end(), '"'), cmdline.end());
        CHECK_EQ(cmdline, Join(in.inst, "VESKOR1.EXE"));
        CHECK_EQ(LogValue(log, "CWD"), in.inst);
        if (row.unchangeableApp) CHECK(!Exists(lock));
        else CHECK_EQ(FileSize(lock), 0ll);  // a missing lock file is created empty
    }
}

}  // namespace
}  // namespace e2e
