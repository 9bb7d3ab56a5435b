// Block matching. A keyword walk looks at one token per line, the line's first, so it costs
// little more than finding the line ends: a text without the partner is crossed once at
// memchr speed. Only an `if` line is read to its end, to see whether it is a one-line `if`.
#include "doc/blocks.h"

#include <algorithm>
#include <cstring>

#include "doc/buffer.h"
#include "doc/kestrel.h"
#include "doc/text.h"
#include "doc/view.h"

namespace {

enum class Family : uint8_t { kNone, kProc, kFunc, kIf, kWhile, kRound, kSquare };
enum class Role : uint8_t { kOpener, kMiddle, kCloser };

struct BlockWord {
    Family family;
    Role role;
};

constexpr BlockWord kNoWord{Family::kNone, Role::kOpener};

BlockWord WordOf(Keyword keyword)
{
    switch (keyword) {
        case Keyword::kProc:
            return {Family::kProc, Role::kOpener};
        case Keyword::kEndProc:
            return {Family::kProc, Role::kCloser};
        case Keyword::kFunc:
            return {Family::kFunc, Role::kOpener};
        case Keyword::kEndFunc:
            return {Family::kFunc, Role::kCloser};
        case Keyword::kIf:
            return {Family::kIf, Role::kOpener};
        case Keyword::kElse:
            return {Family::kIf, Role::kMiddle};
        case Keyword::kEndIf:
            return {Family::kIf, Role::kCloser};
        case Keyword::kWhile:
            return {Family::kWhile, Role::kOpener};
        case Keyword::kWend:
            return {Family::kWhile, Role::kCloser};
        default:
            return kNoWord;
    }
}

BlockWord BracketOf(const char* text, const Token& token)
{
    if (token.kind != TokenKind::kOther) return kNoWord;
    switch (text[token.begin]) {
        case '(':
            return {Family::kRound, Role::kOpener};
        case ')':
            return {Family::kRound, Role::kCloser};
        case '[':
            return {Family::kSquare, Role::kOpener};
        case ']':
            return {Family::kSquare, Role::kCloser};
        default:
            return kNoWord;
    }
}

// After an `if`: a `then` followed by anything but a comment makes the line a whole statement.
bool RestIsOneLineIf(LineLexer* lexer)
{
    for (Token t; lexer->Next(&t);) {
        if (t.kind != TokenKind::kKeyword || t.keyword != Keyword::kThen) continue;
        return lexer->Next(&t) && t.kind != TokenKind::kComment;
    }
    return false;
}

// The block keyword a line [begin, end) starts with, its span in *span; kNoWord for any other line.
BlockWord LineWord(const char* text, int32_t begin, int32_t end, TextSpan* span)
{
    LineLexer lexer(text + begin, end - begin);
    Token t;
    if (!lexer.Next(&t) || t.kind != TokenKind::kKeyword) return kNoWord;
    const BlockWord word = WordOf(t.keyword);
    if (word.family == Family::kIf && word.role == Role::kOpener && RestIsOneLineIf(&lexer)) return kNoWord;
    *span = {begin + t.begin, begin + t.end};
    return word;
}

int32_t LineEnd(const char* text, int32_t length, int32_t p)
{
    const void* lf = std::memchr(text + p, '\n', static_cast<size_t>(length - p));
    return lf ? static_cast<int32_t>(static_cast<const char*>(lf) - text) : length;
}

// Nesting within one family: openers go one level in, closers one out; the partner is the
// first word at the level the walk started on that ends it (a closer, or an opener walking
// back; an opener's `else`).
class Nesting {
public:
    Nesting(Family family, Role from) : family_(family), from_(from) {}
    bool Ends(BlockWord word)
    {
        if (word.family != family_) return false;
        const bool forward = from_ != Role::kCloser;
        if (word.role == Role::kMiddle) return depth_ == 0 && from_ == Role::kOpener;
        if ((word.role == Role::kOpener) == forward) {
            ++depth_;
            return false;
        }
        if (depth_ == 0) return true;
        --depth_;
        return false;
    }

private:
    Family family_;
    Role from_;
    int32_t depth_ = 0;
};

bool KeywordPartner(const char* text, int32_t length, int32_t lineBegin, int32_t lineEnd, BlockWord word,
                    int32_t from, int32_t to, TextSpan* partner)
{
    Nesting nesting(word.family, word.role);
    if (word.role != Role::kCloser) {
        for (int32_t p = lineEnd + 1; lineEnd < length && p < to; p = lineEnd + 1) {
            lineEnd = LineEnd(text, length, p);
            if (nesting.Ends(LineWord(text, p, lineEnd, partner))) return true;
        }
        return false;
    }
    for (int32_t end = lineBegin - 1; end >= from; end = lineBegin - 1) {
        lineBegin = LineStart(text, end);
        if (lineBegin < from) break;
        if (nesting.Ends(LineWord(text, lineBegin, end, partner))) return true;
    }
    return false;
}

// Brackets on one line: an opener's partner is the first closer of its kind that brings the
// count back to the opener's level. A closer's is the last opener before it at one level
// less, counted from the line's start (levels may go negative): found without a stack.
bool BracketPartner(const char* text, int32_t begin, int32_t end, const Token& at, BlockWord word,
                    TextSpan* partner)
{
    const char* line = text + begin;
    const auto levelStep = [&](const Token& t) {
        const BlockWord w = BracketOf(line, t);
        return w.family != word.family ? 0 : w.role == Role::kOpener ? 1 : -1;
    };
    LineLexer lexer(line, end - begin);
    Token t;
    if (word.role == Role::kOpener) {
        while (lexer.Next(&t) && t.begin < at.begin) {
        }
        int32_t depth = 0;
        while (lexer.Next(&t)) {
            depth += levelStep(t);
            if (depth < 0) {
                *partner = {begin + t.begin, begin + t.end};
                return true;
            }
        }
        return false;
    }
    int32_t level = 0;
    while (lexer.Next(&t) && t.begin < at.begin) level += levelStep(t);
    LineLexer again(line, end - begin);
    int32_t depth = 0;
    bool found = false;
    while (again.Next(&t) && t.begin < at.begin) {
        if (levelStep(t) > 0 && depth == level - 1) {
            *partner = {begin + t.begin, begin + t.end};
            found = true;
        }
        depth += levelStep(t);
    }
    return found;
}

}  // namespace

bool FindBlockPartner(const char* text, int32_t length, int32_t caret, int32_t from, int32_t to,
                      TextSpan* token, TextSpan* partner)
{
    token->begin = token->end = -1;
    if (caret < 0 || caret > length) return false;
    const int32_t begin = LineStart(text, caret);
    const int32_t end = LineEnd(text, length, caret);
    LineLexer lexer(text + begin, end - begin);
    const int32_t at = caret - begin;
    Token under{}, before{};
    bool haveUnder = false, haveBefore = false;
    BlockWord underWord = kNoWord, beforeWord = kNoWord;
    bool first = true;
    for (Token t; lexer.Next(&t) && t.begin <= at; first = false) {
        BlockWord word = BracketOf(text + begin, t);
        if (first && t.kind == TokenKind::kKeyword) {
            TextSpan span{};
            word = LineWord(text, begin, end, &span);
        }
        if (word.family == Family::kNone) continue;
        if (t.begin <= at && at < t.end) {
            under = t, underWord = word, haveUnder = true;
            break;
        }
        if (t.end == at) before = t, beforeWord = word, haveBefore = true;
    }
    if (!haveUnder && !haveBefore) return false;
    const Token& t = haveUnder ? under : before;
    const BlockWord word = haveUnder ? underWord : beforeWord;
    *token = {begin + t.begin, begin + t.end};
    if (word.family == Family::kRound || word.family == Family::kSquare)
        return BracketPartner(text, begin, end, t, word, partner);
    return KeywordPartner(text, length, begin, end, word, from, to, partner);
}

bool MatchBlock(EditState* doc, bool select)
{
    // The walk needs the whole text in its block.
    CloseWorkingWindow(doc);
    TextSpan token{}, partner{};
    if (!FindBlockPartner(doc->text, doc->length, doc->caretOffset, 0, doc->length, &token, &partner))
        return false;
    HideHighlight(AsGrid(doc));
    doc->docFlags &= static_cast<uint8_t>(~kDocOnSearchHit);
    const bool forward = partner.begin > token.begin;
    if (select) {
        // The anchor first, in view, so that its cell is known; the view then follows the caret
        // and the anchor's cell with it.
        doc->caretOffset = forward ? token.begin : token.end;
        LocateCaret(doc);
        CaretUpdate(doc);
        doc->anchorOffset = doc->caretOffset;
        doc->selAnchorRow = doc->caretRow;
        doc->selAnchorColumn = doc->caretColumn;
    }
    doc->caretOffset = forward && select ? partner.end : partner.begin;
    const int32_t topLine = doc->topLine;
    LocateCaret(doc);  // a caret above the view redraws it from the caret's line
    if (select) doc->selAnchorRow += topLine - doc->topLine;
    CaretUpdate(doc);
    if (select)
        ExtendSelection(doc);
    else
        doc->anchorOffset = doc->caretOffset;
    return true;
}

namespace {

// The bytes [*begin, *end) of the visible rows in the text block.
void VisibleBytes(const EditState* doc, int32_t* begin, int32_t* end)
{
    *begin = doc->topOffset;
    int32_t reached = doc->topOffset;
    const int32_t lines = ForwardLines(doc->text, doc->topOffset, doc->length, doc->rows, &reached);
    *end = lines < doc->rows ? doc->length : reached;
}

int32_t WindowBase(const EditState* doc)
{
    return AbsoluteTop(doc) - doc->topOffset;
}

}  // namespace

bool VisibleBlockPartner(const EditState* doc, TextSpan* partner)
{
    // A working window cut inside a long line does not hold all the visible text.
    if (!doc->text || WindowCut(doc)) return false;
    int32_t begin = 0, end = 0;
    VisibleBytes(doc, &begin, &end);
    if (doc->caretOffset < begin || doc->caretOffset > end) return false;
    TextSpan token{};
    if (!FindBlockPartner(doc->text, doc->length, doc->caretOffset, begin, end, &token, partner))
        return false;
    const int32_t base = WindowBase(doc);
    partner->begin += base;
    partner->end += base;
    return true;
}

bool CellsOfSpan(const EditState* doc, TextSpan span, Cell* first, int32_t* count)
{
    if (!doc->text) return false;
    const int32_t begin = ToWindowOffset(doc, span.begin);
    const int32_t end = ToWindowOffset(doc, span.end);
    if (begin < doc->topOffset || end > doc->length || end <= begin) return false;
    int32_t lineStart = doc->topOffset;
    const int32_t row = ForwardLines(doc->text, doc->topOffset, begin, doc->rows, &lineStart);
    if (row >= doc->rows) return false;
    // Columns beyond the widest scroll are never on screen: the walk stops there.
    const int32_t last = doc->leftColumn + doc->columns;
    int32_t column = 0;
    for (int32_t p = lineStart; p < begin && column < last; ++p)
        column = ColumnAdvance(column, static_cast<uint8_t>(doc->text[p]), doc->tabSize);
    const int32_t left = std::max(column - doc->leftColumn, 0);
    const int32_t right = std::min(column + (end - begin) - doc->leftColumn, doc->columns);
    if (right <= left) return false;
    *first = Cell{row, left};
    *count = right - left;
    return true;
}
