// Colouring of KESTREL scripts, the portable part: which documents are coloured, the colour
// runs of one row of the view, and the colours derived from the window's text and background.
#pragma once

#include <cstdint>
#include <string>

#include "doc/edit_state.h"
#include "doc/view.h"

enum class Shade : uint8_t { kPlain, kKeyword, kString, kComment, kNumber };
constexpr int kShadeCount = 5;

// Cells [begin, end) of a row drawn in one shade.
struct ShadeRun {
    int32_t begin;
    int32_t end;
    Shade shade;
};

// Bytes lexed past the view's right edge, more than the longest keyword: a name that the edge
// cuts is lexed long enough never to be taken for a keyword it begins with.
constexpr int32_t kShadeMargin = 32;

// True for the program's script types: a name ending in ".KSR" or ".INC", in any case.
bool IsScriptName(const char* path);

// The runs of a row `columns` cells wide that shows the line starting at `line`, scrolled
// `leftColumn` text columns sideways, tabs expanded as the view expands them. `available` bytes
// may be read; the line ends at the first LF among them. Only the bytes up to the view's right
// edge and kShadeMargin more are lexed, so a line of any length costs what the view shows.
// Blank cells join a neighbouring run. Writes at most `columns` runs and answers how many
// (one plain run for a row without colours; none when columns <= 0).
int32_t ShadeRow(const char* line, int32_t available, int32_t leftColumn, int32_t columns, int32_t tabSize,
                 ShadeRun* runs);

// The lines drawn in a view's rows, each from its start, asked for in ascending row order.
class ViewRowLines {
public:
    explicit ViewRowLines(const EditState* doc);
    // The bytes from the start of the line drawn in `row`, and in *available how many of them
    // may be read (the rest of the text, or of the line where a working window cuts it).
    const char* Line(int32_t row, int32_t* available);

private:
    DrawnText drawn_;
    int32_t joinLimit_;  // bytes of a cut line joined: more than the view ever shows
    int32_t row_ = 0;
    int32_t position_;
    std::string joined_;
};

// Colours as 0x00BBGGRR, the platform's order.
using Rgb = uint32_t;

// WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(Rgb a, Rgb b);

// The colour of each shade for text drawn in `text` on `window`: every shade a blend of the
// text colour toward its hue, dark hues on a light window and light ones on a dark window,
// moved back toward the text colour until it contrasts with the window at least as
// kShadeContrast asks (or as much as the text colour does). Shade::kPlain is the text colour;
// with `plain` (a high-contrast scheme) every shade is.
constexpr double kShadeContrast = 4.5;
void DeriveShadeColours(Rgb text, Rgb window, bool plain, Rgb colours[kShadeCount]);
