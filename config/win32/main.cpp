// VESKORCFG.EXE: the configuration form, which writes the settings files of
// the installation it is started in. The exit code is 0 however it closes.
#include <windows.h>

#include "config_form_windows.h"
#include "platform.h"
#include "program_start.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    veskor::win32::InitialiseFormProgram();
    veskor::config::win32::ShowConfigForm(veskor::win32::OwnFolder());
    return 0;
}
