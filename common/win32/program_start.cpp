#include "program_start.h"

#include <windows.h>
#include <commctrl.h>

#include "library_search.h"

namespace veskor::win32 {

namespace {

// The common controls library as the program's manifest selects it. Where the
// manifest's activation redirects the name (version 6, Windows XP and later)
// the name is resolved by that redirection alone, never by a folder search;
// elsewhere there is one copy, the system folder's, loaded by its full path.
// A copy already loaded (found through the same redirection) is taken as it is.
HMODULE CommonControlsLibrary() {
    const char* const name = "comctl32.dll";
    if (const HMODULE loaded = ::GetModuleHandleA(name)) return loaded;
    using FindSection = BOOL(WINAPI*)(DWORD, const GUID*, ULONG, LPCSTR, PACTCTX_SECTION_KEYED_DATA);
    const auto find = ProcAddress<FindSection>(::GetModuleHandleA("kernel32.dll"), "FindActCtxSectionStringA");
    ACTCTX_SECTION_KEYED_DATA redirection = {};
    redirection.cbSize = sizeof redirection;
    if (find && find(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name, &redirection))
        if (const HMODULE redirected = ::LoadLibraryA(name)) return redirected;
    return LoadSystemLibrary(name);
}

// Registers every common-control class the library has. What each version offers:
//   4.00 (first Windows 95, NT 4.0): InitCommonControls only, the Windows 95 classes;
//   4.70 (Internet Explorer 3, Windows 95 OSR2): InitCommonControlsEx, classes by flag;
//   4.71, 4.72 (Internet Explorer 4, Windows 98), 5.8x (Internet Explorer 5, 98 SE,
//   2000, Me): further classes through InitCommonControlsEx, InitCommonControls unchanged;
//   6.0 (Windows XP and later, chosen by the manifest): InitCommonControls does
//   nothing; every class, the standard ones too, through InitCommonControlsEx.
// The library stays loaded for the life of the program.
void InitialiseCommonControls() {
    const HMODULE library = CommonControlsLibrary();
    if (const auto initEx = ProcAddress<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(library, "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof controls;
        controls.dwICC = 0x7FFF;
        initEx(&controls);
    } else if (const auto init = ProcAddress<void(WINAPI*)()>(library, "InitCommonControls")) {
        init();
    }
}

}  // namespace

void InitialiseFormProgram() {
    KeepLibrariesToSystemFolder();
    InitialiseCommonControls();
    if (!LoadSystemLibrary("RICHED20.Dll")) LoadSystemLibrary("RICHED32.Dll");
}

}  // namespace veskor::win32
