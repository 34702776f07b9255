// The demo (group "demo", run by `make demo`): a sample installation in the
// output folder and a user's start, told step by step in demo-report.txt.
#include "harness.h"
#include "install.h"
#include "winutil.h"

namespace e2e {
namespace {

void Say(const std::string& line) { Report("demo-report.txt", line); }

E2E_CASE("demo", user_start) {
    const Installation in = MakeInstallationAt(Join(Env().out, "sample"));
    Say("Installation folder: " + in.inst);
    Say("  VESKOR.EXE, VESKOR1.EXE (a recorder standing in for the console window launcher), VESKOR.INI:");
    for (const std::string& line : Lines(ReadText(Join(in.inst, "VESKOR.INI")).value_or("")))
        Say("    " + line);
    Say("Application folder: " + in.app + " with DATA01\\SPOOL");

    Process p;
    const double t0 = NowMs();
    p.Start("\"" + Join(in.inst, "VESKOR.EXE") + "\"", in.inst);
    const DWORD code = p.WaitExit(30000);
    p.WaitJobEmpty(10000);
    Say("VESKOR.EXE ended with exit code " + std::to_string(code) + " after " +
        std::to_string(static_cast<int>(NowMs() - t0)) + " ms");
    const std::string lock = Join(in.app, "VESKORUPD.LCK");
    Say("Lock file " + lock + (Exists(lock) ? " exists, " + std::to_string(FileSize(lock)) + " bytes" : " missing"));
    const std::string log = ReadText(Join(in.inst, "VESKOR1.LOG")).value_or("");
    Say("VESKOR1.EXE was started " + std::to_string(CountOf(log, "START")) + " time(s)");
    Say("  command line: " + LogValue(log, "CMDLINE"));
    Say("  current folder: " + LogValue(log, "CWD"));
    CHECK_EQ(code, 0ul);
    CHECK_EQ(CountOf(log, "START"), 1);
}

}  // namespace
}  // namespace e2e
