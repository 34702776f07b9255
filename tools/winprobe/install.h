// Sample installations laid out for the end-to-end cases.
#pragma once

#include <string>

namespace e2e {

struct Installation {
    std::string root;  // the case's own folder
    std::string inst;  // installation folder: VESKOR.EXE, VESKOR1.EXE, VESKOR.INI
    std::string app;   // application folder, with DATA01\SPOOL below it
};

// Lays out a complete installation under a fresh case folder. consoleLauncher
// is the built program copied in as VESKOR1.EXE ("" for none).
Installation MakeInstallation(const std::string& caseName, const std::string& consoleLauncher = "recorder.exe",
                              const std::string& instName = "INST");

// The same, in a given (fresh) root folder instead of the scratch folder.
Installation MakeInstallationAt(const std::string& root, const std::string& consoleLauncher = "recorder.exe",
                                const std::string& instName = "INST");

std::string FoldersSection(const std::string& app, const std::string& data = "DATA01",
                           const std::string& spool = "SPOOL");

}  // namespace e2e
