// The configuration utility's settings files on a real file system: a save
// keeps what else VESKOR.INI holds, a file held open by someone else loses only
// itself, and the load and the working folder follow the files that are there.
#include "../../support/config_sample.h"
#include "harness.h"
#include "settings_files.h"
#include "winutil.h"

namespace {

using namespace veskor::config;
using testing::SampleSettings;

std::string IniValue(const std::string& file, const char* section, const char* key) {
    char buffer[512] = {};
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, file.c_str());
    return buffer;
}

}  // namespace

// A save keeps what else VESKOR.INI holds and reads back as written; a file
// held open elsewhere loses only itself; one read for a moment is waited out.
E2E_CASE("config_files", save_keeps_other_lines_and_loses_only_a_held_file) {
    const std::string dir = e2e::FreshFolder("cfg_save"), ini = e2e::Join(dir, "VESKOR.INI");
    e2e::WriteText(ini, "[OTHER]\r\nKEEP=1\r\n[FOLDERS]\r\nAPPLFOLDER=C:\\OLD\r\nEXTRA=yes\r\n");
    for (const std::string name : {"VESKOR.LST", "VESKOR.CFG", "VESKOR1.ZMV", ""}) {
        for (const char* other : {"VESKOR.LST", "VESKOR.CFG", "VESKOR1.ZMV"}) e2e::WriteText(e2e::Join(dir, other), "old");
        const std::string held = e2e::Join(dir, name.empty() ? "NOTHING" : name);
        HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        CHECK_MSG((h != INVALID_HANDLE_VALUE) != name.empty(), held);
        const SaveReport r = win32::SaveSettingsToDisk(dir, SampleSettings());
        CloseHandle(h);
        CHECK_MSG(r.iniWritten && r.listWritten == (name != "VESKOR.LST") && r.cfgWritten == (name != "VESKOR.CFG") &&
                      r.zmvWritten == (name != "VESKOR1.ZMV"),
                  name);
        if (!name.empty()) CHECK_EQ(e2e::ReadText(held).value_or(""), "old");
        CHECK_EQ(IniValue(ini, "OTHER", "KEEP") + IniValue(ini, "FOLDERS", "EXTRA") + IniValue(ini, "FOLDERS", "DATAFOLDER"),
                 "1yesDATA02");
    }
    // The files' texts are checked through the form's OK; read back here, the
    // file just written is the source, values as written.
    const LoadResult back = win32::LoadSettingsFromDisk(dir);
    CHECK(back.source == SettingsSource::Ini && back.settings == SampleSettings());
    // A launcher reading VESKOR1.ZMV for a moment: the save waits it out.
    const std::string zmv = e2e::Join(dir, "VESKOR1.ZMV");
    e2e::WriteText(zmv, "old");
    e2e::Process reader;
    e2e::HoldLock(reader, zmv, "r r 400", dir);
    CHECK(win32::SaveSettingsToDisk(dir, SampleSettings()).zmvWritten);
    CHECK_EQ(e2e::ReadText(zmv).value_or(""), ZmvFileText(dir, SampleSettings()));
}

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
    SetCurrentDirectoryA(elsewhere.c_str());
    CHECK_EQ(win32::FixWorkingFolder(elsewhere + "\\"), elsewhere);
    SetCurrentDirectoryA(saved);
}
