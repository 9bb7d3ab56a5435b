// The recent-file list's rules: adding names, the menu labels, the dialogs' start directory and
// default extension.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_list.h"

namespace {

using Names = std::vector<std::string>;

TEST(RecentList, AddKeepsNewestFirstLabelsShortenAndDialogsStartInTheLastFolder)
{
    // clang-format off
    const struct { const char* what; Names before, adds, after; } cases[] = {
        {"five adds keep the last four", {}, {"a", "b", "c", "d", "e"}, {"E", "D", "C", "B"}},
        {"a listed name in other case changes nothing", {}, {"c:\\a.ksr", "C:\\B.KSR", "c:\\A.Ksr"}, {"C:\\B.KSR", "C:\\A.KSR", "", ""}},
        {"an entry after a gap still counts", {"A", "", "C", "D"}, {"c"}, {"A", "", "C", "D"}},
        {"a new name shifts the gap and drops the last", {"A", "", "C", "D"}, {"b"}, {"B", "A", "", "C"}},
        {"an empty name matches an empty entry", {"A", "", "", ""}, {""}, {"A", "", "", ""}},
        {"a long name is cut to the entry", {}, {std::string(300, 'q')}, {std::string(259, 'Q'), "", "", ""}},
    };
    // clang-format on
    for (const auto& c : cases) {
        RecentFileList list = {};
        for (size_t k = 0; k < c.before.size(); ++k) c.before[k].copy(list[k], kRecentNameSize - 1);
        for (std::string add : c.adds) {
            AddRecentName(list, &add[0], kAsciiCaseRules);
            EXPECT_EQ(add.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos)
                << "caller's text upper-cased";
        }
        EXPECT_EQ((Names{list[0], list[1], list[2], list[3]}), c.after) << c.what;
    }

    // Labels shorten long names and double ampersands.
    const std::string dir35 = "C:\\" + std::string(26, 'D') + "\\A.KSR";
    const std::string dir36 = "C:\\" + std::string(27, 'D') + "\\A.KSR";
    ASSERT_EQ(dir35.size(), 35u);
    const std::string plain40(40, 'N');
    // "x" then ampersands: the doubled pairs fill the label one byte short of the last pair.
    const std::string full = "x" + std::string(kRecentNameSize - 2, '&');
    // clang-format off
    const struct { int index; std::string name, label; } labels[] = {
        {0, "C:\\A.KSR", "&1 C:\\A.KSR"}, {1, dir35, "&2 " + dir35}, {2, dir36, "&3 A.KSR"}, {3, plain40, "&4 " + plain40},
        {0, "C:\\R&D\\A&B.KSR", "&1 C:\\R&&D\\A&&B.KSR"},
        {1, "C:\\" + std::string(40, 'D') + "\\&&.KSR", "&2 &&&&.KSR"},
        {0, full, "&1 x" + std::string(kRecentLabelSize - 6, '&')},
    };
    // clang-format on
    for (const auto& c : labels) {
        char label[kRecentLabelSize];
        FormatRecentLabel(c.index, c.name.c_str(), label, sizeof label);
        EXPECT_EQ(std::string(label), c.label) << c.name.substr(0, 60);
    }

    // The dialogs start in the last folder; typed filters have default extensions.
    for (const auto& c : {Names{"C:\\W\\A.KSR", "C:\\W\\"}, Names{"C:\\A", "C:\\"}, Names{"A.KSR", ""}}) {
        char start[kRecentNameSize];
        DialogStartDirectory(c[0].c_str(), start, sizeof start);
        EXPECT_EQ(start, c[1]) << c[0];
    }
    for (auto [filter, id] : {std::pair{0u, 0}, {1u, 243}, {7u, 249}, {8u, 250}, {9u, 0}, {10u, 0}})
        EXPECT_EQ(DefaultExtensionId(filter), id) << filter;
}

}  // namespace
