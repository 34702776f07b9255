#include "registry.h"

#include <windows.h>

#include "handles.h"

namespace e2e {

bool SetUserString(const std::string& key, const char* name, const char* value) {
    veskor::win32::UniqueHkey h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, h.put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    return RegSetValueExA(h.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(lstrlenA(value) + 1)) == ERROR_SUCCESS;
}

}  // namespace e2e
