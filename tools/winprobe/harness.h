// A small test harness for the end-to-end driver: named cases in groups,
// checks that record failures and go on, a closing "N passed, N failed" line.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace e2e {

struct Case {
    const char* group;
    const char* name;
    void (*run)();
};

std::vector<Case>& Registry();

struct Registrar {
    Registrar(const char* group, const char* name, void (*run)()) { Registry().push_back({group, name, run}); }
};

void Fail(const char* file, int line, const std::string& message);

template <typename A, typename B>
void CheckEqual(const A& actual, const B& expected, const char* text, const char* file, int line) {
    if (actual == expected) return;
    std::ostringstream out;
    out << text << "\n      actual:   " << actual << "\n      expected: " << expected;
    Fail(file, line, out.str());
}

// Settings for the run: where the built programs are and where cases may work.
struct Environment {
    std::string bin;   // folder with the built programs and fixtures
    std::string work;  // scratch folder, one sub-folder per case
    std::string out;   // where benchmarks and screenshots may leave files
};
const Environment& Env();

}  // namespace e2e

#define E2E_CONCAT2(a, b) a##b
#define E2E_CONCAT(a, b) E2E_CONCAT2(a, b)
#define E2E_CASE(group, name)                                                  \
    static void E2E_CONCAT(case_, name)();                                     \
    static ::e2e::Registrar E2E_CONCAT(reg_, name)(group, #name, E2E_CONCAT(case_, name)); \
    static void E2E_CONCAT(case_, name)()

#define CHECK(cond)                                                \
    do {                                                           \
        if (!(cond)) ::e2e::Fail(__FILE__, __LINE__, "CHECK(" #cond ")"); \
    } while (0)
#define CHECK_MSG(cond, msg)                                       \
    do {                                                           \
        if (!(cond)) ::e2e::Fail(__FILE__, __LINE__, std::string("CHECK(" #cond "): ") + (msg)); \
    } while (0)
#define CHECK_EQ(actual, expected) ::e2e::CheckEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
