// The settings file's sections read in one pass answer for every key as the system's own
// reader does, key by key: same presence, same text, same cuts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "settings/settings_file.h"
#include "tests/win/win_helpers.h"

TEST(ProfileSection, AnswersEveryKeyAsTheSystemsReaderDoes)
{
    const std::string file = TempPath("profile_section.ini");
    const char* text =
        "[Other]\r\nShadow=another section's\r\n"
        "[Main]\r\nPlain=value\r\n  Spaced   =   padded value   \r\nEmpty=\r\nBare\r\n"
        "Quoted=\"in quotes\"\r\nSingle='single'\r\nMismatched=\"open\r\nOneQuote=\"\r\nTwoQuotes=\"\"\r\n"
        "Inner=a=\"b\"\r\nUPPER=Case\r\nDup=first\r\nDup=second\r\nBareThenValue\r\nBareThenValue=late\r\n"
        "LongQuoted=\"abcdefghij\"\r\n\r\nLast=no line end after it\n"
        "[main]\r\nLater=second section of the same name\r\n"
        "[Recent Files]\r\nFile1=C:\\SCRIPTS\\A.KSR\r\n";
    FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs(text, out);
    std::fclose(out);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // no cached copy of an older file

    const char* keys[] = {"Plain",   "plain",      "Spaced",     "Empty", "Bare",          "Quoted",
                          "Single",  "Mismatched", "OneQuote",   "TwoQuotes", "Inner",     "upper",
                          "Dup",     "BareThenValue", "LongQuoted", "Last", "Later",      "Shadow",
                          "Missing", "File1"};
    for (const char* sectionName : {"Main", "MAIN", "Recent Files", "Absent"}) {
        const ProfileSection section(file.c_str(), sectionName);
        for (const char* key : keys) {
            // Present: some text, or none where a default would have shown.
            char whole[256], probe[2];
            GetPrivateProfileStringA(sectionName, key, "", whole, sizeof whole, file.c_str());
            GetPrivateProfileStringA(sectionName, key, "-", probe, sizeof probe, file.c_str());
            const bool present = whole[0] != '\0' || probe[0] == '\0';
            for (const DWORD size : {256u, 12u, 11u, 10u, 5u, 2u, 1u}) {
                SCOPED_TRACE(std::string(sectionName) + " " + key + " " + std::to_string(size));
                char want[256] = "?", got[256] = "?";
                GetPrivateProfileStringA(sectionName, key, "", want, size, file.c_str());
                EXPECT_EQ(section.Read(key, got, size), present);
                EXPECT_STREQ(got, want);
            }
        }
    }
    DeleteFileA(file.c_str());
}
