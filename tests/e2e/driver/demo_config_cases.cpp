// The configuration utility in the demo (group "demo"): a fresh sample
// installation, VESKORCFG.EXE set through its own window and confirmed with
// "&OK", a screenshot of the form as confirmed, and what it wrote.
#include "config_layout.h"
#include "config_window.h"
#include "form_probe.h"
#include "harness.h"
#include "install.h"

namespace e2e {
namespace {

using namespace veskor::config;

void Say(const std::string& line) { Report("demo-report.txt", line); }

void Click(HWND form, int id) { SendMessageA(GetDlgItem(form, id), BM_CLICK, 0, 0); }

E2E_CASE("demo", configuration_utility) {
    const Installation in = MakeInstallationAt(Join(Env().out, "sample-config"));
    CopyProgram("VESKORCFG.EXE", Join(in.inst, "VESKORCFG.EXE"));
    CopyProgram("standin.exe", Join(in.app, "VESKOR32.EXE"));
    Say("Configuration utility: VESKORCFG.EXE in " + in.inst + ", VESKOR32.EXE (a stand-in) in " + in.app);

    Process program;
    HWND form = StartConfig(program, in.inst);
    CHECK_MSG(form != nullptr, "VESKORCFG.EXE showed no form");
    if (!form) return;
    Say("  loaded: " + ItemText(form, ids::txtAppFolder) + ", data folder " +
        ItemText(form, ids::cboDataFolder) + ", spool folder " + ItemText(form, ids::txtSpoolFolder));
    for (int id : {ids::lblAppStatus, ids::lblDataStatus, ids::lblSpoolStatus})
        Say("  status: " + ItemText(form, id));

    // Console mode, window sized to a 10x20 TrueType font on a 1024 x 768 screen.
    Click(form, ids::chkGraphicMode);
    Click(form, ids::optWindowType[1]);
    Click(form, ids::optScreenSize[2]);
    HWND sizes = GetDlgItem(form, ids::cboFontSize);
    const std::vector<std::string> entries = ComboEntries(form, ids::cboFontSize);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == "10X20 TT") SendMessageA(sizes, CB_SETCURSEL, i, 0);
    Say("  chosen: Graphic Mode off, SIZE, 1024 x 768, font size " +
        entries.at(static_cast<std::size_t>(ComboSelection(form, ids::cboFontSize))));
    CHECK(SaveWindowBitmap(form, Join(Env().out, "frmConfig.bmp")));
    Say("  screenshot of the form: frmConfig.png");

    PostMessageA(GetDlgItem(form, ids::cmdOK), BM_CLICK, 0, 0);
    const DWORD code = program.WaitExit(10000);
    Say("  \"&OK\" pressed; VESKORCFG.EXE ended with exit code " + std::to_string(code));
    CHECK_EQ(code, 0ul);
    for (const char* name : {"VESKOR.INI", "VESKOR.LST", "VESKOR.CFG", "VESKOR1.ZMV"}) {
        const auto text = ReadText(Join(in.inst, name));
        CHECK_MSG(text.has_value(), std::string(name) + " not written");
        Say(std::string("  ") + name + ":");
        for (const std::string& line : Lines(text.value_or(""))) Say("    " + line);
    }
    const std::string zmv = ReadText(Join(in.inst, "VESKOR1.ZMV")).value_or("");
    CHECK(zmv.find("FONTTYPE: TT\r\nFONTSIZE: 10X20\r\n") != std::string::npos);
}

}  // namespace
}  // namespace e2e
