// VESKOR1.EXE: reads its .zmv file, prepares the console settings for the
// window title, starts the program in a new console window, waits for that
// window and removes the settings again. No window and no message loop of its
// own; every problem is a message box. Exit code 0 for a refusal before the
// start, 1 once the start was attempted.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "console_settings.h"
#include "handles.h"
#include "library_search.h"
#include "module_path.h"
#include "zmv_config.h"
#include "zmv_platform.h"
#include "zmv_start.h"

namespace veskor::zmv {
namespace {

constexpr int kRefused = 0;
constexpr int kStartAttempted = 1;
constexpr std::int32_t kProcessLookEvery = 8;

std::string ShortPathOrSame(const std::string& path) {
    QuietErrors quiet;
    char buffer[1024] = {};
    const DWORD n = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

// Every top-level window titled exactly title, in the order FindWindow finds them.
std::vector<HWND> WindowsTitled(const std::string& title) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, nullptr, title.c_str())) != nullptr;) found.push_back(w);
    return found;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Every top-level window, sorted.
std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
    std::sort(all.begin(), all.end());
    return all;
}

// Whether a top-level window exists that is not one of before (sorted).
bool NewWindowSince(const std::vector<HWND>& before) {
    const std::vector<HWND> now = TopLevelWindows();
    return !std::includes(before.begin(), before.end(), now.begin(), now.end());
}

// The new console's window, once it exists: the first top-level window titled
// exactly title that is not one of earlier; or, for a program that renamed its
// console before it was seen, the console window of the started process. That
// one is asked for only once some window has appeared since the start
// (before, sorted): the console host reads the key and makes the window while
// it connects the program, so an attachment made then never opens the console
// in the launcher's stead; it is looked for at every few looks only, which
// keeps each look as short as a title search. Null after the look limit.
HWND WaitForConsole(const std::string& title, const std::vector<HWND>& earlier, const std::vector<HWND>& before,
                    DWORD processId) {
    for (std::int32_t looks = 0;;) {
        ::Sleep(kLookPauseMs);
        for (HWND found : WindowsTitled(title))
            if (std::find(earlier.begin(), earlier.end(), found) == earlier.end()) return found;
        if (processId != 0 && looks % kProcessLookEvery == 0 && NewWindowSince(before))
            if (HWND console = ConsoleWindowOf(processId)) return console;
        if (++looks > kWindowLookLimit) return nullptr;
    }
}

int Run() {
    win32::KeepLibrariesToSystemFolder();
    const PlatformFacts facts = ReadPlatformFacts();

    LaunchSettings settings;
    settings.launcherPath = win32::ModulePath();
    settings.configPath = ConfigPathFor(CommandTail(::GetCommandLineA()), settings.launcherPath);
    if (!IsPlainFile(settings.configPath)) {
        ShowMessage(MissingFileMessage(settings.configPath));
        return kRefused;
    }
    settings.fullText = ReadWholeFile(settings.configPath);
    if (TestModeIn(settings.fullText)) {
        const std::string dump = TestDumpText(facts, settings.fullText);
        WriteWholeFile(kTestDumpName, dump.data(), dump.size());
    }
    if (const auto refusal = ParseLauncherConfig(settings, IsPlainFile, FullPath)) {
        ShowMessage(*refusal);
        return kRefused;
    }

    const FontCell cell = ComputeFontCell(settings.trueType, settings.fontSizeText, facts,
                                          NeedsWorkArea(settings.fontSizeText) ? WorkAreaWidth() : 0);
    settings.trueType = cell.trueType;
    if (const auto refusal = WriteConsoleSettings(settings, cell, facts)) {
        ShowMessage(*refusal);
        return kRefused;
    }

    std::vector<char> title(settings.title.begin(), settings.title.end());
    title.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.lpTitle = title.data();
    startup.dwFlags = StartFlags(settings.showCommand, settings.fullScreen);
    // Started minimised, a console stays with the classic host that reads the
    // key; it is shown as configured once it exists.
    const bool nt = UsesRegistryForm(facts);
    const ShowPlan show = PlanShow(
        settings.showCommand,
        ClassicHostCertain(facts, nt ? ReadDelegationValue(kDelegationConsoleName) : std::nullopt,
                           nt ? ReadDelegationValue(kDelegationTerminalName) : std::nullopt));
    startup.wShowWindow = static_cast<WORD>(show.atStart);
    startup.dwXCountChars = kConsoleColumns;
    startup.dwYCountChars = kConsoleRows;

    // Another session may already have a console of the same title; the one to
    // show is the new one. Posted: a window whose thread does not answer cannot
    // hold the launcher up.
    const std::vector<HWND> earlier = show.afterWait ? WindowsTitled(settings.title) : std::vector<HWND>{};
    const std::vector<HWND> before = TopLevelWindows();

    const std::string command = CommandLine(settings.programPath, settings.arguments);
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    const std::string application = ShortPathOrSame(settings.programPath);
    const std::string folder = WorkingFolder(application);
    if (!folder.empty()) {
        QuietErrors quiet;
        ::SetCurrentDirectoryA(folder.c_str());
    }

    PROCESS_INFORMATION started = {};
    BOOL ok = FALSE;
    DWORD startError = 0;
    {
        QuietErrors quiet;
        ok = ::CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                              nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &started);
        if (!ok) startError = ::GetLastError();
    }
    win32::UniqueHandle process(ok ? started.hProcess : nullptr);
    win32::UniqueHandle thread(ok ? started.hThread : nullptr);

    const auto waitForConsole = [&] { return WaitForConsole(settings.title, earlier, before, started.dwProcessId); };
    if (CleanUpSuppressed(settings.effectiveText)) {
        // The settings stay and nothing is reported, but a console started
        // minimised is still shown as configured.
        if (ok && show.afterWait)
            if (HWND window = waitForConsole()) ShowWindowPosted(window, *show.afterWait);
        return kStartAttempted;
    }
    if (!ok) {
        ShowMessage(StartFailureMessage(settings.programPath, startError));
    } else if (HWND window = waitForConsole()) {
        if (show.afterWait) ShowWindowPosted(window, *show.afterWait);
    } else {
        ShowMessage(NoWindowMessage(settings.programPath));
    }
    ::Sleep(kCleanUpPauseMs);
    RemoveConsoleSettings(settings, facts);
    return kStartAttempted;
}

}  // namespace
}  // namespace veskor::zmv

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return veskor::zmv::Run(); }
