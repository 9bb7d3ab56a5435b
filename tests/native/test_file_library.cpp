// The file library's contract on its POSIX twin: the same core as QVDSK32.DLL over os_posix.
// Write failures are real ones: the process's file-size limit (RLIMIT_FSIZE) makes write()
// fail with EFBIG part way through a save, which works even for root, unlike permissions.
#include <dirent.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "libs/qvdsk/qvdsk.h"
#include "tests/native/file_helpers.h"

namespace {

std::string Pattern(size_t bytes)
{
    std::string s(bytes, '\0');
    for (size_t i = 0; i < bytes; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);  // NUL, CR, LF too
    return s;
}

std::string ReadAll(FlFile* file, int chunk)
{
    std::string all;
    std::vector<char> buffer(static_cast<size_t>(chunk));
    for (int n; (n = flread(buffer.data(), 1, chunk, file)) > 0;) all.append(buffer.data(), static_cast<size_t>(n));
    return all;
}

// Writes bytes in steps of step bytes; false when any step wrote less than asked.
bool WriteSteps(FlFile* file, const std::string& bytes, size_t step)
{
    bool ok = true;
    for (size_t at = 0; at < bytes.size(); at += step) {
        int n = static_cast<int>(std::min(step, bytes.size() - at));
        ok = flwrite(bytes.data() + at, 1, n, file) == n && ok;
    }
    return ok;
}

std::vector<std::string> Entries(const std::string& dir)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.push_back(e->d_name);
        }
        closedir(d);
    }
    return names;
}

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : "";
}

// Caps the size of files this process writes for the lifetime of the object.

class FileLibrary : public ::testing::Test {
protected:
    ScratchDir dir;
};

TEST_F(FileLibrary, RoundTripKeepsEveryByteAndNamesTheAbsolutePath)
{
    const std::string path = dir.File("text.ksr");
    const std::string bytes = Pattern(300 * 1024 + 17);
    FlFile* out = flopen(path.c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::string(out->name), RealPath(dir.path()) + "/text.ksr");
    // Small steps as the editor writes them, then one write larger than any buffer.
    EXPECT_TRUE(WriteSteps(out, bytes.substr(0, 100000), 2047));
    std::string rest = bytes.substr(100000);
    EXPECT_EQ(flwrite(rest.data(), 1, static_cast<int>(rest.size()), out), static_cast<int>(rest.size()));
    EXPECT_EQ(out->status, 0);
    EXPECT_EQ(flclose(out), 0);
    EXPECT_EQ(ReadFile(path), bytes);

    FlFile* in = flopen(path.c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    char* nameAt16 = *reinterpret_cast<char**>(reinterpret_cast<char*>(in) + 16);
    EXPECT_EQ(std::string(nameAt16), RealPath(path));
    EXPECT_EQ(ReadAll(in, 4095), bytes);
    EXPECT_EQ(flclose(in), 0);
}

TEST_F(FileLibrary, ReadsAreShortAtTheEndThenZero)
{
    WriteFile(dir.File("a"), Pattern(10000));
    FlFile* in = flopen(dir.File("a").c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    char buffer[4095];
    EXPECT_EQ(flread(buffer, 1, 4095, in), 4095);
    EXPECT_EQ(flread(buffer, 1, 4095, in), 4095);
    EXPECT_EQ(flread(buffer, 1, 4095, in), 10000 - 2 * 4095);
    EXPECT_EQ(std::string(buffer, 10000 - 2 * 4095), Pattern(10000).substr(2 * 4095));
    EXPECT_EQ(flread(buffer, 1, 4095, in), 0);
    EXPECT_EQ(flread(buffer, 1, 4095, in), 0);
    EXPECT_EQ(in->status, 0);
    EXPECT_EQ(flclose(in), 0);
}

TEST_F(FileLibrary, MixedSmallAndLargeReadsStayInOrder)
{
    const std::string bytes = Pattern(500000);
    WriteFile(dir.File("a"), bytes);
    FlFile* in = flopen(dir.File("a").c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    std::vector<char> buffer(400000);
    std::string got;
    for (int want : {10, 4095, 200000, 1, 70000, 400000}) {
        int n = flread(buffer.data(), 1, want, in);
        got.append(buffer.data(), static_cast<size_t>(n));
    }
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(flclose(in), 0);
}

TEST_F(FileLibrary, EmptyFileReadsNothing)
{
    WriteFile(dir.File("empty"), "");
    FlFile* in = flopen(dir.File("empty").c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    char c;
    EXPECT_EQ(flread(&c, 1, 1, in), 0);
    EXPECT_EQ(flclose(in), 0);
}

TEST_F(FileLibrary, OpeningForReadingNeedsAnExistingFile)
{
    EXPECT_EQ(flopen(dir.File("missing").c_str(), kFlRead), nullptr);
    EXPECT_EQ(flopen(dir.path().c_str(), kFlRead), nullptr);  // a directory is no text file
    EXPECT_EQ(flopen("", kFlRead), nullptr);
    WriteFile(dir.File("a"), "x");
    EXPECT_EQ(flopen(dir.File("a").c_str(), 2), nullptr);  // no such mode
}

TEST_F(FileLibrary, ProbeAnswersWhetherTheFileCanBeOpenedAndNeedsNoClose)
{
    WriteFile(dir.File("a"), "x");
    FlFile* probe = flopen(dir.File("a").c_str(), kFlProbe);
    EXPECT_NE(probe, nullptr);
    EXPECT_EQ(flopen(dir.File("missing").c_str(), kFlProbe), nullptr);
    EXPECT_EQ(flopen(dir.path().c_str(), kFlProbe), nullptr);
    // The answer is harmless to the other calls, and probing creates nothing.
    char c;
    EXPECT_EQ(flread(&c, 1, 1, probe), 0);
    EXPECT_EQ(flwrite("y", 1, 1, probe), 0);
    EXPECT_EQ(flclose(probe), 0);
    EXPECT_EQ(Entries(dir.path()).size(), 1u);
    EXPECT_EQ(ReadFile(dir.File("a")), "x");
}

TEST_F(FileLibrary, RelativeNamesAreOpenedUnderTheirAbsolutePath)
{
    char old[PATH_MAX];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    FlFile* out = flopen("new.txt", kFlWrite);
    std::string writeName = out ? out->name : "";
    bool written = out && flwrite("abc", 1, 3, out) == 3 && flclose(out) == 0;
    FlFile* in = flopen("new.txt", kFlRead);
    std::string readName = in ? in->name : "";
    if (in) flclose(in);
    ASSERT_EQ(chdir(old), 0);

    EXPECT_TRUE(written);
    EXPECT_EQ(writeName, RealPath(dir.path()) + "/new.txt");
    EXPECT_EQ(readName, writeName);
}

TEST_F(FileLibrary, NamesWhoseAbsolutePathIsTooLongAreNotOpened)
{
    std::string base(kFlNameSize - dir.path().size(), 'n');
    EXPECT_EQ(flopen(dir.File(base).c_str(), kFlWrite), nullptr);
    EXPECT_TRUE(Entries(dir.path()).empty());
}

TEST_F(FileLibrary, SavingReplacesTheFileAndLeavesNoTemporaryFile)
{
    WriteFile(dir.File("a.ksr"), "old contents\r\n");
    FlFile* out = flopen(dir.File("a.ksr").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(WriteSteps(out, "new\r\n", 16));
    EXPECT_EQ(ReadFile(dir.File("a.ksr")), "old contents\r\n");  // untouched until the close
    EXPECT_EQ(flclose(out), 0);
    EXPECT_EQ(ReadFile(dir.File("a.ksr")), "new\r\n");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a.ksr"});
}

TEST_F(FileLibrary, SavingNothingGivesAnEmptyFile)
{
    WriteFile(dir.File("a"), "old");
    FlFile* out = flopen(dir.File("a").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(flclose(out), 0);
    EXPECT_EQ(ReadFile(dir.File("a")), "");
}

TEST_F(FileLibrary, FailedWritesKeepTheOldFileAndRemoveTheTemporaryOne)
{
    const std::string old = Pattern(5000);
    WriteFile(dir.File("a.ksr"), old);
    FlFile* out = flopen(dir.File("a.ksr").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    bool allWritten;
    {
        FileSizeLimit limit(200 * 1024);
        ASSERT_TRUE(limit.active());
        allWritten = WriteSteps(out, Pattern(1 << 20), 2047);
    }
    EXPECT_FALSE(allWritten);
    EXPECT_NE(out->status, 0);
    EXPECT_EQ(flwrite("x", 1, 1, out), 0);  // a failed save stays failed
    EXPECT_NE(flclose(out), 0);
    EXPECT_EQ(ReadFile(dir.File("a.ksr")), old);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a.ksr"});
}

TEST_F(FileLibrary, AFailureFlushingTheLastBytesAtCloseKeepsTheOldFile)
{
    WriteFile(dir.File("a"), "old");
    FlFile* out = flopen(dir.File("a").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(flwrite("0123456789", 1, 10, out), 10);  // still in the library's buffer
    int closed;
    {
        FileSizeLimit limit(4);
        ASSERT_TRUE(limit.active());
        closed = flclose(out);
    }
    EXPECT_NE(closed, 0);
    EXPECT_EQ(ReadFile(dir.File("a")), "old");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a"});
}

TEST_F(FileLibrary, AnAbandonedSaveKeepsTheOldFile)
{
    WriteFile(dir.File("a"), "old");
    FlFile* out = flopen(dir.File("a").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(WriteSteps(out, Pattern(100000), 16));
    out->status = -1;  // what the editor does when it cannot go on
    EXPECT_NE(flclose(out), 0);
    EXPECT_EQ(ReadFile(dir.File("a")), "old");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"a"});
}

TEST_F(FileLibrary, TargetsThatCannotBeWrittenAreRefusedAtOpen)
{
    EXPECT_EQ(flopen(dir.File("no-such-dir/a").c_str(), kFlWrite), nullptr);
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    EXPECT_EQ(flopen(dir.File("sub").c_str(), kFlWrite), nullptr);
    EXPECT_EQ(flopen(dir.File("sub/").c_str(), kFlWrite), nullptr);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"sub"});
    EXPECT_TRUE(Entries(dir.File("sub")).empty());
}

TEST_F(FileLibrary, AReplacedFileKeepsItsPermissions)
{
    WriteFile(dir.File("a"), "old");
    ASSERT_EQ(chmod(dir.File("a").c_str(), 0640), 0);
    FlFile* out = flopen(dir.File("a").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(flclose(out), 0);
    struct stat info;
    ASSERT_EQ(stat(dir.File("a").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileLibrary, SavingThroughALinkReplacesTheLinkedFile)
{
    ASSERT_EQ(mkdir(dir.File("real").c_str(), 0755), 0);
    WriteFile(dir.File("real/a"), "old");
    ASSERT_EQ(symlink(dir.File("real/a").c_str(), dir.File("link").c_str()), 0);
    FlFile* out = flopen(dir.File("link").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::string(out->name), RealPath(dir.File("real/a")));
    EXPECT_EQ(flwrite("new", 1, 3, out), 3);
    EXPECT_EQ(flclose(out), 0);
    struct stat info;
    ASSERT_EQ(lstat(dir.File("link").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(dir.File("real/a")), "new");
}

TEST_F(FileLibrary, ItemSizesCountWholeItems)
{
    WriteFile(dir.File("a"), "0123456789");
    FlFile* in = flopen(dir.File("a").c_str(), kFlRead);
    ASSERT_NE(in, nullptr);
    char buffer[16] = {};
    EXPECT_EQ(flread(buffer, 4, 4, in), 2);  // 10 bytes are two whole 4-byte items
    EXPECT_EQ(flread(buffer, 0, 4, in), 0);
    EXPECT_EQ(flclose(in), 0);

    FlFile* out = flopen(dir.File("b").c_str(), kFlWrite);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(flwrite("abcdef", 3, 2, out), 2);
    EXPECT_EQ(flclose(out), 0);
    EXPECT_EQ(ReadFile(dir.File("b")), "abcdef");
}

}  // namespace
