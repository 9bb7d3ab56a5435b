// The colour runs of the view's rows and the colours of the shades.
#include "doc/syntax_shades.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "doc/kestrel.h"
#include "doc/text.h"

namespace {

static_assert(kShadeMargin > 16, "the margin is longer than any keyword");

bool EndsWith(const char* path, size_t length, const char* suffix)
{
    const size_t n = std::strlen(suffix);
    if (length < n) return false;
    for (size_t i = 0; i < n; ++i) {
        const char c = path[length - n + i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != suffix[i]) return false;
    }
    return true;
}

Shade ShadeOf(TokenKind kind)
{
    switch (kind) {
        case TokenKind::kKeyword:
            return Shade::kKeyword;
        case TokenKind::kString:
            return Shade::kString;
        case TokenKind::kComment:
            return Shade::kComment;
        case TokenKind::kNumber:
            return Shade::kNumber;
        case TokenKind::kName:
        case TokenKind::kOther:
            break;
    }
    return Shade::kPlain;
}

// Collects the runs of a row: cells are given left to right; blank cells between them join
// the run before them, or the first run at the row's start.
class RunList {
public:
    RunList(ShadeRun* runs, int32_t columns) : runs_(runs), columns_(columns) {}
    void Add(int32_t begin, int32_t end, Shade shade)
    {
        if (begin >= end) return;
        if (count_ > 0 && runs_[count_ - 1].shade == shade) {
            runs_[count_ - 1].end = end;
            return;
        }
        if (count_ > 0)
            runs_[count_ - 1].end = begin;
        else
            begin = 0;
        runs_[count_++] = ShadeRun{begin, end, shade};
    }
    int32_t Finish()
    {
        if (columns_ <= 0) return 0;
        if (count_ == 0) runs_[count_++] = ShadeRun{0, 0, Shade::kPlain};
        runs_[count_ - 1].end = columns_;
        return count_;
    }

private:
    ShadeRun* runs_;
    int32_t columns_;
    int32_t count_ = 0;
};

}  // namespace

bool IsScriptName(const char* path)
{
    const size_t length = std::strlen(path);
    return EndsWith(path, length, ".KSR") || EndsWith(path, length, ".INC");
}

int32_t ShadeRow(const char* line, int32_t available, int32_t leftColumn, int32_t columns, int32_t tabSize,
                 ShadeRun* runs)
{
    RunList list(runs, columns);
    if (columns <= 0) return 0;
    const int64_t last64 = int64_t{leftColumn} + columns;
    const int32_t last = static_cast<int32_t>(std::min<int64_t>(last64, INT32_MAX));
    // The bytes up to the right edge, as the view walks them, then the margin.
    int32_t edge = 0;
    for (int32_t column = 0; edge < available && line[edge] != '\n' && column < last; ++edge)
        column = ColumnAdvance(column, static_cast<uint8_t>(line[edge]), tabSize);
    const int32_t reach = static_cast<int32_t>(std::min<int64_t>(available, int64_t{edge} + kShadeMargin));
    const void* lf = std::memchr(line + edge, '\n', static_cast<size_t>(reach - edge));
    const int32_t length = lf ? static_cast<int32_t>(static_cast<const char*>(lf) - line) : reach;

    LineLexer lexer(line, length);
    int32_t p = 0;
    int32_t column = 0;
    for (Token token; column < last && lexer.Next(&token);) {
        for (; p < token.begin; ++p) column = ColumnAdvance(column, static_cast<uint8_t>(line[p]), tabSize);
        const int32_t from = column;
        for (; p < token.end; ++p) column = ColumnAdvance(column, static_cast<uint8_t>(line[p]), tabSize);
        const int32_t begin = std::max(from, leftColumn), end = std::min(column, last);
        if (begin < end) list.Add(begin - leftColumn, end - leftColumn, ShadeOf(token.kind));
    }
    return list.Finish();
}

ViewRowLines::ViewRowLines(const EditState* doc)
    : drawn_(doc), joinLimit_(kMaxLeftColumn + doc->columns + kShadeMargin), position_(doc->topOffset)
{
}

const char* ViewRowLines::Line(int32_t row, int32_t* available)
{
    for (; row_ < row && position_ < drawn_.End(); ++row_) position_ = drawn_.NextLine(position_);
    row_ = std::max(row_, row);
    const int32_t p = position_;
    if (p >= drawn_.End()) {
        *available = 0;
        return "";
    }
    if (p >= drawn_.length) {
        *available = drawn_.End() - p;
        return drawn_.after + (p - drawn_.length);
    }
    *available = drawn_.length - p;
    // A line that a working window cuts goes on after it: joined, as far as the view can show.
    if (drawn_.afterLength == 0 || *available >= joinLimit_ ||
        std::memchr(drawn_.text + p, '\n', static_cast<size_t>(*available)))
        return drawn_.text + p;
    joined_.assign(drawn_.text + p, static_cast<size_t>(*available));
    joined_.append(drawn_.after, static_cast<size_t>(std::min(drawn_.afterLength, joinLimit_)));
    *available = static_cast<int32_t>(joined_.size());
    return joined_.data();
}

namespace {

struct Channels {
    double r, g, b;
};

Channels Split(Rgb c)
{
    return Channels{static_cast<double>(c & 0xFF), static_cast<double>((c >> 8) & 0xFF),
                    static_cast<double>((c >> 16) & 0xFF)};
}

Rgb Join(const Channels& c)
{
    const auto byte = [](double v) { return static_cast<Rgb>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return byte(c.r) | byte(c.g) << 8 | byte(c.b) << 16;
}

double Luminance(Rgb c)
{
    const auto linear = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const Channels s = Split(c);
    return 0.2126 * linear(s.r) + 0.7152 * linear(s.g) + 0.0722 * linear(s.b);
}

Rgb Mix(Rgb from, Rgb to, double share)
{
    const Channels a = Split(from), b = Split(to);
    return Join(Channels{a.r + (b.r - a.r) * share, a.g + (b.g - a.g) * share, a.b + (b.b - a.b) * share});
}

constexpr Rgb RgbOf(int r, int g, int b)
{
    return static_cast<Rgb>(r) | static_cast<Rgb>(g) << 8 | static_cast<Rgb>(b) << 16;
}

// Each shade's hue on a light window and on a dark one.
struct Hue {
    Rgb onLight;
    Rgb onDark;
};
constexpr Hue kHues[kShadeCount] = {
    {0, 0},                                            // plain: the text colour itself
    {RgbOf(0, 0, 192), RgbOf(120, 160, 255)},          // keywords: blue
    {RgbOf(150, 40, 0), RgbOf(255, 160, 110)},         // strings: dark red, brown
    {RgbOf(0, 120, 0), RgbOf(120, 210, 120)},          // comments: green
    {RgbOf(140, 0, 140), RgbOf(230, 140, 230)},        // numbers: purple
};
constexpr double kHueShare = 0.85;

}  // namespace

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void DeriveShadeColours(Rgb text, Rgb window, bool plain, Rgb colours[kShadeCount])
{
    colours[0] = text;
    const bool lightWindow = Luminance(window) > 0.18;
    // What a shade must reach: the asked contrast, or the text colour's own when that is less.
    const double need = std::min(kShadeContrast, ContrastRatio(text, window));
    for (int s = 1; s < kShadeCount; ++s) {
        Rgb c = text;
        if (!plain) {
            const Rgb hue = lightWindow ? kHues[s].onLight : kHues[s].onDark;
            for (double share = kHueShare; share > 0.0; share -= 0.05) {
                const Rgb candidate = Mix(text, hue, share);
                if (ContrastRatio(candidate, window) >= need) {
                    c = candidate;
                    break;
                }
            }
        }
        colours[s] = c;
    }
}
