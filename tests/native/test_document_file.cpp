// Creating documents, loading files (CR and NUL dropped) and saving them (CR LF, tab expansion).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

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

    // A log with one record, so tests can see whether saving cleared it.
    static void GiveUndoLog(EditState* doc)
    {
        doc->undoLog = static_cast<UndoRecord*>(AllocBlock(sizeof(UndoRecord) * kUndoCapacity));
        doc->undoLog[0].kind = kUndoInsertChar;
        doc->undoCapacity = kUndoCapacity;
        doc->undoNext = doc->undoCount = 1;
    }
};

}  // namespace

TEST_F(DocumentFileTest, LineEndsBecomeLfAndGoBackAsCrLf)
{
    DocPtr doc = Load("a\r\nb");
    EXPECT_EQ(Text(doc.get()), "a\nb");
    EXPECT_EQ(doc->length, 3);
    EXPECT_EQ(doc->capacity, doc->length);
    EXPECT_EQ(Save(doc.get()), "a\r\nb");  // no final line end is added
}

TEST_F(DocumentFileTest, BareCrAndNulBytesAreDroppedWhereverTheyStand)
{
    DocPtr doc = Load(std::string("a\rb\0c\r\r\n\0\x1a\t\xff", 12));
    EXPECT_EQ(Text(doc.get()), std::string("abc\n\x1a\t\xff"));
    EXPECT_EQ(doc->length, 7);
    EXPECT_EQ(doc->capacity, 7);
    EXPECT_EQ(doc->text[doc->length], '\0');
}

TEST_F(DocumentFileTest, LoadSetsTheViewTitlePathAndScrollBars)
{
    std::string lines;
    for (int i = 0; i < 3000; ++i) lines += "0123456789\r\n";
    DocPtr doc = Load(lines);
    EXPECT_EQ(doc->length, 33000);
    EXPECT_EQ(doc->topOffset, 0);
    EXPECT_EQ(doc->caretOffset, 0);
    EXPECT_EQ(doc->topLine, 0);
    EXPECT_EQ(doc->docFlags, 0);
    EXPECT_EQ(doc->scrollDivisor, 33000 / 16384 + 1);
    EXPECT_EQ(screen.LastRange(kBarVertical), 33000 / 3);
    EXPECT_EQ(screen.LastRange(kBarHorizontal), 1024);
    ASSERT_EQ(screen.titles.size(), 1u);
    EXPECT_EQ(screen.titles[0], doc->path);
    EXPECT_EQ(std::string(doc->path), dir.File("in.ksr"));
    EXPECT_EQ(screen.waitDepth, 0);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(DocumentFileTest, EmptyFileLoadsEmptyAndSavesEmpty)
{
    DocPtr doc = Load("");
    EXPECT_EQ(doc->length, 0);
    EXPECT_EQ(Save(doc.get()), "");
}

TEST_F(DocumentFileTest, MissingFileGivesAnEmptyDocumentUnderThatNameWithoutMessage)
{
    std::string path = dir.File("missing.ksr");
    EXPECT_EQ(FileSize(path.c_str()), 0u);
    DocPtr doc = NewRecord();
    ASSERT_TRUE(CreateDocument(doc.get(), path.c_str()));
    EXPECT_EQ(doc->length, 0);
    EXPECT_EQ(std::string(doc->path), path);
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(DocumentFileTest, FilesOf2GiBOrMoreAreRefusedWithCannotOpen)
{
    std::string path = dir.File("huge.ksr");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(ftruncate(fileno(f), 0x80000000LL), 0);  // sparse: takes no room
    std::fclose(f);
    EXPECT_EQ(static_cast<int32_t>(FileSize(path.c_str())), -1);
    DocPtr doc = NewRecord();
    EXPECT_FALSE(CreateDocument(doc.get(), path.c_str()));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_CANNOT_OPEN);
    EXPECT_EQ(screen.messages[0].appended, path);
    EXPECT_EQ(doc->text, nullptr);
}

TEST_F(DocumentFileTest, NoMemoryForTheTextFailsTheCreation)
{
    WriteFile(dir.File("a.ksr"), "abc");
    DocPtr doc = NewRecord();
    FailAllocationsFrom(1);
    EXPECT_FALSE(CreateDocument(doc.get(), dir.File("a.ksr").c_str()));
    EXPECT_FALSE(CreateDocument(doc.get(), nullptr));
    ASSERT_EQ(screen.messages.size(), 2u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(screen.messages[1].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(doc->text, nullptr);
    EXPECT_EQ(g_core.untitledCounter, 1u);  // no number was used up
}

TEST_F(DocumentFileTest, NoMemoryForTheTransferBufferGivesAnEmptyDocument)
{
    WriteFile(dir.File("a.ksr"), "abc\r\n");
    DocPtr doc = NewRecord();
    FailAllocationNumber(2);  // the text block succeeds, the 4096-byte buffer does not
    ASSERT_TRUE(CreateDocument(doc.get(), dir.File("a.ksr").c_str()));
    EXPECT_EQ(doc->length, 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(screen.waitDepth, 0);
}

TEST_F(DocumentFileTest, AFileShorterOrLongerThanAnnouncedStaysInsideTheBlock)
{
    WriteFile(dir.File("a.ksr"), "0123456789");
    // Shorter: the file yields 10 of an announced 5000 bytes; the read loop ends with them.
    DocPtr doc = NewRecord();
    doc->text = static_cast<char*>(AllocBlock(5001));
    doc->capacity = 5000;
    char path[kPathSize];
    std::snprintf(path, sizeof path, "%s", dir.File("a.ksr").c_str());
    LoadText(doc.get(), path);
    EXPECT_EQ(Text(doc.get()), "0123456789");
    // Longer: grown since its size was taken; the text is cut at the announced size.
    DocPtr cut = NewRecord();
    cut->text = static_cast<char*>(AllocBlock(5));
    cut->capacity = 4;
    LoadText(cut.get(), path);
    EXPECT_EQ(Text(cut.get()), "0123");
}

TEST_F(DocumentFileTest, UntitledDocumentsHoldOneLfAndAreNumberedOverTheRun)
{
    DocPtr one = NewRecord();
    ASSERT_TRUE(CreateDocument(one.get(), nullptr));
    EXPECT_EQ(Text(one.get()), "\n");
    EXPECT_EQ(one->capacity, 16384);
    EXPECT_EQ(one->scrollDivisor, 2);
    EXPECT_EQ(screen.LastRange(kBarVertical), 8192);
    EXPECT_EQ(one->path[0], '\0');
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
    DocPtr doc = DocWithText("\tx\nab\tx\n\t\tq\tr");
    EXPECT_EQ(Save(doc.get()), "\tx\r\nab\tx\r\n\t\tq\tr");
    g_core.settings.noTabs = 1;
    g_core.settings.tabStops = 8;
    doc->tabSize = 3;  // the document's own tab size does not count
    EXPECT_EQ(Save(doc.get()), "        x\r\nab      x\r\n                q       r");
    g_core.settings.tabStops = 1;
    EXPECT_EQ(Save(doc.get()), " x\r\nab x\r\n  q r");
    EXPECT_EQ(Text(doc.get()), "\tx\nab\tx\n\t\tq\tr");  // memory keeps the tabs
}

TEST_F(DocumentFileTest, WideTabsInAFullStepFitTheOutputBuffer)
{
    DocPtr doc = DocWithText(std::string(4000, '\t'));
    g_core.settings.noTabs = 1;
    g_core.settings.tabStops = 80;
    EXPECT_EQ(Save(doc.get()), std::string(4000 * 80, ' '));
}

TEST_F(DocumentFileTest, SaveClearsModifiedAndTheUndoLog)
{
    DocPtr doc = DocWithText("abc\n");
    doc->docFlags = kDocModified;
    GiveUndoLog(doc.get());
    Save(doc.get());
    EXPECT_FALSE(doc->docFlags & kDocModified);
    EXPECT_EQ(doc->undoLog, nullptr);
    EXPECT_EQ(doc->undoNext, 0);
    EXPECT_EQ(doc->undoCount, 0);
    EXPECT_EQ(screen.waitDepth, 0);
}

TEST_F(DocumentFileTest, FailedOpenForWritingLeavesTheDocumentModifiedWithItsLog)
{
    DocPtr doc = DocWithText("abc\n");
    doc->docFlags = kDocModified;
    GiveUndoLog(doc.get());
    std::snprintf(doc->path, sizeof doc->path, "%s", dir.File("no-such-dir/out.ksr").c_str());
    EXPECT_EQ(SaveText(doc.get()), 0);
    EXPECT_TRUE(doc->docFlags & kDocModified);
    EXPECT_EQ(doc->undoCount, 1);
    EXPECT_TRUE(screen.messages.empty());  // the caller shows 301
}

TEST_F(DocumentFileTest, NoMemoryForTheOutputBufferKeepsTheOldFile)
{
    WriteFile(dir.File("out.ksr"), "old contents\r\n");
    DocPtr doc = DocWithText("new\n");
    doc->docFlags = kDocModified;
    GiveUndoLog(doc.get());
    std::snprintf(doc->path, sizeof doc->path, "%s", dir.File("out.ksr").c_str());
    FailAllocationsFrom(AllocationCalls() + 1);
    EXPECT_EQ(SaveText(doc.get()), 0);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].stringId, IDS_OUT_OF_MEMORY);
    EXPECT_TRUE(doc->docFlags & kDocModified);
    EXPECT_EQ(doc->undoCount, 1);
    FailAllocationsFrom(0);
    EXPECT_EQ(ReadFile(dir.File("out.ksr")), "old contents\r\n");
    EXPECT_EQ(screen.waitDepth, 0);
}

TEST_F(DocumentFileTest, SavingReplacesAnExistingFileWhole)
{
    WriteFile(dir.File("out.ksr"), std::string(100000, 'z'));
    DocPtr doc = DocWithText("short\n");
    EXPECT_EQ(Save(doc.get()), "short\r\n");
}

TEST_F(DocumentFileTest, LoadOfSaveOfLoadIsLoad)
{
    std::mt19937 random(7);
    std::string bytes(300000, '\0');
    const char alphabet[] = {'a', 'b', '\r', '\n', '\0', '\t', ' ', '\x1a', '\xe9'};
    for (char& c : bytes) c = alphabet[random() % sizeof alphabet];
    DocPtr first = Load(bytes, "first.ksr");
    std::string saved = Save(first.get(), "second.ksr");
    DocPtr second = NewRecord();
    ASSERT_TRUE(CreateDocument(second.get(), dir.File("second.ksr").c_str()));
    EXPECT_EQ(Text(second.get()), Text(first.get()));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\r'), std::count(saved.begin(), saved.end(), '\n'));
}

TEST_F(DocumentFileTest, AWriteThatFailsHalfwayKeepsTheOldFileAndTheModifiedDocument)
{
    WriteFile(dir.File("out.ksr"), "old contents\r\n");
    DocPtr doc = DocWithText(std::string(1 << 20, 'w') + "\n");
    doc->docFlags = kDocModified;
    GiveUndoLog(doc.get());
    std::snprintf(doc->path, sizeof doc->path, "%s", dir.File("out.ksr").c_str());
    int saved = -1;
    {
        FileSizeLimit limit(200 * 1024);
        ASSERT_TRUE(limit.active());
        saved = SaveText(doc.get());
    }
    EXPECT_EQ(saved, 0);
    EXPECT_TRUE(doc->docFlags & kDocModified);
    EXPECT_EQ(doc->undoCount, 1);
    EXPECT_EQ(ReadFile(dir.File("out.ksr")), "old contents\r\n");
    EXPECT_EQ(screen.waitDepth, 0);
}
