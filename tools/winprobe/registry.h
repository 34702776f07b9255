// Registry values a case sets for the programs it starts.
#pragma once

#include <string>

namespace e2e {

// Sets a string value under HKEY_CURRENT_USER, creating the key.
bool SetUserString(const std::string& key, const char* name, const char* value);

}  // namespace e2e
