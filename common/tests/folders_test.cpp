#include "folders.h"

#include "file_failure.h"
#include "whole_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

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
    const struct {
        unsigned long error;
        bool absent;
        FileFailure kind;
    } cases[] = {{32, false, FileFailure::Busy},    {33, false, FileFailure::Busy},
                 {2, false, FileFailure::Missing},  {3, false, FileFailure::Missing},
                 {5, true, FileFailure::Missing},   {5, false, FileFailure::Refused},
                 {1392, false, FileFailure::Refused}};
    for (const auto& c : cases) EXPECT_EQ(ClassifyOpenFailure(c.error, c.absent), c.kind) << c.error;
}

TEST(NormaliseFolder, SeparatorRules) {
    using M = SeparatorMode;
    const struct {
        const char* path;
        SeparatorMode mode;
        const char* expected;
    } cases[] = {
        {"", M::AddSeparator, "\\"},           {"C:\\APP", M::AddSeparator, "C:\\APP\\"},
        {"C:\\APP\\", M::AddSeparator, "C:\\APP\\"}, {"C:\\APP\\\\", M::StripSeparator, "C:\\APP"},
        {"C:\\APP", M::StripSeparator, "C:\\APP"}, {"C:\\\\\\", M::StripSeparator, "C:\\"},
        {"C:", M::StripSeparator, "C:\\"},     {"\\\\", M::StripSeparator, ""},
        {"AB\\", M::StripSeparator, "AB"},     {"C:\\APP\\", M::Unchanged, "C:\\APP\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormaliseFolder(c.path, c.mode), c.expected) << c.path;
}

TEST(Presence, FileAndFolderModes) {
    MemoryTree tree;
    tree.Add("C:\\T\\visible.txt");
    tree.Add("C:\\T\\hidden.txt", MemoryTree::Hidden);
    tree.Add("C:\\T\\system.txt", MemoryTree::System);
    tree.Add("C:\\T\\sub", MemoryTree::Dir);
    tree.Add("C:\\T\\hiddendir", MemoryTree::Dir | MemoryTree::Hidden);
    tree.Add("C:\\T\\onlyhidden\\x", MemoryTree::Hidden);
    tree.Add("C:\\T\\onlydirs\\inner", MemoryTree::Dir);
    const struct {
        const char* path;
        bool asFile, asFolder;
    } cases[] = {
        {"", false, false},
        {"C:\\T\\visible.txt", true, true},
        {"C:\\T\\hidden.txt", false, false},
        {"C:\\T\\system.txt", false, false},
        {"C:\\T\\missing.txt", false, false},
        {"C:\\T\\sub", false, true},
        {"C:\\T\\hiddendir", false, false},
        // With a trailing separator the folder must hold a qualifying entry.
        {"C:\\T\\sub\\", false, false},  // only "." and ".." in it
        {"C:\\T\\onlyhidden\\", false, false},
        {"C:\\T\\onlydirs\\", false, true},
        {"C:\\T\\", true, true},
        {"C:\\T\\h*.txt", false, false},
        {"C:\\T\\s*", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPresent(tree.Searcher(), c.path, PresenceMode::File), c.asFile) << c.path;
        EXPECT_EQ(FolderPresent(tree.Searcher(), c.path), c.asFolder) << c.path;
    }
}

}  // namespace
}  // namespace veskor
