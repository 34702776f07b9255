// VESKOR.EXE: checks the installation and starts the console window launcher,
// or reports the failed check in its error forms.
#include <windows.h>

#include "error_form_windows.h"
#include "launch.h"
#include "program_start.h"
#include "startup.h"
#include "startup_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    veskor::win32::InitialiseFormProgram();
    veskor::client::Win32StartupPlatform platform;
    veskor::client::StartupState state = veskor::client::RunStartupChecks(platform);
    if (state.status == veskor::client::Ok) {
        veskor::client::StartProgram(state.startupFolder, veskor::client::kConsoleLauncherExe);
    } else {
        veskor::client::ShowErrorForms(state);
    }
    return 0;
}
