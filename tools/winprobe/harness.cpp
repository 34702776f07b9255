#include "harness.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace e2e {

namespace {
int g_failures = 0;
Environment g_env;

std::string EnvText(const char* name) {
    char value[1024] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}
}  // namespace

std::vector<Case>& Registry() {
    static std::vector<Case> cases;
    return cases;
}

const Environment& Env() { return g_env; }

void Fail(const char* file, int line, const std::string& message) {
    ++g_failures;
    const char* base = std::strrchr(file, '/');
    std::printf("    %s:%d: %s\n", base ? base + 1 : file, line, message.c_str());
    std::fflush(stdout);
}

}  // namespace e2e

// driver GROUP [CASE]: runs the cases of a group (or one of them).
int main(int argc, char** argv) {
    using namespace e2e;
    if (argc < 2) {
        std::printf("usage: driver GROUP [CASE]\n");
        for (const Case& c : Registry()) std::printf("  %s %s\n", c.group, c.name);
        return 2;
    }
    // Brings up the session's desktop and services before any case counts
    // processes. The desktop closes a while after its last program ends; were a
    // case's program to start it again, it would join that case's processes
    // and outlive them. So every run of the driver attaches to it first.
    HWND w = CreateWindowExA(0, "STATIC", "warmup", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    DestroyWindow(w);
    if (std::strcmp(argv[1], "warmup") == 0) return 0;
    g_env.bin = EnvText("VESKOR_BIN");
    g_env.work = EnvText("VESKOR_WORK");
    g_env.out = EnvText("VESKOR_OUT");
    if (g_env.bin.empty() || g_env.work.empty()) {
        std::printf("VESKOR_BIN and VESKOR_WORK must be set\n");
        return 2;
    }
    int passed = 0, failed = 0;
    for (const Case& c : Registry()) {
        if (std::strcmp(c.group, argv[1]) != 0) continue;
        if (argc > 2 && std::strcmp(c.name, argv[2]) != 0) continue;
        std::printf("[ RUN  ] %s.%s\n", c.group, c.name);
        std::fflush(stdout);
        const int before = g_failures;
        const DWORD start = GetTickCount();
        c.run();
        const DWORD ms = GetTickCount() - start;
        const bool ok = g_failures == before;
        (ok ? passed : failed)++;
        std::printf("[ %s ] %s.%s (%lu ms)\n", ok ? "PASS" : "FAIL", c.group, c.name, static_cast<unsigned long>(ms));
        std::fflush(stdout);
    }
    if (passed + failed == 0) {
        std::printf("no case matched\n");
        return 2;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
