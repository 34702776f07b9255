#include "console_settings.h"

#include <windows.h>

#include "handles.h"
#include "zmv_platform.h"
#include "zmv_start.h"

namespace veskor::zmv {

namespace {

void SetDword(HKEY key, const char* name, DWORD value) {
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The key the console host opens for the title, on the system's code page.
std::string KeyNameFor(const std::string& title) {
    return ConsoleKeyName(title, WindowsFolder(), [](unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; });
}

void WriteRegistryForm(const LaunchSettings& settings, const FontCell& cell) {
    const std::string keyName = KeyNameFor(settings.title);
    const ConsoleValues values = ConsoleValuesFor(cell, settings);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, keyName.c_str());
    // Only the title's own key is volatile: a console key made along with it
    // would be too, and would refuse the lasting settings of other programs.
    win32::UniqueHkey consoleKey, key;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Console", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_CREATE_SUB_KEY, nullptr,
                      consoleKey.put(), nullptr);
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                          nullptr, key.put(), &disposition) != ERROR_SUCCESS)
        return;  // the console then keeps the platform's defaults
    SetDword(key.get(), "FontSize", values.fontSize);
    ::RegSetValueExA(key.get(), "FaceName", 0, REG_SZ, reinterpret_cast<const BYTE*>(values.faceName.c_str()),
                     static_cast<DWORD>(values.faceName.size() + 1));
    SetDword(key.get(), "FontFamily", values.fontFamily);
    SetDword(key.get(), "FullScreen", values.fullScreen);
    SetDword(key.get(), "FontWeight", values.fontWeight);
    SetDword(key.get(), "QuickEdit", values.quickEdit);
}

// The template carried as a resource; the same bytes built here if it were missing.
std::vector<std::uint8_t> LoadPifTemplate() {
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(self, MAKEINTRESOURCEA(kPifResourceId), MAKEINTRESOURCEA(kPifResourceType));
    HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
    const DWORD size = found ? ::SizeofResource(self, found) : 0;
    if (!bytes || size < kPifSize) return PifTemplate();
    return std::vector<std::uint8_t>(bytes, bytes + kPifSize);
}

std::optional<Message> WritePifForm(const LaunchSettings& settings, const FontCell& cell) {
    if (IsNetworkPath(settings.configPath)) return NetworkPathMessage(settings.launcherPath);
    const std::vector<std::uint8_t> pif = PatchPif(LoadPifTemplate(), cell, settings);
    bool atCreate = false;
    const DWORD error = WriteWholeFile(PifPath(settings.programPath), pif.data(), pif.size(), &atCreate);
    if (error != 0) {
        const int number = FileErrorNumber(error);
        return atCreate ? PifCreateMessage(number, settings.programPath) : PifWriteMessage(number, settings.programPath);
    }
    if (TestModeIn(settings.effectiveText)) {
        std::vector<std::uint8_t> copy = pif;
        copy.push_back('\r');
        copy.push_back('\n');
        WriteWholeFile(kTestPifName, copy.data(), copy.size());
    }
    return std::nullopt;
}

}  // namespace

std::optional<Message> WriteConsoleSettings(const LaunchSettings& settings, const FontCell& cell,
                                            const PlatformFacts& facts) {
    if (!UsesRegistryForm(facts)) return WritePifForm(settings, cell);
    WriteRegistryForm(settings, cell);
    return std::nullopt;
}

void RemoveConsoleSettings(const LaunchSettings& settings, const PlatformFacts& facts) {
    if (UsesRegistryForm(facts)) ::RegDeleteKeyA(HKEY_CURRENT_USER, KeyNameFor(settings.title).c_str());
    else DeleteQuietly(PifPath(settings.programPath));
}

}  // namespace veskor::zmv
