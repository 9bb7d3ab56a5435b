// Reading the compiler's error file: the place of each fault in its line, and paths relative
// to the compiled script.
#include "compile/error_list.h"

#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A positive decimal number at *i that fits an int32_t; *i moves past its digits.
bool ReadPositive(std::string_view s, size_t* i, int32_t* value)
{
    const size_t start = *i;
    int64_t v = 0;
    for (; *i < s.size() && IsDigit(s[*i]); ++*i) {
        v = v * 10 + (s[*i] - '0');
        if (v > std::numeric_limits<int32_t>::max()) return false;
    }
    *value = static_cast<int32_t>(v);
    return *i > start && v > 0;
}

// A place starting at `at` (an opening bracket or a colon); *rest is where the message begins.
bool PlaceAt(std::string_view s, size_t at, ErrorEntry* entry, size_t* rest)
{
    size_t i = at + 1;
    int32_t line = 0, column = 0;
    if (!ReadPositive(s, &i, &line)) return false;
    if (s[at] == '(') {
        if (i < s.size() && s[i] == ',') {
            ++i;
            if (!ReadPositive(s, &i, &column)) return false;
        }
        if (i >= s.size() || s[i] != ')') return false;
        ++i;
        while (i < s.size() && IsBlank(s[i])) ++i;
    } else if (i + 1 < s.size() && s[i] == ':' && IsDigit(s[i + 1])) {
        size_t j = i + 1;  // ":LINE:COL:"; without the second colon the number is the message's
        int32_t second = 0;
        if (ReadPositive(s, &j, &second) && j < s.size() && s[j] == ':') {
            column = second;
            i = j;
        }
    }
    if (i >= s.size() || s[i] != ':') return false;
    entry->line = line;
    entry->column = column;
    *rest = i + 1;
    return true;
}

std::string Resolved(std::string_view path, std::string_view scriptPath)
{
    const std::string_view folder = scriptPath.substr(0, scriptPath.size() - FileNamePart(scriptPath).size());
    if (path.size() >= 2 && path[1] == ':') return std::string(path);
    if (!path.empty() && IsSeparator(path[0])) {
        // "\\SERVER\SHARE\X" stands on its own; "\X" is on the script's drive.
        if (path.size() >= 2 && IsSeparator(path[1])) return std::string(path);
        return folder.size() >= 2 && folder[1] == ':' ? std::string(folder.substr(0, 2)) + std::string(path)
                                                       : std::string(path);
    }
    std::string joined(folder);
    if (!joined.empty() && !IsSeparator(joined.back()) && joined.back() != ':') joined += '\\';
    return joined + std::string(path);
}

}  // namespace

std::string_view FileNamePart(std::string_view path)
{
    const size_t last = path.find_last_of("\\/:");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool ParseErrorLine(std::string_view line, ErrorEntry* entry)
{
    for (size_t at = 0; at < line.size(); ++at) {
        if (line[at] != '(' && line[at] != ':') continue;
        const std::string_view path = Trimmed(line.substr(0, at));
        ErrorEntry found;
        size_t rest = 0;
        if (path.empty() || !PlaceAt(line, at, &found, &rest)) continue;
        found.path = std::string(path);
        found.message = std::string(Trimmed(line.substr(rest)));
        *entry = std::move(found);
        return true;
    }
    return false;
}

std::vector<ErrorEntry> ParseErrorFile(std::string_view bytes, std::string_view scriptPath)
{
    std::vector<ErrorEntry> entries;
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ErrorEntry entry;
        if (!ParseErrorLine(line, &entry)) continue;
        entry.path = Resolved(entry.path, scriptPath);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string FillIn(std::string_view pattern, const std::vector<std::string>& values)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(pattern[++i] - '1');
            if (n < values.size()) out += values[n];
        } else {
            out += pattern[i];
        }
    }
    return out;
}
