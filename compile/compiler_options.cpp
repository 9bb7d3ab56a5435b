// Option texts for the script compiler. The normaliser is a small state machine over the
// characters: between tokens, in a token, in a double-quoted section.
#include "compile/compiler_options.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The C library's text-to-integer rule (leading white space, a sign, digits up to the first
// other character), but saturating instead of overflowing.
int64_t TextToInteger(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    int64_t n = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (n < (int64_t{1} << 40)) n = n * 10 + (*text - '0');
    return negative ? -n : n;
}

// Sets the field of the switch at slash (which starts a token) and answers whether the token
// is one of the switches that are taken out.
bool TakeSwitch(const char* slash, CompilerOptions* options)
{
    const char letter = Upper(slash[1]);
    switch (letter) {
        case 'E': {
            if (Upper(slash[2]) == 'X') return false;  // "/EXPORT" and the like are ordinary
            const int64_t n = TextToInteger(slash + 2);
            if (n >= 0) options->maxErrors = static_cast<int32_t>(n > INT32_MAX ? INT32_MAX : n);
            return true;
        }
        case 'M':
            options->mapFile = Upper(slash[2]) == 'L' ? 2 : 1;
            return true;
        case 'W':
            if (slash[2] >= '0' && slash[2] <= '2') options->warningLevel = static_cast<uint8_t>(slash[2] - '0');
            return true;
        case 'Z':
            options->debugInfo = 1;
            return true;
        default:
            return false;
    }
}

}  // namespace

void NormalizeOptions(char* out, size_t outSize, const char* in, bool takeSwitches, CompilerOptions* options)
{
    if (outSize == 0) return;
    enum { kBetween, kToken, kQuoted } state = kBetween;
    bool drop = false;
    size_t n = 0;
    auto put = [&](char c) {
        if (!drop && n + 1 < outSize) out[n++] = c;
    };
    for (const char* p = in; *p; ++p) {
        const char c = *p;
        if (c == ' ' || c == '\t') {
            if (state == kToken) {
                state = kBetween;
                put(' ');
                drop = false;
            }
        } else if (c == '"') {
            state = state == kQuoted ? kToken : kQuoted;
            put(c);
        } else if (c == '/' && state == kBetween) {
            state = kToken;
            if (takeSwitches) drop = TakeSwitch(p, options);
            put(c);
        } else if (c == '`' && state == kQuoted && p[1] == '"') {
            put(c);
            put(*++p);
        } else {
            if (state == kBetween) state = kToken;
            put(c);
        }
    }
    out[n] = '\0';
}

void BuildOptionsText(char* out, size_t outSize, const CompilerOptions& options)
{
    char saved[sizeof options.savedOptions];
    NormalizeOptions(saved, sizeof saved, options.savedOptions, false, nullptr);
    std::snprintf(out, outSize, "%s%s/W%u /E%d %s", options.debugInfo == 1 ? "/Z " : "",
                  options.mapFile == 1 ? "/M " : options.mapFile == 2 ? "/ML " : "",
                  static_cast<unsigned>(options.warningLevel), static_cast<int>(options.maxErrors), saved);
}

void ParseOptionsText(const char* text, CompilerOptions* options)
{
    if (text[0] == '\0') return;
    char rest[256];
    NormalizeOptions(rest, sizeof rest, text, true, options);
    const size_t n = std::min(std::strlen(rest), sizeof options->savedOptions - 1);
    std::memcpy(options->savedOptions, rest, n);
    options->savedOptions[n] = '\0';
}

void FormatCompileArguments(char* out, size_t outSize, uint32_t frame, const char* options, const char* path)
{
    std::snprintf(out, outSize, "/H%u,600 %s \"%s\"", static_cast<unsigned>(frame), options, path);
}
