// Creating documents, loading files and saving them: sizes, memory, names and failures (the
// bytes of load and save, CR and NUL dropped, CR LF and tab expansion, are checked by fuzz_load).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>


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

    // Loads bytes through a file, as opening a document does.
    DocPtr Load(const std::string& bytes, const std::string& name = "in.ksr")
    {
        WriteFile(dir.File(name), bytes);
        DocPtr doc = NewRecord();
        EXPECT_TRUE(CreateDocument(doc.get(), dir.File(name).c_str()));
        return doc;
    }

    std::string Save(EditState* doc, const std::string& name = "out.ksr")
    {
        std::snprintf(doc->path, sizeof doc->path, "%s", dir.File(name).c_str());
        EXPECT_EQ(SaveText(doc), 1);
        return ReadFile(dir.File(name));
    }

    // A modified document named `name` with a one-record log, so tests can see whether saving cleared it.
    DocPtr Modified(const std::string& text, const std::string& name = "out.ksr")
    {
        DocPtr doc = DocWithText(text);
        doc->docFlags = kDocModified;
        doc->undoLog = static_cast<UndoRecord*>(AllocBlock(sizeof(UndoRecord) * kUndoCapacity));
        doc->undoLog[0].kind = kUndoInsertChar;
        doc->undoCapacity = kUndoCapacity;
        doc->undoNext = doc->undoCount = 1;
        std::snprintf(doc->path, sizeof doc->path, "%s", dir.File(name).c_str());
        return doc;
    }
    // A failed save: still modified, the log kept, the old file as it was.
    void ExpectUnsaved(const EditState* doc, const std::string& name, const std::string& old)
    {
        EXPECT_EQ(Join(doc->docFlags & kDocModified, doc->undoCount, screen.waitDepth),
                  Join(kDocModified, 1, 0));
        EXPECT_EQ(ReadFile(dir.File(name)), old);
    }
};

}  // namespace

TEST_F(DocumentFileTest, LoadSetsTheViewTitlePathAndScrollBars)
{
    std::string lines;
    for (int i = 0; i < 3000; ++i) lines += "0123456789\r\n";
    DocPtr doc = Load(lines);
    // Length, top offset and line, caret, flags; divisor and the bars' ranges.
    EXPECT_EQ(Join(doc->length, doc->topOffset, doc->topLine, doc->caretOffset, doc->docFlags),
              "33000 0 0 0 0");
    EXPECT_EQ(Join(doc->scrollDivisor, screen.LastRange(kBarVertical), screen.LastRange(kBarHorizontal)),
              "3 11000 1024");
    EXPECT_EQ(screen.titles, std::vector<std::string>{dir.File("in.ksr")});
    EXPECT_EQ(std::string(doc->path), dir.File("in.ksr"));
    EXPECT_EQ(Join(screen.waitDepth, screen.messages.size()), "0 0");
}

TEST_F(DocumentFileTest, MissingFileGivesAnEmptyDocumentUnderThatNameWithoutMessage)
{
    std::string path = dir.File("missing.ksr");
    EXPECT_EQ(FileSize(path.c_str()), 0u);
    DocPtr doc = NewRecord();
    ASSERT_TRUE(CreateDocument(doc.get(), path.c_str()));
    EXPECT_EQ(Join(doc->length, doc->path, screen.messages.size()), Join(0, path, 0));
}

TEST_F(DocumentFileTest, FilesOf2GiBOrMoreAreRefusedWithCannotOpen)
{
    std::string path = dir.File("huge.ksr");
    WriteFile(path, "");
    ASSERT_EQ(truncate(path.c_str(), 0x80000000LL), 0);  // sparse: takes no room
    EXPECT_EQ(static_cast<int32_t>(FileSize(path.c_str())), -1);
    DocPtr doc = NewRecord();
    EXPECT_FALSE(CreateDocument(doc.get(), path.c_str()));
    ASSERT_EQ(screen.MessageIds(), (std::vector<int>{IDS_CANNOT_OPEN}));
    EXPECT_EQ(screen.messages[0].appended, path);
    EXPECT_EQ(doc->text, nullptr);
}

TEST_F(DocumentFileTest, NoMemoryFailsTheCreationOrForTheTransferBufferGivesAnEmptyDocument)
{
    WriteFile(dir.File("a.ksr"), "abc\r\n");
    DocPtr doc = NewRecord();
    FailAllocationsFrom(1);
    EXPECT_FALSE(CreateDocument(doc.get(), dir.File("a.ksr").c_str()));
    EXPECT_FALSE(CreateDocument(doc.get(), nullptr));
    ASSERT_EQ(screen.MessageIds(), (std::vector<int>{IDS_OUT_OF_MEMORY, IDS_OUT_OF_MEMORY}));
    EXPECT_EQ(doc->text, nullptr);
    EXPECT_EQ(g_core.untitledCounter, 1u);  // no number was used up

    FailAllocationNumber(AllocationCalls() + 2);  // the text block succeeds, the 4096-byte buffer does not
    ASSERT_TRUE(CreateDocument(doc.get(), dir.File("a.ksr").c_str()));
    EXPECT_EQ(doc->length, 0);
    ASSERT_EQ(screen.MessageIds(),
              (std::vector<int>{IDS_OUT_OF_MEMORY, IDS_OUT_OF_MEMORY, IDS_OUT_OF_MEMORY}));
    EXPECT_EQ(screen.waitDepth, 0);
}

TEST_F(DocumentFileTest, AFileShorterOrLongerThanAnnouncedStaysInsideTheBlock)
{
    WriteFile(dir.File("a.ksr"), "0123456789");
    char path[kPathSize];
    std::snprintf(path, sizeof path, "%s", dir.File("a.ksr").c_str());
    // Shorter: the file yields 10 of an announced 5000 bytes; longer: the text is cut at 4.
    for (auto [announced, expect] : {std::pair{5000, "0123456789"}, {4, "0123"}}) {
        DocPtr doc = NewRecord();
        doc->text = static_cast<char*>(AllocBlock(static_cast<size_t>(announced) + 1));
        doc->capacity = announced;
        LoadText(doc.get(), path);
        EXPECT_EQ(Text(doc.get()), expect);
    }
}

TEST_F(DocumentFileTest, UntitledDocumentsHoldOneLfAndAreNumberedOverTheRun)
{
    DocPtr one = NewRecord();
    ASSERT_TRUE(CreateDocument(one.get(), nullptr));
    EXPECT_EQ(
        Join(Text(one.get()), one->capacity, one->scrollDivisor, screen.LastRange(kBarVertical), one->path),
        "\n 16384 2 8192 ");
    DocPtr two = NewRecord();
    ASSERT_TRUE(CreateDocument(two.get(), nullptr));
    one.reset();
    two.reset();
    DocPtr three = NewRecord();
    ASSERT_TRUE(CreateDocument(three.get(), nullptr));
    EXPECT_EQ(screen.titles, (std::vector<std::string>{"Untitled:1", "Untitled:2", "Untitled:3"}));
    EXPECT_EQ(Save(three.get()), "\r\n");
}

TEST_F(DocumentFileTest, TabsAreExpandedToTheTabStopsSettingOnlyWhenAsked)
{
    // The expansion itself is checked by fuzz_load, on every tab stop.
    DocPtr doc = DocWithText("ab\tx");
    g_core.settings.noTabs = 1;
    g_core.settings.tabStops = 8;
    doc->tabSize = 3;  // the document's own tab size does not count
    EXPECT_EQ(Save(doc.get()), "ab      x");
    EXPECT_EQ(Text(doc.get()), "ab\tx");  // memory keeps the tabs
    // Wide tabs in a full step fit the output buffer.
    doc = DocWithText(std::string(4000, '\t'));
    g_core.settings.tabStops = 80;
    EXPECT_EQ(Save(doc.get()), std::string(4000 * 80, ' '));
}

TEST_F(DocumentFileTest, SaveReplacesTheFileWholeAndClearsModifiedAndTheUndoLog)
{
    WriteFile(dir.File("out.ksr"), std::string(100000, 'z'));
    DocPtr doc = Modified("short\n");
    EXPECT_EQ(Save(doc.get()), "short\r\n");
    EXPECT_EQ(doc->undoLog, nullptr);
    EXPECT_EQ(Join(doc->docFlags & kDocModified, doc->undoNext, doc->undoCount, screen.waitDepth), "0 0 0 0");
}

TEST_F(DocumentFileTest, FailedSavesLeaveTheDocumentModifiedWithItsLogAndTheOldFile)
{
    // A target that cannot be opened: the caller shows the message.
    DocPtr doc = Modified("abc\n", "no-such-dir/out.ksr");
    EXPECT_EQ(SaveText(doc.get()), 0);
    ExpectUnsaved(doc.get(), "no-such-dir/out.ksr", "");
    EXPECT_TRUE(screen.messages.empty());
    // No memory for the output buffer.
    WriteFile(dir.File("out.ksr"), "old contents\r\n");
    doc = Modified("new\n");
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_EQ(SaveText(doc.get()), 0);
    FailAllocationsFrom(0);
    ASSERT_EQ(screen.MessageIds(), (std::vector<int>{IDS_OUT_OF_MEMORY}));
    ExpectUnsaved(doc.get(), "out.ksr", "old contents\r\n");
    // A write that fails halfway.
    doc = Modified(std::string(1 << 20, 'w') + "\n");
    int saved = -1;
    {
        FileSizeLimit limit(200 * 1024);
        ASSERT_TRUE(limit.active());
        saved = SaveText(doc.get());
    }
    EXPECT_EQ(saved, 0);
    ExpectUnsaved(doc.get(), "out.ksr", "old contents\r\n");
}
