// Writing and removing the console settings for the launcher's window title.
#pragma once

#include <optional>

#include "zmv_config.h"
#include "zmv_console.h"

namespace veskor::zmv {

// The registry key on the NT family, else "Conagent.pif" (and "ZMV_TEST.BIN"
// in test mode). A refusal of the file form comes back as its message.
std::optional<Message> WriteConsoleSettings(const LaunchSettings& settings, const FontCell& cell,
                                            const PlatformFacts& facts);
void RemoveConsoleSettings(const LaunchSettings& settings, const PlatformFacts& facts);

}  // namespace veskor::zmv
