// Platform side of the folder and settings helpers.
#pragma once

#include <string>

#include "file_failure.h"
#include "folders.h"
#include "module_path.h"

namespace veskor::win32 {

// Directory search with FindFirstFileA / FindNextFileA.
void SearchDirectory(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit);
DirectorySearch PlatformSearch();

std::string CurrentFolder();
inline std::string OwnFolder() { return FolderOfPath(ModulePath()); }

// GetPrivateProfileStringA into a 512-byte buffer: at most 511 characters come back.
std::string ReadSetting(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& fallback);
// The platform's own words for an error code ("Access is denied.", ...), one
// line; the code in numbers when the platform has no text for it.
std::string ErrorText(unsigned long error);
// A failed open of path described: the error's kind (the file is looked up
// once more, so a file that is not there counts as missing whatever the open
// reported) and the platform's words for it.
OpenFailure DescribeOpenFailure(const std::string& path, unsigned long error);

void WriteSetting(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace veskor::win32
