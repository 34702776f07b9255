#include "program_start.h"

#include <windows.h>
#include <commctrl.h>

#include "library_search.h"

namespace veskor::win32 {

void InitialiseFormProgram() {
    KeepLibrariesToSystemFolder();
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0x7FFF;
    ::InitCommonControlsEx(&controls);
    if (!LoadSystemLibrary("RICHED20.Dll")) LoadSystemLibrary("RICHED32.Dll");
}

}  // namespace veskor::win32
