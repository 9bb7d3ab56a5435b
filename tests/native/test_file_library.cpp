// The file library's contract on its POSIX twin: the same core as QVDSK32.DLL over os_posix
// (fuzz_load carries arbitrary bytes through it both ways, and the document tests large ones).
// Write failures are real ones: the process's file-size limit (RLIMIT_FSIZE) makes write()
// fail with EFBIG part way through a save, which works even for root, unlike permissions.
#include <dirent.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "libs/qvdsk/qvdsk.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/file_helpers.h"

namespace {

using Counts = std::vector<int>;  // braced: the calls run in order

std::string Pattern(size_t bytes)
{
    std::string s(bytes, '\0');
    for (size_t i = 0; i < bytes; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);  // NUL, CR, LF too
    return s;
}

std::vector<std::string> Entries(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                names.push_back(e->d_name);
        closedir(d);
    }
    return names;
}

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : "";
}

class FileLibrary : public ::testing::Test {
protected:
    ScratchDir dir;

    FlFile* Open(const std::string& name, int mode) { return flopen(dir.File(name).c_str(), mode); }
    // Reads the file in steps of the given sizes, the last repeated; closes it.
    std::string ReadSteps(const std::string& name, std::vector<int> steps)
    {
        std::string all;
        FlFile* in = Open(name, kFlRead);
        if (!in) return "not opened";
        std::vector<char> buffer(400000);
        for (size_t i = 0;; i = std::min(i + 1, steps.size() - 1)) {
            const int n = flread(buffer.data(), 1, steps[i], in);
            if (n <= 0) break;
            all.append(buffer.data(), static_cast<size_t>(n));
        }
        EXPECT_EQ(in->status, 0) << name;
        EXPECT_EQ(flclose(in), 0) << name;
        return all;
    }
};

TEST_F(FileLibrary, ReadsAreShortAtTheEndThenZeroAndCountWholeItemsAndOpensThatCannotWorkAreRefused)
{
    WriteFile(dir.File("a"), Pattern(10000));
    FlFile* in = Open("a", kFlRead);
    ASSERT_NE(in, nullptr);
    char buffer[4095];
    for (int expect : {4095, 4095, 10000 - 2 * 4095, 0, 0}) EXPECT_EQ(flread(buffer, 1, 4095, in), expect);
    EXPECT_EQ(in->status, 0);
    EXPECT_EQ(flclose(in), 0);
    // Mixed small and large reads stay in order.
    WriteFile(dir.File("b"), Pattern(300000));
    EXPECT_EQ(ReadSteps("b", {10, 4095, 200000, 1, 70000}), Pattern(300000));
    // 10 bytes are two whole 4-byte items; items of no bytes are none.
    WriteFile(dir.File("a"), "0123456789");
    ASSERT_NE(in = Open("a", kFlRead), nullptr);
    EXPECT_EQ((Counts{flread(buffer, 4, 4, in), flread(buffer, 0, 4, in), flclose(in)}), (Counts{2, 0, 0}));
    FlFile* out = Open("b", kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ((Counts{flwrite("abcdef", 3, 2, out), flclose(out)}), (Counts{2, 0}));
    EXPECT_EQ(ReadFile(dir.File("b")), "abcdef");
    // Opens that cannot work are refused, and a probe needs no close.
    ASSERT_EQ(unlink(dir.File("b").c_str()), 0);
    WriteFile(dir.File("a"), "x");
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    const std::string tooLong(kFlNameSize - dir.path().size(), 'n');  // as an absolute path
    const std::pair<const char*, int> cases[] = {
        {"missing", kFlRead},        {"sub", kFlRead},    {"missing", kFlProbe},
        {"sub", kFlProbe},           {"a", 2 /* none */}, {"sub", kFlWrite},
        {"no-such-dir/a", kFlWrite}, {"sub/", kFlWrite},  {tooLong.c_str(), kFlWrite}};
    for (const auto& [name, mode] : cases) EXPECT_EQ(Open(name, mode), nullptr) << name << " mode " << mode;
    EXPECT_EQ(flopen("", kFlRead), nullptr);
    EXPECT_TRUE(Entries(dir.File("sub")).empty());
    // The probe's answer is harmless to the other calls.
    FlFile* probe = Open("a", kFlProbe);
    ASSERT_NE(probe, nullptr);
    char c;
    EXPECT_EQ((Counts{flread(&c, 1, 1, probe), flwrite("y", 1, 1, probe), flclose(probe)}),
              (Counts{0, 0, 0}));
    ASSERT_EQ(rmdir(dir.File("sub").c_str()), 0);
    EXPECT_EQ(ReadFile(dir.File("a")), "x");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a"});
}

TEST_F(FileLibrary, ASaveReplacesTheFileAtTheCloseKeepingModeAndLinkOrFailsAndKeepsTheOldOne)
{
    enum Failure { kNone, kWriteFails, kFlushAtCloseFails, kAbandoned };
    // clang-format off
    const struct { Failure failure; std::string bytes; size_t step; } cases[] = {
        {kNone, "new\r\n", 16}, {kNone, "", 16},  // saving nothing gives an empty file
        {kWriteFails, Pattern(1 << 20), 2047},
        {kFlushAtCloseFails, "0123456789", 10},  // still in the library's buffer
        {kAbandoned, Pattern(100000), 16},       // what the editor does when it cannot go on
    };
    // clang-format on
    const std::string old = Pattern(5000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failure);
        WriteFile(dir.File("a.ksr"), old);
        FlFile* out = Open("a.ksr", kFlWrite);
        ASSERT_NE(out, nullptr);
        std::optional<FileSizeLimit> limit;
        if (c.failure == kWriteFails) limit.emplace(200 * 1024);
        ASSERT_TRUE(!limit || limit->active());
        bool written = true;  // every step wrote all it was asked
        for (size_t at = 0; at < c.bytes.size(); at += c.step) {
            const int n = static_cast<int>(std::min(c.step, c.bytes.size() - at));
            written = flwrite(c.bytes.data() + at, 1, n, out) == n && written;
        }
        EXPECT_EQ(written, c.failure != kWriteFails);
        limit.reset();
        EXPECT_EQ(out->status != 0, c.failure == kWriteFails);
        EXPECT_TRUE(c.failure != kWriteFails || flwrite("x", 1, 1, out) == 0);  // a failed save stays failed
        if (c.failure == kAbandoned) out->status = -1;
        EXPECT_EQ(ReadFile(dir.File("a.ksr")), old);  // untouched until the close
        if (c.failure == kFlushAtCloseFails) limit.emplace(4);
        ASSERT_TRUE(!limit || limit->active());
        const int closed = flclose(out);
        limit.reset();
        EXPECT_EQ(closed == 0, c.failure == kNone);
        // The folder holds just this one file: no temporary file is left.
        EXPECT_EQ(ReadFile(dir.File("a.ksr")), c.failure == kNone ? c.bytes : old);
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a.ksr"});
    }

    // Relative names open under their absolute path; a replaced file keeps its mode and its link.
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    FlFile* out = flopen("new.txt", kFlWrite);
    const std::string writeName = out ? out->name : "";
    const bool written = out && flwrite("abc", 1, 3, out) == 3 && flclose(out) == 0;
    FlFile* in = flopen("new.txt", kFlRead);
    const std::string readName = in ? in->name : "";
    if (in) flclose(in);
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_EQ(Join(written, writeName, readName), Join(1, RealPath(dir.path()) + "/new.txt", writeName));

    ASSERT_EQ(chmod(dir.File("new.txt").c_str(), 0640), 0);
    ASSERT_NE(out = Open("new.txt", kFlWrite), nullptr);
    ASSERT_EQ(flclose(out), 0);
    struct stat info;
    ASSERT_EQ(stat(dir.File("new.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    ASSERT_EQ(mkdir(dir.File("real").c_str(), 0755), 0);
    WriteFile(dir.File("real/a"), "old");
    ASSERT_EQ(symlink(dir.File("real/a").c_str(), dir.File("link").c_str()), 0);
    ASSERT_NE(out = Open("link", kFlWrite), nullptr);
    EXPECT_EQ(std::string(out->name), RealPath(dir.File("real/a")));
    EXPECT_EQ((Counts{flwrite("new", 1, 3, out), flclose(out)}), (Counts{3, 0}));
    ASSERT_EQ(lstat(dir.File("link").c_str(), &info), 0);
    EXPECT_EQ(Join(S_ISLNK(info.st_mode), ReadFile(dir.File("real/a"))), "1 new");
}

}  // namespace
