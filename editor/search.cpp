// The search engine. The search is a Horspool scan on the pattern's last byte with a left-to-
// right check of the rest; Replace All runs it from each resume point over the unchanged old
// text and writes the result once, so the text is never moved per replacement.
#include "editor/search.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "doc/buffer.h"
#include "doc/edit.h"
#include "doc/fault_marks.h"
#include "doc/grid.h"
#include "doc/memory.h"
#include "doc/text.h"
#include "doc/undo.h"
#include "doc/view.h"
#include "resources/ids.h"

namespace {

// The search's view of the byte in front of its start: a byte, or the text's beginning.
constexpr int kTextBegins = -1;

const CaseFold& IdentityFold()
{
    static const CaseFold identity = [] {
        CaseFold f{};
        for (int b = 0; b < 256; ++b) f.lower[b] = static_cast<uint8_t>(b);
        return f;
    }();
    return identity;
}

const uint8_t* FoldFor(const SearchState& s, const CaseFold& fold)
{
    return s.patternMatchCase ? IdentityFold().lower : fold.lower;
}

bool BoundaryBefore(int byte)
{
    return byte == kTextBegins || IsWordBoundary(static_cast<uint8_t>(byte));
}

// The whole-word rule for a match ending at end, given the byte in front of it.
bool WordAround(int before, const uint8_t* t, int64_t end, int32_t length)
{
    return BoundaryBefore(before) && (end == length || IsWordBoundary(t[end]));
}

// SearchText with the byte in front of start given: Replace All searches the old text while
// the byte in front of a resume point is the last one it wrote.
int32_t SearchFrom(const SearchState& s, const uint8_t* fold, const char* text, int32_t start, int32_t length,
                   int before)
{
    const int32_t n = s.patternLength;
    if (n <= 0) return -1;
    const auto* t = reinterpret_cast<const uint8_t*>(text);
    const auto* pattern = reinterpret_cast<const uint8_t*>(s.pattern);
    const uint8_t* skip = s.skipTable;
    int64_t p = static_cast<int64_t>(start) + n - 1;
    if (p > length) return -1;
    for (;;) {
        if (t[p] == 0) return -1;
        for (uint8_t k = skip[fold[t[p]]]; k != 0; k = skip[fold[t[p]]]) {
            p += k;
            if (p >= length) return -1;
        }
        const uint8_t* window = t + p - n + 1;
        int32_t i = 0;
        while (i < n - 1 && fold[window[i]] == pattern[i]) ++i;
        if (i < n - 1) {
            p += s.guardShift;
            if (p > length) return -1;
            continue;
        }
        const auto o = static_cast<int32_t>(p - n + 1);
        if (!s.wholeWord || WordAround(o == start ? before : t[o - 1], t, p + 1, length)) return o;
        p += 1;
        if (p > length) return -1;
    }
}

// SearchTextBack: the mirror of SearchFrom. The window slides left by the skip table of the
// pattern's first byte; a window whose first byte is the pattern's is compared left to right.
int32_t SearchBack(const SearchState& s, const uint8_t* fold, const char* text, int32_t last, int32_t length)
{
    const int32_t n = s.patternLength;
    if (n <= 0) return -1;
    const auto* t = reinterpret_cast<const uint8_t*>(text);
    const auto* pattern = reinterpret_cast<const uint8_t*>(s.pattern);
    const uint8_t* skip = s.backSkipTable;
    int64_t q = std::min<int64_t>(last, static_cast<int64_t>(length) - n);
    if (q < 0) return -1;
    for (;;) {
        for (uint8_t k = skip[fold[t[q]]]; k != 0; k = skip[fold[t[q]]]) {
            q -= k;
            if (q < 0) return -1;
        }
        const uint8_t* window = t + q;
        int32_t i = 1;
        while (i < n && fold[window[i]] == pattern[i]) ++i;
        if (i < n) {
            q -= s.backGuardShift;
            if (q < 0) return -1;
            continue;
        }
        if (!s.wholeWord || WordAround(q == 0 ? kTextBegins : t[q - 1], t, q + n, length))
            return static_cast<int32_t>(q);
        q -= 1;
        if (q < 0) return -1;
    }
}

// Where the first pass of a search starts: down, the first byte a match may start at; up,
// the last. On a hit the search goes on past the match the caret stands on, behind a
// replacement past the text just inserted; off a hit, down starts at the view's top line and
// up at the end of its bottom line.
int32_t SearchStart(const EditState* doc, bool up, int32_t n)
{
    const int32_t caret = doc->caretOffset;
    if (!(doc->docFlags & kDocOnSearchHit)) {
        if (!up) return doc->topOffset;
        const int32_t rows = std::max(doc->rows, 1);
        int32_t below = doc->topOffset;
        if (ForwardLines(doc->text, doc->topOffset, doc->length, rows, &below) < rows) return doc->length;
        return below - 1;  // the LF that ends the bottom line
    }
    if (!(doc->docFlags & kDocResumeAtCaret)) return up ? caret - 1 : caret + 1;
    return up ? caret - TextLength(g_core.search.replaceText) - n : caret;
}

// The match found becomes the view's top line, the caret on it and the match highlighted;
// the caret's cell moves on over the highlight while its offset stays on the match.
void ShowMatch(EditState* doc)
{
    const int32_t lineStart = LineStart(doc->text, doc->caretOffset);
    SetVerticalPosition(doc, lineStart);
    SetTop(doc, lineStart);
    LocateCaret(doc);
    const Cell end =
        HighlightRun(AsGrid(doc), Cell{doc->caretRow, doc->caretColumn}, g_core.search.patternLength);
    SetCaretTextColumn(doc, doc->leftColumn + end.column);
    // The highlighted match is the selection: typing, Cut or Delete then act on the match the
    // user sees, not on the text between the old caret and it.
    doc->anchorOffset = doc->caretOffset + g_core.search.patternLength;
    CaretUpdate(doc);
}

// ---- Replace All ----------------------------------------------------------------------------

// The running count on the status line, at most every kProgressInterval.
class Progress {
public:
    explicit Progress(const SearchPlatform& platform)
        : platform_(platform), last_(platform.milliseconds ? platform.milliseconds() : 0)
    {
    }
    void Step(uint32_t count)
    {
        // The clock is read every 16th replacement: a million of them stay cheap.
        if (!platform_.milliseconds || count % 16 != 0) return;
        const uint32_t now = platform_.milliseconds();
        if (now - last_ < kProgressInterval) return;
        last_ = now;
        Show(count);
    }
    void Show(uint32_t count) const
    {
        if (!platform_.showPair) return;
        char number[16];
        std::snprintf(number, sizeof number, "%lu", static_cast<unsigned long>(count));
        platform_.showPair(number, Screen().LoadStringText(IDS_ITEMS_REPLACED));
    }

private:
    const SearchPlatform& platform_;
    uint32_t last_;
};

// What a pass over the old text looks for (the prepared pattern, folded or not) and writes instead.
struct Scan {
    const SearchState& s;
    const uint8_t* fold;
    const char* replacement;
    int32_t r;
};

// Where the counting pass found its matches, so that the writing pass copies between them
// rather than searching the text a second time. It is kept for texts of kListedText bytes and
// more, in at most an eighth of the text's size; past that, or when memory is short, it stops
// and the writing pass searches on from the last match kept.
class MatchList {
public:
    // What After gives when the writing pass has to search for the next match itself.
    static constexpr int32_t kSearchOn = -2;
    static constexpr int32_t kListedText = 64 * 1024;

    explicit MatchList(int32_t length) : most_(length < kListedText ? 0 : length / 32) {}
    MatchList(const MatchList&) = delete;
    MatchList& operator=(const MatchList&) = delete;
    ~MatchList() { FreeBlock(at_); }

    void StartCounting() { whole_ = true; }
    // Gives the list's memory back, the writing pass then searching for every match; false
    // when it held none.
    bool Release()
    {
        const bool held = at_ != nullptr;
        FreeBlock(at_);
        at_ = nullptr;
        size_ = room_ = 0;
        whole_ = false;
        return held;
    }
    void Add(int32_t offset)
    {
        if (!whole_) return;
        if (size_ == room_ && !Grow()) {
            whole_ = false;
            return;
        }
        at_[size_++] = offset;
    }
    // The match behind the one at index: -1 when the list holds every match and none is left.
    int32_t After(uint32_t index) const
    {
        if (index + 1 < size_) return at_[index + 1];
        return whole_ ? -1 : kSearchOn;
    }

private:
    bool Grow()
    {
        if (room_ >= most_) return false;
        const uint32_t room = std::min<uint32_t>(room_ ? room_ * 2 : 1024, most_);
        auto* grown = static_cast<int32_t*>(ResizeBlock(at_, size_t{room} * sizeof *at_));
        if (!grown) return false;
        at_ = grown;
        room_ = room;
        return true;
    }

    const uint32_t most_;
    int32_t* at_ = nullptr;
    uint32_t size_ = 0, room_ = 0;
    bool whole_ = false;  // every match from the first on is listed
};

// How many matches the pass from first would replace when every replacement ends in its
// last byte (r > 0); each goes on the list as well.
uint32_t CountMatches(const Scan& scan, const char* source, int32_t length, int32_t first, MatchList& list)
{
    const int before = static_cast<uint8_t>(scan.replacement[scan.r - 1]);
    uint32_t count = 0;
    list.StartCounting();
    for (int32_t o = first; o >= 0;
         o = SearchFrom(scan.s, scan.fold, source, o + scan.s.patternLength, length, before)) {
        list.Add(o);
        ++count;
    }
    return count;
}

struct Rewritten {
    uint32_t count;
    int32_t length;
    int32_t caret;  // behind the last replacement
    int32_t top;    // where the old offset `top` went
};

// Writes source[0..length] (its NUL included) to out with every match from first on replaced,
// taking them from the list as far as it goes. out may be source itself or lie below it by no
// more than the text grows: the writing never overtakes the reading.
Rewritten Rewrite(const Scan& scan, const char* source, int32_t length, int32_t first, const MatchList& list,
                  char* out, int32_t top, Progress& progress)
{
    const int32_t n = scan.s.patternLength;
    Rewritten result{0, 0, 0, top};
    int32_t read = 0, write = 0;
    for (int32_t o = first; o >= 0;) {
        if (top >= read && top < o + n) result.top = write + std::min(top - read, o - read);
        MoveBytes(out + write, source + read, o - read);
        write += o - read;
        std::memcpy(out + write, scan.replacement, static_cast<size_t>(scan.r));
        write += scan.r;
        read = o + n;
        result.caret = write;
        progress.Step(++result.count);
        o = list.After(result.count - 1);
        if (o != MatchList::kSearchOn) continue;
        const int before = write > 0 ? static_cast<uint8_t>(out[write - 1]) : kTextBegins;
        o = SearchFrom(scan.s, scan.fold, source, read, length, before);
    }
    if (top >= read) result.top = write + (top - read);
    MoveBytes(out + write, source + read, length - read + 1);
    result.length = write + (length - read);
    return result;
}

// The new text takes the document's block; the old one stays whole as the undo record.
void AdoptText(EditState* doc, char* block, int32_t capacity, const Rewritten& done)
{
    char* old = doc->text;
    const int32_t oldLength = doc->length, oldCapacity = doc->capacity, oldCaret = doc->caretOffset;
    doc->text = block;
    doc->capacity = capacity;
    doc->length = done.length;
    doc->caretOffset = done.caret;
    if (!RecordWholeText(doc, old, oldLength, oldCapacity, oldCaret)) ClearUndo(doc);
}

// The replacements are done in the document's own block, moved up by `shift` first so that
// the text can grow from the front; no undo record is possible, and the log has been cleared.
Rewritten RewriteInPlace(EditState* doc, const Scan& scan, int32_t first, int32_t shift,
                         const MatchList& list, Progress& progress)
{
    if (shift > 0) MoveBytes(doc->text + shift, doc->text, doc->length + 1);
    Rewritten done =
        Rewrite(scan, doc->text + shift, doc->length, first, list, doc->text, doc->topOffset, progress);
    doc->length = done.length;
    doc->caretOffset = done.caret;
    return done;
}

// Replaces from the match at first. A fresh block holds the result when memory allows (the old
// block becomes the undo record); otherwise the old block is reused, grown if it can be, and
// when it cannot nothing is replaced and "Out of memory!" is shown.
Rewritten ReplaceFrom(EditState* doc, const SearchPlatform& platform, int32_t first, Progress& progress)
{
    const SearchState& s = g_core.search;
    const Scan scan{s, FoldFor(s, platform.fold), s.replaceText, TextLength(s.replaceText)};
    const int32_t growth = scan.r - s.patternLength;
    MatchList list(doc->length);
    const uint32_t matches = growth > 0 ? CountMatches(scan, doc->text, doc->length, first, list) : 0;
    const int64_t shift = static_cast<int64_t>(matches) * std::max(growth, 0);
    // The block grows, as an edit grows it, only when the text would reach capacity - 1.
    int64_t capacity = doc->capacity;
    if (doc->length + shift >= capacity - 1) capacity = doc->length + shift + kGrowMinimum;
    const bool representable = capacity <= INT32_MAX;

    auto allocate = [&] {
        return representable ? static_cast<char*>(AllocBlock(static_cast<size_t>(capacity))) : nullptr;
    };
    char* fresh = allocate();
    if (!fresh && list.Release()) fresh = allocate();  // the new text matters more than the list
    if (fresh) {
        Rewritten done = Rewrite(scan, doc->text, doc->length, first, list, fresh, doc->topOffset, progress);
        AdoptText(doc, fresh, static_cast<int32_t>(capacity), done);
        return done;
    }
    const Rewritten none{0, doc->length, doc->caretOffset, doc->topOffset};
    if (capacity != doc->capacity) {
        void* grown = representable ? ResizeBlock(doc->text, static_cast<size_t>(capacity)) : nullptr;
        if (!grown) {
            // No room for all of them: none is made, rather than a text replaced part of the way.
            Screen().ShowMessage(kMessageExclamation, IDS_OUT_OF_MEMORY, nullptr);
            return none;
        }
        doc->text = static_cast<char*>(grown);
        doc->capacity = static_cast<int32_t>(capacity);
    }
    // In place there is no undo record: the user decides whether the log may go.
    if (!ProceedWithoutUndo(doc)) return none;
    return RewriteInPlace(doc, scan, first, static_cast<int32_t>(shift), list, progress);
}

// The view once, after the whole batch.
void RefreshAfterReplaceAll(EditState* doc, const Rewritten& done, int32_t first, int32_t oldCapacity)
{
    if (doc->capacity != oldCapacity)
        doc->scrollDivisor = ScaleScrollBar(doc->hwnd, kBarVertical, doc->caretOffset, doc->length);
    SetVerticalRange(doc, doc->length);
    doc->docFlags |= kDocModified;
    ClearFaultMarks(doc);
    if (first < doc->topOffset) {  // text above the top changed: the top follows its line
        doc->topOffset = LineStart(doc->text, done.top);
        doc->topLine = CountLineEnds(doc->text, 0, doc->topOffset);
    }
    LocateCaret(doc);
    SetTop(doc, doc->topOffset);
}

// After a replacement the caret stands behind it with nothing selected: the next key only
// inserts there, and the next Find Next starts there.
void LeaveNothingSelected(EditState* doc)
{
    HideHighlight(AsGrid(doc));
    doc->anchorOffset = doc->caretOffset;
    doc->docFlags |= kDocOnSearchHit | kDocResumeAtCaret;
}

}  // namespace

CaseFold AsciiCaseFold()
{
    CaseFold f = IdentityFold();
    for (int b = 'A'; b <= 'Z'; ++b) f.lower[b] = static_cast<uint8_t>(b - 'A' + 'a');
    return f;
}

void BuildSkipTable(SearchState* s, const char* source, int32_t n)
{
    n = std::clamp(n, 0, kPatternSize - 1);
    std::memcpy(s->pattern, source, static_cast<size_t>(n));
    s->pattern[n] = '\0';
    s->patternLength = n;
    const auto* p = reinterpret_cast<const uint8_t*>(s->pattern);
    std::memset(s->skipTable, n, sizeof s->skipTable);
    s->guardShift = n;
    if (n == 0) return;
    for (int32_t i = 0; i < n - 1; ++i) s->skipTable[p[i]] = static_cast<uint8_t>(n - 1 - i);
    s->skipTable[p[n - 1]] = 0;
    for (int32_t j = n - 2; j >= 0; --j) {
        if (p[j] == p[n - 1]) {
            s->guardShift = n - 1 - j;
            break;
        }
    }
    // Mirrored: each byte's distance from the first byte to its nearest later occurrence.
    std::memset(s->backSkipTable, n, sizeof s->backSkipTable);
    s->backGuardShift = n;
    for (int32_t i = n - 1; i >= 1; --i) s->backSkipTable[p[i]] = static_cast<uint8_t>(i);
    s->backSkipTable[p[0]] = 0;
    for (int32_t j = 1; j < n; ++j) {
        if (p[j] == p[0]) {
            s->backGuardShift = j;
            break;
        }
    }
}

void PreparePattern(SearchState* s, const CaseFold& fold)
{
    if (s->patternMatchCase == s->matchCase && std::strcmp(s->pattern, s->findText) == 0) return;
    char source[kSearchTextSize];
    std::snprintf(source, sizeof source, "%s", s->findText);
    s->patternMatchCase = s->matchCase;
    if (!s->matchCase)
        for (char* c = source; *c; ++c) *c = static_cast<char>(fold.lower[static_cast<uint8_t>(*c)]);
    BuildSkipTable(s, source, TextLength(source));
}

bool IsWordBoundary(uint8_t byte)
{
    if (byte == ' ' || (byte >= 9 && byte <= 13)) return true;
    const bool printable = byte > ' ' && byte < 127;
    const bool letterOrDigit =
        (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    return printable && !letterOrDigit;
}

int32_t SearchText(const SearchState& s, const CaseFold& fold, const char* text, int32_t start,
                   int32_t length)
{
    const int before = start > 0 ? static_cast<uint8_t>(text[start - 1]) : kTextBegins;
    return SearchFrom(s, FoldFor(s, fold), text, start, length, before);
}

int32_t SearchTextBack(const SearchState& s, const CaseFold& fold, const char* text, int32_t last,
                       int32_t length)
{
    return SearchBack(s, FoldFor(s, fold), text, last, length);
}

FindResult FindNext(EditState* doc, const CaseFold& fold, FindCourse course)
{
    CloseWorkingWindow(doc);
    SearchState& s = g_core.search;
    const bool batch = (doc->docFlags & kDocReplaceAll) != 0;
    void* wait = batch ? Screen().BeginWait() : nullptr;
    PreparePattern(&s, fold);
    const int32_t from = SearchStart(doc, course.up, s.patternLength);
    doc->docFlags &= static_cast<uint8_t>(~kDocResumeAtCaret);
    auto search = [&](int32_t start) {
        return course.up ? SearchTextBack(s, fold, doc->text, start, doc->length)
                         : SearchText(s, fold, doc->text, start, doc->length);
    };
    int32_t o = search(from);
    FindResult result = o >= 0 ? kFindFound : kFindNone;
    if (o < 0 && course.wrap) {
        // From the other end up to where the first pass began: a search that meets its own
        // start has found everything there is.
        o = search(course.up ? doc->length : 0);
        if (course.up ? o <= from : o >= from) o = -1;
        if (o >= 0) result = kFindWrapped;
    }
    doc->docFlags |= kDocOnSearchHit;
    if (o >= 0) {
        doc->caretOffset = o;
        if (!batch) ShowMatch(doc);
    }
    if (batch) Screen().EndWait(wait);
    return result;
}

bool ReplaceOne(EditState* doc, const CaseFold& fold)
{
    CloseWorkingWindow(doc);
    SearchState& s = g_core.search;
    PreparePattern(&s, fold);
    // Only a match highlighted as the selection is replaced: the one Find Next showed.
    const int32_t start = std::min(doc->anchorOffset, doc->caretOffset);
    if (!(doc->gridFlags & kGridHighlight) ||
        std::max(doc->anchorOffset, doc->caretOffset) - start != s.patternLength ||
        SearchText(s, fold, doc->text, start, doc->length) != start)
        return false;
    doc->caretOffset = start;
    if (!ReplaceAtCaret(doc)) return false;  // refused: the match stays highlighted and selected
    LeaveNothingSelected(doc);
    LocateCaret(doc);
    CaretUpdate(doc);
    return true;
}

uint32_t ReplaceAll(EditState* doc, const SearchPlatform& platform)
{
    CloseWorkingWindow(doc);
    SearchState& s = g_core.search;
    doc->docFlags |= kDocReplaceAll;
    void* wait = Screen().BeginWait();
    Progress progress(platform);
    PreparePattern(&s, platform.fold);
    // Only a match stands at the caret gets replaced; without one the batch starts from the
    // match Find Next finds from there, or does nothing.
    const bool onMatch =
        (doc->docFlags & kDocOnSearchHit) &&
        SearchText(s, platform.fold, doc->text, doc->caretOffset, doc->length) == doc->caretOffset;
    uint32_t count = 0;
    const int32_t caret = doc->caretOffset;
    if (onMatch || FindNext(doc, platform.fold)) {
        const int32_t first = doc->caretOffset, oldCapacity = doc->capacity;
        const Rewritten done = ReplaceFrom(doc, platform, first, progress);
        count = done.count;
        if (count > 0) {
            LeaveNothingSelected(doc);
            RefreshAfterReplaceAll(doc, done, first, oldCapacity);
        } else {
            doc->caretOffset = caret;  // nothing replaced: the selection stays as it was
        }
    }
    doc->docFlags &= static_cast<uint8_t>(~kDocReplaceAll);
    Screen().EndWait(wait);
    progress.Show(count);
    return count;
}
