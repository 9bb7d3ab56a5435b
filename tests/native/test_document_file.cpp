// Creating documents, loading files and saving them: sizes, memory, names and failures (the
// bytes of load and save, CR and NUL dropped, CR LF and tab expansion, are checked by fuzz_load;
// saves whose allocations fail, by the out-of-memory sweep).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "doc/buffer.h"
#include "doc/document_file.h"
#include "doc/undo.h"
#include "resources/ids.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/file_helpers.h"
#include "tests/native/recorder.h"

namespace {

class DocumentFileTest : public ::testing::Test, public CoreFixture {
protected:
    ScratchDir dir;

    // Creates a document from the file `name`, written first with `bytes` unless null.
    DocPtr Create(const char* bytes, const std::string& name = "in.ksr", bool created = true)
    {
        if (bytes) WriteFile(dir.File(name), bytes);
        DocPtr doc = NewRecord();
        EXPECT_EQ(CreateDocument(doc.get(), dir.File(name).c_str()), created) << name;
        return doc;
    }
    std::string Save(EditState* doc, int saved = 1, const std::string& name = "out.ksr")
    {
        std::snprintf(doc->path, sizeof doc->path, "%s", dir.File(name).c_str());
        EXPECT_EQ(SaveText(doc), saved);
        return ReadFile(dir.File(name));
    }
    // A modified document with a one-record log, so tests can see whether saving cleared it:
    // the modified flag, the records and the wait cursor's depth after the save.
    std::string SaveModified(const std::string& text, int saved, const std::string& name = "out.ksr")
    {
        DocPtr doc = DocWithText(text);
        doc->docFlags = kDocModified;
        doc->undoLog = static_cast<UndoRecord*>(AllocBlock(sizeof(UndoRecord) * kUndoCapacity));
        doc->undoLog[0].kind = kUndoInsertChar;
        doc->undoCapacity = kUndoCapacity;
        doc->undoNext = doc->undoCount = 1;
        Save(doc.get(), saved, name);
        return Join(doc->docFlags & kDocModified, doc->undoCount, doc->undoLog != nullptr, screen.waitDepth);
    }
};

}  // namespace

TEST_F(DocumentFileTest, LoadSetsTheViewTitlePathAndScrollBarsAndAnUnreadableFileGivesNoDocument)
{
    std::string lines;
    for (int i = 0; i < 3000; ++i) lines += "0123456789\r\n";
    DocPtr doc = Create(lines.c_str());
    // Length, top offset and line, caret, flags; divisor and the bars' ranges; path, wait, messages.
    EXPECT_EQ(Join(doc->length, doc->topOffset, doc->topLine, doc->caretOffset, doc->docFlags,
                   doc->scrollDivisor, screen.LastRange(kBarVertical), screen.LastRange(kBarHorizontal)),
              "33000 0 0 0 0 3 11000 1024");
    EXPECT_EQ(screen.titles, std::vector<std::string>{dir.File("in.ksr")});
    EXPECT_EQ(Join(doc->path, screen.waitDepth, screen.messages.size()), Join(dir.File("in.ksr"), 0, 0));
    // A file that cannot be read (missing, a folder, 2 GiB long) is never an empty document that
    // a save would write over: no text, message 300 with its name.
    ASSERT_EQ(mkdir(dir.File("folder.ksr").c_str(), 0755), 0);
    WriteFile(dir.File("huge.ksr"), "");
    ASSERT_EQ(truncate(dir.File("huge.ksr").c_str(), 0x80000000LL), 0);  // sparse: takes no room
    for (const char* name : {"missing.ksr", "folder.ksr", "huge.ksr"}) {
        screen.messages.clear();
        EXPECT_EQ(static_cast<int32_t>(FileSize(dir.File(name).c_str())), -1) << name;
        doc = Create(nullptr, name, false);
        ASSERT_EQ(screen.MessageIds(), (std::vector<int>{IDS_CANNOT_OPEN})) << name;
        EXPECT_EQ(Join(screen.messages[0].appended, doc->text == nullptr, doc->path, screen.waitDepth),
                  Join(dir.File(name), 1, "", 0));
    }
}

TEST_F(DocumentFileTest, NoMemoryFailsTheCreationAndAFileOfAnotherSizeStaysInItsBlock)
{
    // A file shorter or longer than announced stays inside the block: the file yields 10 of an
    // announced 5000 bytes; the text is cut at 4. One that will not open after its size was
    // taken (gone, a folder now) or whose read fails (this process's memory from address 0) is
    // unreadable.
    WriteFile(dir.File("a.ksr"), "0123456789");
    ASSERT_EQ(mkdir(dir.File("folder.ksr").c_str(), 0755), 0);
    const LoadResult loaded = LoadResult::kLoaded, unreadable = LoadResult::kUnreadable;
    // clang-format off
    const struct { std::string file; int32_t announced; const char* text; LoadResult result; } reads[] = {
        {dir.File("a.ksr"), 5000, "0123456789", loaded}, {dir.File("a.ksr"), 4, "0123", loaded},
        {dir.File("gone.ksr"), 10, "", unreadable}, {dir.File("folder.ksr"), 10, "", unreadable},
        {"/proc/self/mem", 5000, "", unreadable}};
    // clang-format on
    for (const auto& r : reads) {
        char name[kPathSize];
        std::snprintf(name, sizeof name, "%s", r.file.c_str());
        DocPtr sized = NewRecord();
        sized->text = static_cast<char*>(AllocBlock(static_cast<size_t>(r.announced) + 1));
        sized->capacity = r.announced;
        EXPECT_EQ(LoadText(sized.get(), name), r.result) << r.file;
        EXPECT_EQ(Text(sized.get()), r.text) << r.file;
    }
    // Without memory the creation fails, for the text block and for the transfer buffer alike.
    WriteFile(dir.File("a.ksr"), "abc\r\n");
    DocPtr doc = NewRecord();
    screen.messages.clear();
    FailAllocationsFrom(1);
    EXPECT_FALSE(CreateDocument(doc.get(), dir.File("a.ksr").c_str()));
    EXPECT_FALSE(CreateDocument(doc.get(), nullptr));
    EXPECT_EQ(Join(doc->text == nullptr, g_core.untitledCounter), "1 1");  // no number was used up
    FailAllocationNumber(AllocationCalls() + 2);  // the text block succeeds, the 4096-byte buffer does not
    EXPECT_FALSE(CreateDocument(doc.get(), dir.File("a.ksr").c_str()));
    EXPECT_EQ(Join(doc->text == nullptr, screen.waitDepth), "1 0");
    EXPECT_EQ(screen.MessageIds(), std::vector<int>(3, IDS_OUT_OF_MEMORY));
    // The largest text the core takes, where the address space has no hole that big (a 32-bit
    // process): 303, no text, and nothing was read.
    WriteFile(dir.File("big.ksr"), "");
    ASSERT_EQ(truncate(dir.File("big.ksr").c_str(), 0x7FFFFFFFLL), 0);  // sparse: takes no room
    FailAllocationNumber(0);
    g_tally.largest = size_t{1} << 28;
    screen.messages.clear();
    EXPECT_FALSE(CreateDocument(doc.get(), dir.File("big.ksr").c_str()));
    EXPECT_EQ(Join(doc->text == nullptr, screen.waitDepth, g_tally.lastSize < g_tally.largest), "1 0 1");
    EXPECT_EQ(screen.MessageIds(), std::vector<int>{IDS_OUT_OF_MEMORY});
}

TEST_F(DocumentFileTest, UntitledDocumentsAreNumberedAndASaveReplacesTheFileOrKeepsTheOldOne)
{
    DocPtr one = NewRecord(), two = NewRecord(), three = NewRecord();
    ASSERT_TRUE(CreateDocument(one.get(), nullptr));
    EXPECT_EQ(
        Join(Text(one.get()), one->capacity, one->scrollDivisor, screen.LastRange(kBarVertical), one->path),
        "\n 16384 2 8192 ");
    ASSERT_TRUE(CreateDocument(two.get(), nullptr));
    one.reset();
    two.reset();
    ASSERT_TRUE(CreateDocument(three.get(), nullptr));
    EXPECT_EQ(screen.titles, (std::vector<std::string>{"Untitled:1", "Untitled:2", "Untitled:3"}));
    EXPECT_EQ(Save(three.get()), "\r\n");

    // Wide tabs fit the output buffer, and memory keeps them.
    DocPtr doc = DocWithText(std::string(4000, '\t'));
    g_core.settings.noTabs = 1;
    g_core.settings.tabStops = 80;
    EXPECT_EQ(Save(doc.get()), std::string(4000 * 80, ' '));
    EXPECT_EQ(Text(doc.get()), std::string(4000, '\t'));

    // A save replaces the file and clears the log; a failed one keeps both and the old file.
    WriteFile(dir.File("out.ksr"), std::string(100000, 'z'));
    EXPECT_EQ(SaveModified("short\n", 1), "0 0 0 0");
    EXPECT_EQ(ReadFile(dir.File("out.ksr")), "short\r\n");
    // A target that cannot be opened: the caller shows the message.
    EXPECT_EQ(SaveModified("abc\n", 0, "no-such-dir/out.ksr"), Join(kDocModified, 1, 1, 0));
    EXPECT_TRUE(screen.messages.empty());
    // A write that fails halfway.
    std::optional<FileSizeLimit> limit(200 * 1024);
    ASSERT_TRUE(limit->active());
    EXPECT_EQ(SaveModified(std::string(1 << 20, 'w') + "\n", 0), Join(kDocModified, 1, 1, 0));
    limit.reset();
    EXPECT_EQ(ReadFile(dir.File("out.ksr")), "short\r\n");
}

TEST_F(DocumentFileTest, LoadAndSaveReportTheirProgressEveryMebibyteAndTheirEnd)
{
    // 2.5 MiB, a quarter of them CR that the load drops: reports at 1 and 2 MiB read or
    // written, and the end. A save without its buffer never starts and reports nothing.
    std::string bytes;
    while (bytes.size() < (5u << 19)) bytes += "abc\r";
    DocPtr doc = Create(bytes.c_str());
    EXPECT_EQ(screen.progress, " L0 L40 L80 L-1");
    screen.progress.clear();
    EXPECT_EQ(Save(doc.get()).size(), (5u << 19) * 3 / 4);
    EXPECT_EQ(screen.progress, " S0 S53 S-1");
    screen.progress.clear();
    FailAllocationsFrom(AllocationCalls() + 1);
    Save(doc.get(), 0);
    EXPECT_EQ(screen.progress, "");
}
