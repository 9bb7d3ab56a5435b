// The search engine: the search's case and whole-word rules, Find Next over
// overlapping matches, and Replace All against the sequential replace-and-search-on it stands
// for, on memory that runs out and with its one-step undo.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "doc/keys.h"
#include "doc/undo.h"
#include "editor/search.h"
#include "resources/ids.h"
#include "tests/native/edit_fixture.h"
#include "tests/native/naive_search.h"

namespace {

std::vector<std::string> g_shown;  // the status-line pairs Replace All showed
uint32_t g_clock = 0;              // a clock 7 ms on at every look
const SearchPlatform kPlatform{AsciiCaseFold(), [] { return g_clock += 7; },
                               [](const char* a, const char* b) { g_shown.push_back(std::string(a) + b); }};

// n bytes of a small alphabet: many overlapping and adjacent matches, word boundaries, both cases.
std::string RandomWord(std::mt19937& random, size_t n)
{
    const std::string alphabet = "aAb .";
    std::string w;
    for (size_t i = 0; i < n; ++i) w += alphabet[random() % alphabet.size()];
    return w;
}

class SearchTest : public EditFixture {
protected:
    SearchTest() { g_shown.clear(); }
    // The document with the caret on the match at `hit` from the last successful Find Next.
    void OpenAtHit(const std::string& text, int32_t hit, int room = 1024)
    {
        Open(text, 10, 40, room);
        CaretAt(hit);
        doc->docFlags |= kDocOnSearchHit;
    }
};

}  // namespace

// Whole words at the text's ends and next to bytes above 127; fuzz_search checks the rest of
// the rules, the fold of A..Z only among them, against a position-by-position search.
TEST_F(SearchTest, WholeWordsEndAtTheTextAndFindNextFindsOverlappingMatchesAndHighlightsEach)
{
    SetSearch("if", "", 0, 1);
    PreparePattern(&g_core.search, AsciiCaseFold());
    for (auto [text, expected] : {std::pair{"if", 0}, {"\xe9if", -1}, {"if\xe9", -1}})
        EXPECT_EQ(
            SearchText(g_core.search, AsciiCaseFold(), text, 0, static_cast<int32_t>(std::strlen(text))),
            expected)
            << text;

    // Repeated Find Next finds overlapping matches and highlights each.
    Open("aaaa");
    SetSearch("aa", "");
    for (int32_t expected : {0, 1, 2}) {
        ASSERT_TRUE(FindNext(doc.get(), AsciiCaseFold()));
        // The caret's cell stands behind the highlight.
        EXPECT_EQ(Join(doc->caretOffset, doc->caretColumn, doc->selAnchorColumn,
                       !!(doc->gridFlags & kGridHighlight), !!(doc->docFlags & kDocOnSearchHit)),
                  Join(expected, expected + 2, expected, 1, 1));
    }
    EXPECT_FALSE(FindNext(doc.get(), AsciiCaseFold()));
    EXPECT_EQ(doc->caretOffset, 2);
    doc->docFlags = 0;  // off the hit, the search starts again at the top line
    EXPECT_TRUE(FindNext(doc.get(), AsciiCaseFold()));
    EXPECT_EQ(doc->caretOffset, 0);
}

// Both directions against the position-by-position search on random texts over a small
// alphabet (many overlapping matches, word boundaries, both cases), from every start.
TEST(SearchText, BothDirectionsAgreeWithThePositionByPositionSearch)
{
    std::mt19937 random(11);
    auto word = [&](size_t n) { return RandomWord(random, n); };
    SearchState s;
    const CaseFold fold = AsciiCaseFold();
    for (int run = 0; run < 2000; ++run) {
        const std::string text = word(random() % 40), find = word(1 + random() % 4);
        std::snprintf(s.findText, sizeof s.findText, "%s", find.c_str());
        s.matchCase = static_cast<int32_t>(random() % 2);
        s.wholeWord = static_cast<int32_t>(random() % 2);
        PreparePattern(&s, fold);
        const auto length = static_cast<int32_t>(text.size()), n = static_cast<int32_t>(find.size());
        for (int32_t from = 0; from <= length + 1; ++from) {
            ASSERT_EQ(SearchText(s, fold, text.c_str(), from, length),
                      NaiveSearch(text.c_str(), length, from, find.c_str(), n, s.matchCase, s.wholeWord))
                << '"' << text << "\" / " << find << " down from " << from;
            ASSERT_EQ(SearchTextBack(s, fold, text.c_str(), from - 1, length),
                      NaiveSearchBack(text.c_str(), length, from - 1, find.c_str(), n, s.matchCase, s.wholeWord))
                << '"' << text << "\" / " << find << " up from " << from - 1;
        }
    }
}

// Find Next up and around the text: where each press lands and what it says, and that the
// next key replaces the match shown (> Shift+Right extends it from its right end).
TEST_F(SearchTest, FindNextGoesUpAndWrapsAroundOnceUntilItMeetsItsOwnStart)
{
    const FindResult n = kFindNone, f = kFindFound, w = kFindWrapped;
    // clang-format off
    const struct { const char* text; const char* find; bool up, wrap; int32_t caret; bool onHit; std::vector<std::pair<FindResult, int32_t>> presses; } cases[] = {
        {"ab ab ab", "ab", true, false, 0, false, {{f, 6}, {f, 3}, {f, 0}, {n, 0}}},      // off a hit: from the view's end
        {"ab ab ab", "ab", false, true, 0, false, {{f, 0}, {f, 3}, {f, 6}, {w, 0}}},
        {"ab ab ab", "ab", true, true, 0, false, {{f, 6}, {f, 3}, {f, 0}, {w, 6}}},
        {"xx ab xx", "ab", false, true, 3, true, {{w, 3}, {w, 3}}},                      // the only match, found again
        {"xx ab xx", "ab", true, true, 3, true, {{w, 3}}},
        {"aaaa", "aa", true, false, 2, true, {{f, 1}, {f, 0}, {n, 0}}},                   // overlapping, upward
        {"xx yy", "ab", true, true, 0, false, {{n, 0}}},
        {"line\n\n\n\n\n\n\n\n\n\n\n\n\nab", "ab", true, false, 0, false, {{n, 0}}},  // below the view
    };
    // clang-format on
    for (const auto& c : cases) {
        Open(c.text);
        SetSearch(c.find, "");
        CaretAt(c.caret);
        if (c.onHit) doc->docFlags |= kDocOnSearchHit;
        for (const auto& [result, caret] : c.presses) {
            EXPECT_EQ(Join(FindNext(doc.get(), AsciiCaseFold(), FindCourse{c.up, c.wrap}), doc->caretOffset),
                      Join(result, caret))
                << c.text << (c.up ? " up" : " down") << (c.wrap ? ", wrap" : "");
        }
    }
    // Up then Shift+Right: the highlight grows from the match's right end; a key replaces it.
    Open("one two one two!");
    SetSearch("two", "");
    ASSERT_EQ(FindNext(doc.get(), AsciiCaseFold(), FindCourse{true, false}), kFindFound);
    StartKeyMove(doc.get(), true);
    MoveCaretByKey(doc.get(), CaretKey::kRight, true, false);
    TypeKey(doc.get(), 'X');
    EXPECT_EQ(Text(doc.get()), "one two one X");
    // Up after a Replace starts in front of the replacement, even when it holds the find text.
    Open("ab ab ab");
    SetSearch("ab", "abab");
    for (int press = 0; press < 3; ++press) {
        if (press > 0) ReplaceOne(doc.get(), AsciiCaseFold());
        ASSERT_EQ(FindNext(doc.get(), AsciiCaseFold(), FindCourse{true, false}), kFindFound) << press;
    }
    ReplaceOne(doc.get(), AsciiCaseFold());
    EXPECT_EQ(Join(Text(doc.get()), FindNext(doc.get(), AsciiCaseFold(), FindCourse{true, false})),
              Join("abab abab abab", kFindNone));
}

TEST_F(SearchTest, ReplaceAllThatCannotGrowReplacesNothingOrAsksBeforeRunningWithoutUndo)
{
    enum Failure { kNone, kFreshBlock, kAllGrowth };
    // clang-format off
    // The caret starts in front of the first match; where nothing is replaced it stays there.
    const struct { Failure failure; const char* replace; int answer; const char* expected; int message; int records; int32_t caret; } cases[] = {
        {kNone, "abc", kAnswerNo, "abc abc abc abc", 0, 2, 16},                            // records: in the log afterwards
        {kFreshBlock, "abc", kAnswerYes, "abc abc abc abc", IDS_LOW_MEMORY_UNDO, 0, 16},  // the block itself grew
        {kFreshBlock, "abc", kAnswerNo, "a a a a", IDS_LOW_MEMORY_UNDO, 1, 0},            // the log is kept, nothing done
        {kAllGrowth, "abc", kAnswerYes, "a a a a", IDS_OUT_OF_MEMORY, 1, 0},              // room for one pair only: none is made
        {kAllGrowth, "", kAnswerYes, "   ", IDS_LOW_MEMORY_UNDO, 0, 4},                   // shrinking needs no memory
        {kAllGrowth, "", kAnswerNo, "a a a a", IDS_LOW_MEMORY_UNDO, 1, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        screen.messages.clear();
        screen.messageAnswer = c.answer;
        OpenAtHit("a a a a", 0, 5);
        SetSearch("a", c.replace);
        Click(0);  // an earlier edit's record, which only the user may let go
        InsertChar(doc.get(), 'x');
        doc->caretOffset = 0;
        if (c.failure == kFreshBlock) FailAllocationNumber(AllocationCalls() + 1);
        if (c.failure == kAllGrowth) FailAllocationsFrom(AllocationCalls() + 1);
        ReplaceAll(doc.get(), kPlatform);
        FailAllocationsFrom(0);
        const int message = screen.messages.empty() ? 0 : screen.messages.back().stringId;
        EXPECT_EQ(Join(Text(doc.get()), message, doc->caretOffset),
                  Join(std::string("x") + c.expected, c.message, c.caret));
        ASSERT_EQ(doc->undoNext, c.records) << c.expected;
        EXPECT_LT(doc->length, doc->capacity - 1);
    }
}

TEST_F(SearchTest, ReplaceAllCountsAtMostEveryFiftyMillisecondsAndUndoesInOneStep)
{
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "ab ";
    OpenAtHit(text, 0);
    SetSearch("ab", "c");
    const uint32_t start = g_clock;
    ASSERT_EQ(ReplaceAll(doc.get(), kPlatform), 1000u);
    ASSERT_GE(g_shown.size(), 2u);
    EXPECT_LE(g_shown.size(), (g_clock - start) / kProgressInterval + 1);
    EXPECT_EQ(Join(g_shown.back(), screen.LastRange(kBarVertical),
                   doc->docFlags & (kDocModified | kDocReplaceAll), screen.waitDepth, doc->undoNext),
              Join("1000", doc->length, kDocModified, 0, 1));
    EXPECT_EQ(doc->undoNext ? doc->undoLog[0].kind : -1, kUndoWholeText);
    const std::string replaced = Text(doc.get());
    Click(0);
    Type("!");
    // clang-format off
    const struct { int (*step)(EditState*); std::string text; int32_t caret; } steps[] = {
        {Undo, replaced, -1}, {Undo, text, 0}, {Redo, replaced, 1999 /* behind the last replacement */}, {Redo, "!" + replaced, -1}};
    // clang-format on
    for (const auto& st : steps) {
        EXPECT_EQ(st.step(doc.get()), 1);
        EXPECT_EQ(Text(doc.get()), st.text);
        EXPECT_EQ(st.caret < 0 ? st.caret : doc->caretOffset, st.caret);
    }
}

// Where Replace All starts (the caret behind the last replacement from the first match is the
// random comparison's), and after the find commands a key deletes exactly the match
// highlighted, or nothing when none is, and types where the caret stands: F Find Next, R Replace
// and the Find Next after it, A Replace All, > Shift+Right, D the Delete key; other characters
// are typed.
TEST_F(SearchTest, ReplaceAllStartsAtTheHitShownAndAfterTheFindCommandsKeysActOnlyOnTheHighlight)
{
    // clang-format off
    const struct { const char* text; const char* find; const char* replace; const char* steps; const char* expected; } cases[] = {
        {"xxxx li yyyy", "li", "", "FQ", "xxxx Q yyyy"},                           // wherever the caret stood before
        {"xx a a", "a", "b", "A!", "xx b b!"},                                    // off a hit: from Find Next's match
        {"xx a a", "a", "b", "FFA!", "xx a b!"},                                  // on a hit: from there
        {"ab\ncd ab\nef", "ab", "", "FRR!", "\ncd !\nef"},                        // the last Replace of a batch
        {"ab\ncd ab\nef", "ab", "XYZ", "FRR!", "XYZ\ncd XYZ!\nef"},
        {"xx foo yy", "foo", "", "F>D", "xx yy"},                                  // the match and the byte on
        {"xx foo yy", "foo", "", "F>>!", "xx !y"},
        {"xx foo yy", "o", "", "FRA!", "xx f! yy"},                                // Replace All from the resume point
    };
    // clang-format on
    for (const auto& c : cases) {
        Open(c.text);
        SetSearch(c.find, c.replace);
        for (const char* step = c.steps; *step; ++step) {
            if (*step == 'F' || *step == 'R') {
                if (*step == 'R') ReplaceOne(doc.get(), AsciiCaseFold());
                FindNext(doc.get(), AsciiCaseFold());
            } else if (*step == 'A') {
                ReplaceAll(doc.get(), kPlatform);
            } else if (*step == '>') {
                StartKeyMove(doc.get(), true);
                MoveCaretByKey(doc.get(), CaretKey::kRight, true, false);
            } else {
                TypeKey(doc.get(), *step == 'D' ? kKeyDelete : static_cast<uint8_t>(*step));
            }
        }
        EXPECT_EQ(Text(doc.get()), c.expected) << c.text << " / " << c.steps;
    }
}

// Replace All against the sequential algorithm on a string: small alphabets give many
// overlapping and adjacent matches; every second run takes the in-place paths.
TEST_F(SearchTest, ReplaceAllAgreesWithTheSequentialReplaceAndSearch)
{
    std::mt19937 random(7);
    auto word = [&](size_t n) { return RandomWord(random, n); };
    for (int run = 0; run < 3000; ++run) {
        const std::string text = word(random() % 40), find = word(1 + random() % 3),
                          replace = word(random() % 5);
        const int matchCase = random() % 2, wholeWord = random() % 2;
        const int32_t first = NaiveSearch(text, 0, find, matchCase, wholeWord);
        if (first < 0) continue;
        std::string model = text;
        int32_t caret = 0;
        const auto count = static_cast<uint32_t>(NaiveReplaceAll(&model, first, find, replace, matchCase, wholeWord, &caret));
        OpenAtHit(text, first, static_cast<int>(random() % 8));
        SetSearch(find, replace, matchCase, wholeWord);
        screen.messageAnswer = kAnswerYes;  // in place, without undo
        if (run % 2) FailAllocationNumber(AllocationCalls() + 1);
        ASSERT_EQ(ReplaceAll(doc.get(), kPlatform), count) << text << " / " << find << " / " << replace;
        ASSERT_EQ(Text(doc.get()), model) << text << " / " << find << " / " << replace;
        ASSERT_EQ(doc->caretOffset, caret);
        FailAllocationsFrom(0);
    }
}

// From 64 KiB on, the counting pass lists the matches for the writing pass. Whether the list
// holds them all, fills up and leaves the rest to a search, cannot be had, or is given up for
// the new text's block, the result is the model's, and one Undo brings the text back.
TEST_F(SearchTest, ReplaceAllOnLargeTextsAgreesWithTheModelWhateverItsListOfMatchesHolds)
{
    std::mt19937 random(11);
    enum Failure { kNone, kList, kNewBlockOnce };
    // clang-format off
    const struct { int gap; int wholeWord; Failure failure; } cases[] = {
        {200, 0, kNone},  // listed whole, grown on the way
        {200, 1, kNone},
        {2, 0, kNone},    // the list fills up
        {2, 1, kNone},
        {200, 0, kList},
        {200, 1, kNewBlockOnce},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string text;
        while (text.size() < 100000) text += RandomWord(random, 4) + std::string(random() % c.gap, 'x') + " ";
        const int32_t first = NaiveSearch(text, 0, "ab", 0, c.wholeWord);
        std::string model = text;
        int32_t caret = 0;
        const auto count =
            static_cast<uint32_t>(NaiveReplaceAll(&model, first, "ab", "a:b", 0, c.wholeWord, &caret));
        OpenAtHit(text, first);
        SetSearch("ab", "a:b", 0, c.wholeWord);
        if (c.failure == kList) FailAllocationNumber(AllocationCalls() + 1);
        if (c.failure == kNewBlockOnce) g_tally.failOnceAbove = text.size();
        const std::string why = Join(c.gap, c.wholeWord, c.failure, count);
        ASSERT_EQ(ReplaceAll(doc.get(), kPlatform), count) << why;
        FailAllocationsFrom(0);
        EXPECT_EQ(
            Join(Text(doc.get()) == model, doc->caretOffset, g_tally.failOnceAbove, screen.messages.size()),
            Join(true, caret, 0, 0))
            << why;
        EXPECT_EQ(Undo(doc.get()), 1) << why;
        EXPECT_TRUE(Text(doc.get()) == text) << why;
    }
}
