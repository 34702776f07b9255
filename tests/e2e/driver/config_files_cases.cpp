// The configuration utility's working folder on a real file system: it follows
// the files that are there.
#include "harness.h"
#include "settings_files.h"
#include "winutil.h"

using namespace veskor::config;

E2E_CASE("config_files", working_folder_falls_back_to_own_folder) {
    const std::string inst = e2e::FreshFolder("cfg_inst");
    const std::string elsewhere = e2e::FreshFolder("cfg_elsewhere");
    e2e::WriteText(e2e::Join(inst, "VESKORCFG.EXE"), "");
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(elsewhere.c_str());
    CHECK_EQ(win32::FixWorkingFolder(inst + "\\"), inst);
    char now[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, now);
    CHECK_EQ(std::string(now), inst);
    SetCurrentDirectoryA(saved);
}
