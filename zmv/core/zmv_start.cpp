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

bool ClassicHostCertain(const PlatformFacts& facts, const std::optional<std::string>& choice) {
    if (!UsesRegistryForm(facts)) return true;  // no other host exists there
    std::string_view value = choice ? std::string_view(*choice) : std::string_view();
    while (!value.empty() && value.back() == '\0') value.remove_suffix(1);  // stored with its terminator
    return EqualNoCase(value, kClassicConsoleHost);
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
