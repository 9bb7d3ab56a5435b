// Recovery snapshots: the file format refuses cut and damaged files with their reason, a
// written file parses back to what went in, when a snapshot is due, the changed-on-disk
// comparison, and the two recovery keys of the settings file.
#include <gtest/gtest.h>

#include <string>

#include "doc/edit_state.h"
#include "doc/memory.h"
#include "doc/snapshot.h"
#include "resources/ids.h"
#include "settings/settings_rules.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/file_helpers.h"

namespace {

std::string Encode(const char* path, uint32_t untitled, const std::string& text)
{
    std::string out(SnapshotHeaderSize(path ? std::string(path).size() : 0) + text.size(), '\0');
    const size_t n = EncodeSnapshot(&out[0], out.size(), path, untitled, 1700000000, text.data(),
                                    static_cast<uint32_t>(text.size()));
    out.resize(n);
    return out;
}

TEST(SnapshotFormat, RefusesCutAndDamagedFilesWithTheirReasonAndWhatWasWrittenComesBack)
{
    const std::string good = Encode("C:\\WORK\\A.KSR", 0, "typed\nlines\n");
    ASSERT_FALSE(good.empty());
    auto flip = [&](size_t at) {
        std::string b = good;
        b[at] = static_cast<char>(b[at] ^ 0x40);
        return b;
    };
    auto with32 = [&](size_t at, uint32_t v) {
        std::string b = good;
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
        return b;
    };
    // clang-format off
    const struct { const char* what; std::string bytes; SnapshotFault fault; int reason; } cases[] = {
        {"whole", good, SnapshotFault::kNone, 0},
        {"empty", "", SnapshotFault::kTooShort, IDS_SNAPSHOT_CUT},
        {"header cut", good.substr(0, 20), SnapshotFault::kTooShort, IDS_SNAPSHOT_CUT},
        {"text cut", good.substr(0, good.size() - 1), SnapshotFault::kCut, IDS_SNAPSHOT_CUT},
        {"bytes after", good + "x", SnapshotFault::kTrailing, IDS_SNAPSHOT_TRAILING},
        {"magic", flip(1), SnapshotFault::kNotSnapshot, IDS_SNAPSHOT_FOREIGN},
        {"line ends turned", "ZVSNAP\n" + good.substr(8), SnapshotFault::kNotSnapshot, IDS_SNAPSHOT_FOREIGN},
        {"version", with32(8, 2), SnapshotFault::kVersion, IDS_SNAPSHOT_VERSION},
        {"path and number", with32(12, 3), SnapshotFault::kBadName, IDS_SNAPSHOT_HEADER},
        {"path too long", with32(16, 400), SnapshotFault::kBadName, IDS_SNAPSHOT_HEADER},
        {"text too long", with32(20, 0x80000000u), SnapshotFault::kTooLarge, IDS_SNAPSHOT_HEADER},
        {"text byte", flip(good.size() - 2), SnapshotFault::kChecksum, IDS_SNAPSHOT_CHECKSUM},
        {"checksum", flip(33), SnapshotFault::kChecksum, IDS_SNAPSHOT_CHECKSUM},
    };
    // clang-format on
    for (const auto& c : cases) {
        SnapshotView view;
        EXPECT_EQ(ParseSnapshot(c.bytes.data(), c.bytes.size(), &view), c.fault) << c.what;
        EXPECT_EQ(SnapshotFaultStringId(c.fault), c.reason) << c.what;
    }
    // Names and texts come back as written, also through the file library.
    const std::string longPath(kPathSize, 'p');
    // clang-format off
    const struct { const char* path; uint32_t untitled; std::string text; bool allowed; } names[] = {
        {"C:\\WORK\\A.KSR", 0, "alpha\n\tbeta", true}, {nullptr, 7, "", true}, {"", 2, std::string("a\0b\xff", 4), true},
        {nullptr, 0, "x", false},           // no name at all
        {"C:\\B.KSR", 4, "x", false},       // both
        {longPath.c_str(), 0, "x", false},  // a path no document holds
    };
    // clang-format on
    for (const auto& c : names) {
        const std::string bytes = Encode(c.path, c.untitled, c.text);
        ASSERT_EQ(!bytes.empty(), c.allowed) << c.untitled;
        if (!c.allowed) continue;
        SnapshotView view;
        ASSERT_EQ(ParseSnapshot(bytes.data(), bytes.size(), &view), SnapshotFault::kNone);
        EXPECT_EQ(Join(std::string(view.path, view.pathLength), view.untitled, view.takenAt,
                       std::string(view.text, view.length)),
                  Join(c.path ? c.path : "", c.untitled, 1700000000u, c.text));
    }
    // Too little room is refused rather than overrun.
    char small[kSnapshotFixedHeader + 4];
    EXPECT_EQ(EncodeSnapshot(small, sizeof small, "C:\\A", 0, 0, "12345", 5), 0u);
    // The standard check value of CRC-32.
    EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);

    // A refused name writes nothing and keeps the file that stands; a missing directory fails
    // without a trace. (What is written reads back whole in the window's recovery tests.)
    ScratchDir dir;
    const std::string file = dir.File("A.ZVR");
    WriteFile(file, "standing");
    EXPECT_FALSE(WriteSnapshotFile(file.c_str(), nullptr, 0, 99, "x", 1));
    EXPECT_EQ(ReadFile(file), "standing");
    EXPECT_FALSE(WriteSnapshotFile(dir.File("none/B.ZVR").c_str(), "C:\\A", 0, 0, "x", 1));

    // Reading for a reload drops CR and NUL as loading does; a missing file is refused.
    WriteFile(dir.File("T.KSR"), std::string("a\r\nb\0c", 6));
    char* block = nullptr;
    int32_t length = 0;
    ASSERT_TRUE(ReadWholeFile(dir.File("T.KSR").c_str(), true, &block, &length));
    EXPECT_EQ(std::string(block, static_cast<size_t>(length)), "a\nbc");
    FreeBlock(block);
    EXPECT_FALSE(ReadWholeFile(dir.File("missing").c_str(), true, &block, &length));
}

TEST(Recovery, SnapshotsAreDueAfterTheIdleTimeAtMostOncePerIntervalDiskStampsCompareAndTheKeysAreOn)
{
    const SnapshotTiming t;  // 2 s idle, 10 s apart
    // clang-format off
    const struct { uint32_t now, lastInput; bool written; uint32_t lastWritten; bool due; } cases[] = {
        {1999, 0, false, 0, false},         // still typing
        {2000, 0, false, 0, true},          // rested: the first snapshot
        {12000, 10000, true, 3000, false},  // rested, but the last one is 9 s old
        {13000, 10000, true, 3000, true},   // 10 s since the last one
        {5, 0xFFFFF000u, false, 0, true},   // across the tick count's wrap: 4101 ms rest
        {5, 0xFFFFFFF0u, false, 0, false},  // 21 ms rest across the wrap
    };
    const struct { const char* text; uint32_t idle, interval; } timings[] = {
        {nullptr, 2000, 10000},  {"300,1000", 300, 1000},    {"300", 2000, 10000},
        {"0,1000", 2000, 10000}, {"300,1000x", 2000, 10000}, {"5,9999999", 2000, 10000},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(SnapshotDue(c.now, c.lastInput, c.written, c.lastWritten, t), c.due) << c.now;
    for (const auto& c : timings) {
        const SnapshotTiming parsed = ParseSnapshotTiming(c.text);
        EXPECT_EQ(Join(parsed.idle, parsed.interval), Join(c.idle, c.interval)) << (c.text ? c.text : "none");
    }
    // Disk stamps compare, and both recovery keys are on by default.
    const DiskStamp file{true, 100, 10}, later{true, 101, 10}, longer{true, 100, 11}, none{};
    // clang-format off
    const struct { DiskStamp known, now; DiskChange change; } stamps[] = {
        {file, file, DiskChange::kNone}, {file, later, DiskChange::kChanged}, {file, longer, DiskChange::kChanged},
        {file, none, DiskChange::kDeleted}, {none, none, DiskChange::kNone}, {none, file, DiskChange::kChanged}};
    // clang-format on
    for (const auto& c : stamps) EXPECT_EQ(CompareDiskStamp(c.known, c.now), c.change);
    // The recovery keys and the syntax colours are on without a settings file and stored as numbers.
    for (const SettingKey& key : kRecoveryKeys) {
        Settings s;
        EXPECT_EQ(SettingInt(s, key), 1) << key.nameId;  // on without a settings file
        LoadSetting(s, key, "0", nullptr);
        char text[kSettingValueSize];
        FormatSetting(s, key, text, sizeof text);
        EXPECT_EQ(Join(SettingInt(s, key), text), "0 0") << key.nameId;
        LoadSetting(s, key, nullptr, nullptr);
        EXPECT_EQ(SettingInt(s, key), 1) << key.nameId;
    }
    Settings s;
    LoadSetting(s, kRecoveryKeys[1], "0", nullptr);
    EXPECT_EQ(Join(s.recoveryCopies, s.checkDiskChanges), "1 0");
}

}  // namespace
