// Joining a help file's name to the program directory: one separator between them, none after
// a drive, and nothing appended past the 260-byte path.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/path_join.h"

namespace {

TEST(PathJoin, OneSeparatorBetweenAndNothingPastTheLimit)
{
    const std::string d250(250, 'd'), d258(258, 'd'), d259(259, 'd'), s259 = d258 + "\\";
    // clang-format off
    const struct { const char* what; std::string directory; const char* name /* null: none */; std::string joined; size_t answer; } table[] = {
        {"plain", "C:\\ZAV", "zavodo.hlp", "C:\\ZAV\\zavodo.hlp", 7},
        {"final separator kept", "C:\\ZAV\\", "zavodo.hlp", "C:\\ZAV\\zavodo.hlp", 7},
        {"leading separators skipped", "C:\\ZAV", "\\\\zavodo.hlp", "C:\\ZAV\\zavodo.hlp", 7},
        {"both separators", "C:\\ZAV\\", "\\zavodo.hlp", "C:\\ZAV\\zavodo.hlp", 7},
        {"after a drive", "C:", "zavodo.hlp", "C:zavodo.hlp", 2},
        {"empty directory", "", "\\zavodo.hlp", "zavodo.hlp", 0},
        {"no name", "C:\\ZAV", nullptr, "C:\\ZAV\\", 7},
        {"nothing at all", "", nullptr, "", 0},
        {"name fills the buffer", d250, "12345678", d250 + "\\12345678", 251},
        {"name one too long", d250, "123456789", d250 + "\\", 251},
        {"separator fills the buffer", d258, "a", d258 + "\\", 259},
        {"no room for a separator", d259, "a", d259, 259},
        {"full with separator, empty name", s259, "", s259, 259},
        {"full with separator", s259, "a", s259, 259},
    };
    // clang-format on
    for (const auto& row : table) {
        char directory[kPathLimit];
        ASSERT_LT(row.directory.size(), sizeof directory) << row.what;
        std::memcpy(directory, row.directory.c_str(), row.directory.size() + 1);
        EXPECT_EQ(JoinPath(directory, row.name, ':', '\\'), row.answer) << row.what;
        EXPECT_EQ(directory, row.joined) << row.what;
    }
    EXPECT_EQ(JoinPath(nullptr, "zavodo.hlp", ':', '\\'), 0u);
}

}  // namespace
