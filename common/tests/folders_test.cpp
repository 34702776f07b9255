#include "folders.h"

#include "file_failure.h"
#include "whole_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <tuple>

#include "memory_tree.h"

namespace veskor {
namespace {

using testing::MemoryTree;

// size bytes handed out in chunks; the read fails once failAt bytes were given.
TEST(WholeFile, ReadUpToTheLimitThenCutOrRefused) {
    const auto read = [](std::size_t size, std::size_t limit, OverLimit over, std::size_t failAt = SIZE_MAX) {
        std::size_t given = 0;
        return ReadWithinLimit(
            [&](char* buffer, std::size_t room) -> long {
                if (given >= failAt) return -1;
                const std::size_t n = std::min({room, std::size_t{7}, size - given});
                std::memset(buffer, 'a' + static_cast<int>(given % 26), n);
                given += n;
                return static_cast<long>(n);
            },
            limit, over);
    };
    EXPECT_EQ(read(100, 100, OverLimit::Refuse).value_or("").substr(0, 8), "aaaaaaah");
    EXPECT_EQ(read(100, 100, OverLimit::Refuse).value_or("").size(), 100u);
    EXPECT_EQ(read(101, 100, OverLimit::Refuse), std::nullopt);
    EXPECT_EQ(read(101, 100, OverLimit::Cut).value_or("").size(), 100u);
    EXPECT_EQ(read(50, 100, OverLimit::Cut, 14), std::nullopt);  // a read error loses the whole file
}

// Only a sharing or lock violation is another program's hold; a file found
// absent is missing whatever the open said.
TEST(OpenFailure, KindFromErrorAndPresence) {
    const std::tuple<unsigned long, bool, FileFailure> cases[] = {
        {32, false, FileFailure::Busy},    {33, false, FileFailure::Busy},   {2, false, FileFailure::Missing},
        {3, false, FileFailure::Missing},  {5, true, FileFailure::Missing},  {5, false, FileFailure::Refused},
        {1392, false, FileFailure::Refused}};
    for (const auto& [error, absent, kind] : cases) EXPECT_EQ(ClassifyOpenFailure(error, absent), kind) << error;
}

TEST(NormaliseFolder, SeparatorRules) {
    using M = SeparatorMode;
    const std::tuple<const char*, SeparatorMode, const char*> cases[] = {
        {"", M::AddSeparator, "\\"},                 {"C:\\APP", M::AddSeparator, "C:\\APP\\"},
        {"C:\\APP\\", M::AddSeparator, "C:\\APP\\"}, {"C:\\APP\\\\", M::StripSeparator, "C:\\APP"},
        {"C:\\\\\\", M::StripSeparator, "C:\\"},     {"\\\\", M::StripSeparator, ""},
        {"AB\\", M::StripSeparator, "AB"},           {"C:\\APP\\", M::Unchanged, "C:\\APP\\"},
    };
    for (const auto& [path, mode, expected] : cases) EXPECT_EQ(NormaliseFolder(path, mode), expected) << path;
}

TEST(Presence, FileAndFolderModes) {
    MemoryTree tree;
    tree.Add("C:\\T\\visible.txt");
    tree.Add("C:\\T\\hidden.txt", MemoryTree::Hidden);
    tree.Add("C:\\T\\system.txt", MemoryTree::System);
    tree.Add("C:\\T\\sub", MemoryTree::Dir);
    const std::tuple<const char*, bool, bool> cases[] = {  // present as a file, as a folder
        {"", false, false},
        {"C:\\T\\visible.txt", true, true},
        {"C:\\T\\hidden.txt", false, false},
        {"C:\\T\\system.txt", false, false},
        {"C:\\T\\sub", false, true},
        // With a trailing separator the folder must hold a qualifying entry.
        {"C:\\T\\sub\\", false, false},  // only "." and ".." in it
        {"C:\\T\\", true, true},
    };
    for (const auto& [path, asFile, asFolder] : cases) {
        EXPECT_EQ(IsPresent(tree.Searcher(), path, PresenceMode::File), asFile) << path;
        EXPECT_EQ(FolderPresent(tree.Searcher(), path), asFolder) << path;
    }
}

}  // namespace
}  // namespace veskor
