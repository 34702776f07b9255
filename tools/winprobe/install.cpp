#include "install.h"

#include "harness.h"
#include "winutil.h"

namespace e2e {

std::string FoldersSection(const std::string& app, const std::string& data, const std::string& spool) {
    return "[FOLDERS]\r\nAPPLFOLDER=" + app + "\r\nDATAFOLDER=" + data + "\r\nSPOOLFOLDER=" + spool + "\r\n";
}

Installation MakeInstallation(const std::string& caseName, const std::string& consoleLauncher,
                              const std::string& instName) {
    return MakeInstallationAt(Join(Env().work, caseName), consoleLauncher, instName);
}

Installation MakeInstallationAt(const std::string& root, const std::string& consoleLauncher,
                                const std::string& instName) {
    Installation in;
    in.root = root;
    RemoveTree(root);
    MakeFolders(root);
    in.inst = Join(in.root, instName);
    in.app = Join(in.root, "APP");
    MakeFolders(in.inst);
    MakeFolders(Join(in.app, "DATA01\\SPOOL"));
    CopyProgram("VESKOR.EXE", Join(in.inst, "VESKOR.EXE"));
    if (!consoleLauncher.empty()) CopyProgram(consoleLauncher, Join(in.inst, "VESKOR1.EXE"));
    WriteText(Join(in.inst, "VESKOR.INI"), FoldersSection(in.app));
    return in;
}

}  // namespace e2e
