// The programs on an installation folder that every desktop uses at once and
// anyone may write: libraries planted there, files held by other programs,
// relative paths.

#include "config_layout.h"
#include "config_window.h"
#include "form_probe.h"
#include "case_probes.h"
#include "harness.h"
#include "install.h"
#include "winutil.h"
#include "zmv_setup.h"

namespace e2e {
namespace {

namespace ids = veskor::config::ids;

// Starts recorded in a fixture's log.
int Starts(const std::string& log) { return CountOf(ReadText(log).value_or(""), "START\r\nCMDLINE="); }

std::string StandinZmv(const std::string& program, const std::string& more = "") {
    return "PROGNAME: " + program + "\r\nTITLEBAR: Shared Folder\r\n" + more + "WINSTATE: MIN\r\n";
}

void CheckStarted(const LaunchRun& run, const std::string& log, const std::string& folder, const std::string& what) {
    CHECK_MSG(run.exitCode == 1 && run.boxes.empty(), what + (run.boxes.empty() ? "" : ": " + run.boxes[0].text));
    CHECK_MSG(Starts(log) == 1, what + ": program not started");
    CHECK_EQ(Lowered(LogValue(ReadText(log).value_or(""), "CWD")), Lowered(ShortPath(folder)));
}

// With the platform's own search order for the rich edit libraries (the
// program's folder first), copies planted under both names beside the form
// programs are never loaded, and both programs still do their work; the form
// loads VESKOR.INI while another program reads it (read access, read and write
// sharing, as the profile functions open it) and when its lines end at LF alone.
E2E_CASE("shared", planted_libraries_and_settings_held_or_with_lf_ends) {
    // Wine takes its library search order for a program from the registry (the
    // variable WINEDLLOVERRIDES is not passed on from one of its programs to another).
    const char* programs[] = {"VESKOR.EXE", "VESKORCFG.EXE"};
    const auto overrides = [](const char* program) {
        return std::string("Software\\Wine\\AppDefaults\\") + program + "\\DllOverrides";
    };
    for (const char* program : programs)
        for (const char* library : {"riched20", "riched32"}) SetUserString(overrides(program), library, "native,builtin");
    for (const std::string kind : {"planted", "iniheld", "inilf"}) {
        const Installation in = MakeInstallation(kind);
        CopyProgram("VESKORCFG.EXE", Join(in.inst, "VESKORCFG.EXE"));
        for (const char* name : {"RICHED20.DLL", "RICHED32.DLL"}) CopyProgram("marker.dll", Join(in.inst, name));
        const std::string ini = Join(in.inst, "VESKOR.INI");
        Process holder, client, config;
        if (kind == "iniheld") WriteText(ini, FoldersSection(in.app, "DATA01", "PRINT"));
        if (kind == "iniheld") HoldLock(holder, ini, "r rw 20000", in.inst);
        if (kind == "inilf") WriteText(ini, "[FOLDERS]\nAPPLFOLDER=" + in.app + "\nSPOOLFOLDER=PRINT\n[SCREEN]\n");
        if (kind == "planted") {
            CHECK(client.Start("\"" + Join(in.inst, "VESKOR.EXE") + "\"", in.inst));
            CHECK_EQ(WaitExitClosingForms(client, 30000), 0ul);
            client.WaitJobEmpty(10000);
            CHECK_EQ(Starts(Join(in.inst, "VESKOR1.LOG")), 1);
        }
        const HWND form = StartConfig(config, in.inst);  // shows the stored folders
        CHECK(form != nullptr);
        CHECK_EQ(Lowered(ItemText(form, ids::txtAppFolder)), Lowered(in.app));
        CHECK_EQ(ItemText(form, ids::txtSpoolFolder), std::string(kind == "planted" ? "SPOOL" : "PRINT"));
        PostMessageA(form, WM_CLOSE, 0, 0);
        CHECK_EQ(config.WaitExit(15000), 0ul);
        CHECK_MSG(!Exists(Join(in.inst, "LOADED.LOG")), ReadText(Join(in.inst, "LOADED.LOG")).value_or(""));
        holder.Kill();
    }
    for (const char* program : programs) RegDeleteKeyA(HKEY_CURRENT_USER, overrides(program).c_str());
}

// VESKOR1.ZMV held by another reader still starts the program; one held by a
// program saving it is read once that program is done, whole and new.
E2E_CASE("shared", launcher_reads_its_file_beside_other_programs) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "300");
    for (const bool writer : {false, true}) {
        const ZmvLayout l = MakeZmvLayout(writer ? "zmvsaved" : "zmvread");
        WriteText(l.zmv(), StandinZmv(l.program, "CMD_LINE: OLD\r\n"));
        Process holder;
        HoldLock(holder, l.zmv(), writer ? "w - 500 \"" + StandinZmv(l.program, "CMD_LINE: NEW|") + "\"" : "r rw 20000",
                 l.root);
        const LaunchRun run = RunLauncher(l.launcher(), "", l.inst);
        CheckStarted(run, l.log(), Join(l.root, "APP"), writer ? "saved" : "read");
        const std::string cmdline = LogValue(ReadText(l.log()).value_or(""), "CMDLINE");
        CHECK_MSG(cmdline.size() > 4 && cmdline.substr(cmdline.size() - 4) == (writer ? " NEW" : " OLD"), cmdline);
        holder.Kill();
    }
}

// A program named relative to the current folder, and a configuration file
// named relative to it whose program lies beside it, start in their folders.
E2E_CASE("shared", relative_paths_start_in_the_programs_folder) {
    ScopedVariable stay("VESKOR_STANDIN_MS", "300");
    const std::string root = FreshFolder("rel");
    CopyProgram("VESKOR1.EXE", Join(root, "VESKOR1.EXE"));
    WriteText(Join(root, "VESKOR1.ZMV"), StandinZmv("bin\\fix"));
    for (const std::string sub : {"bin", "sub"}) {
        MakeFolders(Join(root, sub));
        CopyProgram("standin.exe", Join(root, sub + "\\fix.exe"));
        if (sub == "sub") WriteText(Join(root, "sub\\a.zmv"), StandinZmv("fix"));
        CheckStarted(RunLauncher(Join(root, "VESKOR1.EXE"), sub == "sub" ? "sub\\a.zmv" : "", root),
                     Join(root, sub + "\\fix.LOG"), Join(root, sub), sub);
    }
}

}  // namespace
}  // namespace e2e
