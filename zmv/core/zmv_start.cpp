#include "zmv_start.h"

namespace veskor::zmv {

namespace {

constexpr const char* kFailureCaption = "Console Window Configuration (ZMV) Failure";

// A blank (or the minus sign) before the number and one blank after it.
std::string DumpNumber(std::uint32_t value) {
    const std::int32_t n = static_cast<std::int32_t>(value);
    const std::string digits = std::to_string(n < 0 ? -static_cast<std::int64_t>(n) : n);
    return (n < 0 ? "-" : " ") + digits + " \r\n";
}

}  // namespace

std::uint32_t StartFlags(std::int32_t showCommand, bool fullScreen) {
    std::uint32_t flags = kUseShowWindow | kUseCountChars;
    if (showCommand == kShowMaximised) flags |= kUsePosition;
    if (fullScreen) flags |= kRunFullScreen;
    return flags;
}

std::string DelegationClassId(const std::optional<std::string>& value) {
    // 38 characters and the terminator's place; longer values do not fit the
    // host's buffer, shorter ones are not taken.
    if (!value || value->size() != kClassicConsoleHost.size() + 1) return std::string();
    std::string id = UpperCase(std::string_view(*value).substr(0, kClassicConsoleHost.size()));
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char form = kClassicConsoleHost[i];  // "{", "-" and "}" where it has them, else a hex digit
        const bool hex = (id[i] >= '0' && id[i] <= '9') || (id[i] >= 'A' && id[i] <= 'F');
        if (form == '{' || form == '-' || form == '}' ? id[i] != form : !hex) return std::string();
    }
    return id == "{00000000-0000-0000-0000-000000000000}" ? std::string() : id;
}

bool ClassicHostCertain(const PlatformFacts& facts, const std::optional<std::string>& console,
                        const std::optional<std::string>& terminal) {
    if (!UsesRegistryForm(facts)) return true;  // no other host exists there
    const std::string c = DelegationClassId(console), t = DelegationClassId(terminal);
    return !c.empty() && !t.empty() && (c == kClassicConsoleHost || t == kClassicConsoleHost);
}

ShowPlan PlanShow(std::int32_t showCommand, bool classicHostCertain) {
    enum : std::int32_t {
        kHide = 0, kShowNormal = 1, kShowMinimised = 2, kShowNoActivate = 4, kShow = 5, kMinimise = 6,
        kMinNoActive = 7, kShowNa = 8, kShowDefault = 10, kForceMinimise = 11
    };
    const bool hiddenOrMinimised = showCommand == kHide || showCommand == kShowMinimised ||
                                   showCommand == kMinimise || showCommand == kMinNoActive ||
                                   showCommand == kForceMinimise;
    if (classicHostCertain || hiddenOrMinimised) return {showCommand, std::nullopt};
    const bool activates = showCommand != kShowNoActivate && showCommand != kShowNa;
    // From a minimised window "show" and "show without activating" keep it
    // minimised, and its default is now minimised: each is asked for as the
    // restore that a new window shown that way would get.
    std::int32_t after = showCommand;
    if (showCommand == kShow || showCommand == kShowDefault) after = kShowNormal;
    if (showCommand == kShowNa) after = kShowNoActivate;
    return {activates ? kShowMinimised : kMinNoActive, after};
}

std::string CommandLine(std::string_view programPath, std::string_view arguments) {
    std::string program(programPath);
    if (program.find(' ') != std::string::npos) program = "\"" + program + "\"";
    return program + " " + std::string(arguments);
}

std::string WorkingFolder(std::string_view applicationName) {
    const std::size_t slash = applicationName.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(applicationName.substr(0, slash + 1));
}

std::string TestDumpText(const PlatformFacts& facts, std::string_view fullText) {
    return DumpNumber(facts.major) + DumpNumber(facts.minor) + DumpNumber(facts.build) +
           DumpNumber(facts.platformId) + "-->\r\n" + std::string(fullText) + "\r\n<--\r\n";
}

Message StartFailureMessage(const std::string& programPath, std::uint32_t platformError) {
    return {"Unable to start \"" + programPath + "\".  Error " + std::to_string(platformError) +
                " was reported by Windows.",
            kFailureCaption};
}

Message NoWindowMessage(const std::string& programPath) {
    return {"Console Application Failure.\r\rProgram (" + programPath + ") did not start.", kFailureCaption};
}

}  // namespace veskor::zmv
