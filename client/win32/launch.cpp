#include "launch.h"

#include <windows.h>

#include <vector>

#include "handles.h"
#include "startup.h"

namespace veskor::client {

void StartProgram(const std::string& startupFolder, const std::string& fileName) {
    const std::string command = StartCommandLine(startupFolder, fileName);
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                         nullptr, &startup, &started)) {
        win32::UniqueHandle process(started.hProcess);
        win32::UniqueHandle thread(started.hThread);
    }
}

}  // namespace veskor::client
