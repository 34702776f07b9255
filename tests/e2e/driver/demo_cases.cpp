// The demo (group "demo", run by `make demo`): a sample installation and a
// user's start along the real road, VESKOR.EXE starting VESKOR1.EXE, which
// opens the stand-in console application in a console window with the
// configured title and font; told step by step in demo-report.txt, with a
// screenshot of that window.
#include "harness.h"
#include "install.h"
#include "winutil.h"
#include "zmv_setup.h"

namespace e2e {
namespace {

void Say(const std::string& line) { Report("demo-report.txt", line); }

void SayFile(const std::string& path) {
    for (const std::string& line : Lines(ReadText(path).value_or(""))) Say("    " + line);
}

E2E_CASE("demo", user_start) {
    const Installation in = MakeInstallationAt(Join(Env().out, "sample"), "VESKOR1.EXE");
    const std::string program = Join(in.app, "VESKOR32.EXE");
    CopyProgram("standin.exe", program);
    const char* title = "Veskor Console";
    WriteText(Join(in.inst, "VESKOR1.ZMV"),
              "PROGNAME: " + program + "\r\nCMD_LINE: " + in.inst + "//" + in.app +
                  "//DATA01//N//SPOOL\r\nTITLEBAR: " + title +
                  "\r\nFONTTYPE: TT\r\nFONTSIZE: Max 90%\r\nTOOL_BAR: N\r\nWINSTATE: MAX\r\nFULLSCRN: N\r\n"
                  "QUICK_ED: N\r\nCOMMENTS:\r\nSample installation of the demo.\r\n");
    Say("Installation folder: " + in.inst);
    Say("  VESKOR.EXE, VESKOR1.EXE, VESKOR.INI:");
    SayFile(Join(in.inst, "VESKOR.INI"));
    Say("  VESKOR1.ZMV:");
    SayFile(Join(in.inst, "VESKOR1.ZMV"));
    Say("Application folder: " + in.app + " with DATA01\\SPOOL; VESKOR32.EXE is the stand-in console application");

    ScopedVariable stay("VESKOR_STANDIN_MS", "4000");
    Process p;
    const double t0 = NowMs();
    p.Start("\"" + Join(in.inst, "VESKOR.EXE") + "\"", in.inst);
    const DWORD code = p.WaitExit(30000);
    Say("VESKOR.EXE ended with exit code " + std::to_string(code) + " after " +
        std::to_string(static_cast<int>(NowMs() - t0)) + " ms");
    HWND console = nullptr;
    while (!console && NowMs() - t0 < 15000) {
        Sleep(10);
        console = FindWindowA(nullptr, title);
    }
    CHECK_MSG(console != nullptr, "no console window titled Veskor Console");
    if (console) {
        Say(std::string("Console window \"") + title + "\" open after " +
            std::to_string(static_cast<int>(NowMs() - t0)) + " ms");
        Sleep(1000);  // let it draw its text
        CHECK(SaveWindowBitmap(console, Join(Env().out, "console-window.bmp")));
        Say("  screenshot: console-window.png");
    }
    CHECK_MSG(p.WaitJobEmpty(20000), "processes left running");
    const std::string log = ReadText(Join(in.app, "VESKOR32.LOG")).value_or("");
    Say("VESKOR32.EXE was started " + std::to_string(CountOf(log, "START\r\n")) + " time(s)");
    for (const char* key : {"CMDLINE", "CWD", "TITLE", "FACE", "FONTX", "FONTY"})
        Say(std::string("  ") + key + ": " + LogValue(log, key));
    CHECK_EQ(code, 0ul);
    CHECK_EQ(CountOf(log, "START\r\n"), 1);
    CHECK_EQ(LogValue(log, "TITLE"), std::string(title));
}

}  // namespace
}  // namespace e2e
