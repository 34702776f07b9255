// Version blocks, icon groups and manifests of the built programs, read back
// through the platform's own resource and version calls.
#include <vector>

#include "harness.h"
#include "winutil.h"

namespace e2e {
namespace {

// formProgram: icon groups, the version 6 common controls, DPI-aware.
const struct { const char *program, *version, *description; bool formProgram; } kPrograms[] = {
    {"VESKOR.EXE", "1.3.25.2012", "Keldrin Veskor Client", true},
    {"VESKOR1.EXE", "2.3.0.0", "Keldrin Veskor Console Window Launcher", false},
    {"VESKORCFG.EXE", "1.3.25.2012", "Keldrin Veskor Configuration Utility", true},
};

// The fixed file version as "a.b.c.d" and the English description after a blank.
std::string VersionAndDescription(const std::string& path) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored) + 1);
    VS_FIXEDFILEINFO* f = nullptr;
    char* description = nullptr;
    UINT len = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&f), &len) || !f ||
        !VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                        reinterpret_cast<void**>(&description), &len) || !description)
        return "<no version block>";
    return std::to_string(f->dwFileVersionMS >> 16) + "." + std::to_string(f->dwFileVersionMS & 0xFFFF) + "." +
           std::to_string(f->dwFileVersionLS >> 16) + "." + std::to_string(f->dwFileVersionLS & 0xFFFF) + " " + description;
}

// The icon group's images as "size/bits" texts, in resource order: after the
// reserved, type and count words, 14-byte entries with the width in byte 0 and
// the bit count in bytes 6 and 7.
std::vector<std::string> IconImages(HMODULE module, const char* group) {
    std::vector<std::string> images;
    HRSRC found = FindResourceA(module, group, MAKEINTRESOURCEA(14));
    if (!found) return images;
    const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    for (WORD i = 0; i < header[2]; ++i) {
        const auto* entry = reinterpret_cast<const BYTE*>(header + 3) + 14 * i;
        images.push_back(std::to_string(entry[0] ? entry[0] : 256) + "/" + std::to_string(entry[6] | entry[7] << 8));
    }
    return images;
}

E2E_CASE("resources", version_blocks_icons_and_manifests) {
    std::vector<std::string> expectedImages;
    for (int bits : {32, 8, 4})
        for (int size : {48, 32, 24, 16}) expectedImages.push_back(std::to_string(size) + "/" + std::to_string(bits));

    for (const auto& e : kPrograms) {
        const std::string path = Join(Env().bin, e.program);
        CHECK_EQ(VersionAndDescription(path), std::string(e.version) + " " + e.description);
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        CHECK_MSG(module != nullptr, path);
        if (!module) continue;
        // Every program embeds a manifest, so that none beside it (nor a
        // ".local" folder) is honoured; the form programs' asks for the
        // version 6 common controls and system DPI awareness (the console
        // window launcher stays unaware: see the README).
        HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        const std::string text = manifest ? std::string(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                                                        SizeofResource(module, manifest))
                                          : "";
        CHECK_MSG(text.find("level=\"asInvoker\"") != std::string::npos, std::string(e.program) + " manifest");
        for (const char* wanted : {"Common-Controls\" version=\"6.0.0.0\"", "/WindowsSettings\">true</dpiAware>"})
            CHECK_EQ(text.find(wanted) != std::string::npos, e.formProgram);
        for (const char* group : {"AAAAA_APPICON", "IMAGE_NEWICON"}) {
            if (!e.formProgram) break;
            const auto images = IconImages(module, group);
            CHECK_MSG(images == expectedImages, std::string(e.program) + " " + group + ": " +
                                                    std::to_string(images.size()) + " images");
        }
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace e2e
