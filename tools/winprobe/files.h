// Files, folders and texts for the end-to-end driver and the tools.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

std::string Join(const std::string& folder, const std::string& name);
void MakeFolders(const std::string& path);
void RemoveTree(const std::string& path);
// A fresh, empty scratch folder for a case.
std::string FreshFolder(const std::string& name);
bool WriteText(const std::string& path, const std::string& text);
// Every entry of a folder but the fault library's markers (names that begin
// with "."), with its contents ("<folder>" for a folder).
std::map<std::string, std::string> Snapshot(const std::string& folder);
// Puts a folder's files back as a snapshot holds them: other files removed,
// files whose contents differ written again.
void RestoreFolder(const std::string& folder, const std::map<std::string, std::string>& files);
std::optional<std::string> ReadText(const std::string& path);
bool Exists(const std::string& path);
long long FileSize(const std::string& path);  // -1 when missing
bool CopyProgram(const std::string& builtName, const std::string& destination);
std::vector<std::string> Lines(const std::string& text);
int CountOf(const std::string& text, const std::string& needle);
// Value of "KEY=value" in a fixture log's first block.
std::string LogValue(const std::string& log, const std::string& key);
// A text line for the run's report (stdout and VESKOR_OUT\<file>).
void Report(const std::string& file, const std::string& line);

}  // namespace e2e
