// The search engine, free of any platform: the find text's skip table, the forward search with
// its whole-word rule, Find Next's core and Replace All in one pass over the text.
#pragma once

#include <cstdint>

#include "doc/core_state.h"
#include "doc/edit_state.h"

// The lower case of every single byte, as the character set in use has it.
struct CaseFold {
    uint8_t lower[256];
};
// A-Z to a-z, every other byte itself: the fold where no code page is at hand.
CaseFold AsciiCaseFold();

// What Replace All needs of the platform besides the screen seam.
struct SearchPlatform {
    CaseFold fold;
    uint32_t (*milliseconds)();                               // a running clock, wrapping
    void (*showPair)(const char* first, const char* second);  // the status line's message
};

// Replace All shows its running count at most this often.
constexpr uint32_t kProgressInterval = 50;

// Makes source[0..n) (n < kPatternSize) the pattern of s with its skip table and guard shift.
void BuildSkipTable(SearchState* s, const char* source, int32_t n);
// Rebuilds the pattern when it no longer matches findText and matchCase.
void PreparePattern(SearchState* s, const CaseFold& fold);

// Bytes that end a word: C-locale blanks and punctuation (the underscore among it). Bytes
// above 127 and the NUL never do.
bool IsWordBoundary(uint8_t byte);

// The first match of s's pattern at or after start in text[0..length) (a NUL at length),
// folded unless the pattern was built with matchCase; -1 when there is none. Never wraps.
int32_t SearchText(const SearchState& s, const CaseFold& fold, const char* text, int32_t start,
                   int32_t length);

// The last match of s's pattern that starts at or before `last` and lies wholly in
// text[0..length), under SearchText's rules; -1 when there is none. Never wraps.
int32_t SearchTextBack(const SearchState& s, const CaseFold& fold, const char* text, int32_t last,
                       int32_t length);

// Which way Find Next goes, and whether it goes on from the text's other end.
struct FindCourse {
    bool up = false;
    bool wrap = false;
};
// What Find Next did: found nothing, found a match, or found one only after going round.
enum FindResult { kFindNone = 0, kFindFound = 1, kFindWrapped = 2 };

// Command 535 on g_core.search: the next match in the course's direction becomes the caret,
// highlighted and brought into view (only the caret moves while a replace-all runs). With
// wrap, a search that reaches the text's end goes on from its other end up to where it began.
// kFindNone, with nothing moved, when there is no match.
FindResult FindNext(EditState* doc, const CaseFold& fold, FindCourse course = FindCourse{});

// Command 537: replaces the match highlighted as the selection (nothing when there is none)
// and leaves the caret behind the replacement with nothing selected; the next Find Next
// resumes there.
bool ReplaceOne(EditState* doc, const CaseFold& fold);

// Command 538: replaces the match at the caret and every later one, each search resuming
// behind the text just inserted, in time linear in the text. The caret ends behind the last
// replacement with nothing selected; where no undo record can be had the user is asked
// (message 315) before the log goes. Answers the number replaced.
uint32_t ReplaceAll(EditState* doc, const SearchPlatform& platform);
