#pragma once

#include <string>

namespace veskor::client {

// Starts fileName from the startup folder without waiting and without reporting.
void StartProgram(const std::string& startupFolder, const std::string& fileName);

}  // namespace veskor::client
