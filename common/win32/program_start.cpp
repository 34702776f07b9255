#include "program_start.h"

#include <windows.h>
#include <commctrl.h>

namespace veskor::win32 {

void InitialiseFormProgram() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0x7FFF;
    ::InitCommonControlsEx(&controls);
    if (!::LoadLibraryA("RICHED20.Dll")) ::LoadLibraryA("RICHED32.Dll");
}

}  // namespace veskor::win32
