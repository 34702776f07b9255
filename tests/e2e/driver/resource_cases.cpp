// Version blocks, icon groups and manifests of the built programs, read back
// through the platform's own resource and version calls.
#include <cstdio>
#include <vector>

#include "harness.h"
#include "winutil.h"

namespace e2e {
namespace {

struct Expected {
    const char* program;
    const char* version;
    const char* description;  // nullptr: not checked
    bool formProgram;         // icon groups and manifest
};

const Expected kPrograms[] = {
    {"VESKOR.EXE", "1.3.25.2012", "Keldrin Veskor Client", true},
    {"VESKOR1.EXE", "2.3.0.0", "Keldrin Veskor Console Window Launcher", false},
    {"VESKORCFG.EXE", "1.3.25.2012", "Keldrin Veskor Configuration Utility", true},
};

std::string FixedVersion(const std::string& path, std::string* description) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (!size) return "<none>";
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "<unreadable>";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len) || !fixed) return "<no fixed>";
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                  fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    char* desc = nullptr;
    if (description && VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                                      reinterpret_cast<void**>(&desc), &len) && desc)
        *description = desc;
    return text;
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
struct GroupHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

// The icon group's images as "size/bits" texts, in resource order.
std::vector<std::string> IconImages(HMODULE module, const char* group) {
    std::vector<std::string> images;
    HRSRC found = FindResourceA(module, group, MAKEINTRESOURCEA(14));
    if (!found) return images;
    const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(module, found)));
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    for (WORD i = 0; i < header->count; ++i)
        images.push_back(std::to_string(entries[i].width ? entries[i].width : 256) + "/" +
                         std::to_string(entries[i].bits));
    return images;
}

E2E_CASE("resources", version_blocks_icons_and_manifests) {
    std::vector<std::string> expectedImages;
    for (int bits : {32, 8, 4})
        for (int size : {48, 32, 24, 16}) expectedImages.push_back(std::to_string(size) + "/" + std::to_string(bits));

    for (const Expected& e : kPrograms) {
        const std::string path = Join(Env().bin, e.program);
        std::string description;
        CHECK_EQ(FixedVersion(path, &description), std::string(e.version));
        if (e.description) CHECK_EQ(description, std::string(e.description));

        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        CHECK_MSG(module != nullptr, path);
        if (!module) continue;
        // Every program embeds a manifest, so that none beside it (nor a
        // ".local" folder) is honoured; the form programs' asks for the
        // version 6 common controls.
        HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        CHECK_MSG(manifest != nullptr, std::string(e.program) + " has no manifest");
        if (manifest) {
            const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                                   SizeofResource(module, manifest));
            CHECK(text.find("level=\"asInvoker\"") != std::string::npos);
            CHECK_EQ(text.find("Common-Controls\" version=\"6.0.0.0\"") != std::string::npos, e.formProgram);
        }
        if (!e.formProgram) {  // the launcher's PIF template is checked with the Windows 98 runs
            FreeLibrary(module);
            continue;
        }
        for (const char* group : {"AAAAA_APPICON", "IMAGE_NEWICON"}) {
            const auto images = IconImages(module, group);
            CHECK_MSG(images == expectedImages, std::string(e.program) + " " + group + ": " +
                                                    std::to_string(images.size()) + " images");
        }
        // The large and small class icons load from the group at their sizes.
        HICON large = static_cast<HICON>(LoadImageA(module, "IMAGE_NEWICON", IMAGE_ICON, 32, 32, 0));
        HICON small = static_cast<HICON>(LoadImageA(module, "IMAGE_NEWICON", IMAGE_ICON, 16, 16, 0));
        CHECK(large != nullptr);
        CHECK(small != nullptr);
        if (large) DestroyIcon(large);
        if (small) DestroyIcon(small);
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace e2e
