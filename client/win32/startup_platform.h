#pragma once

#include "startup.h"

namespace veskor::client {

// The start-up checks' view of the real machine.
class Win32StartupPlatform final : public StartupPlatform {
public:
    std::string CurrentFolder() override;
    std::string ModulePath() override;
    void SetCurrentFolder(const std::string& folder) override;
    void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) override;
    std::string ReadSetting(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    OpenFailure OpenAndCloseLockFile(const std::string& path) override;
    OpenFailure OpenAndCloseForReading(const std::string& path) override;
    void Pause(unsigned milliseconds) override;
};

}  // namespace veskor::client
