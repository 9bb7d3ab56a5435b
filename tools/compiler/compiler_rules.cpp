// The stand-in compiler's platform-free rules: command line, lexical check, error file lines.
#include "tools/compiler/compiler_rules.h"

#include <algorithm>
#include <iterator>

#include "doc/kestrel.h"

namespace {

// The blocks that must be closed before the next one opens and before the end of the script.
struct BlockKind {
    std::string_view opener;
    std::string_view closer;
};
constexpr BlockKind kBlocks[] = {{"proc", "endproc"}, {"func", "endfunc"}};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

size_t SkipBlanks(std::string_view s, size_t i)
{
    while (i < s.size() && IsBlank(s[i])) ++i;
    return i;
}

// Decimal digits at *i, at most max; false when there are none or the value is larger.
bool ReadNumber(std::string_view s, size_t* i, uint64_t max, uint64_t* value)
{
    const size_t start = *i;
    uint64_t v = 0;
    for (; *i < s.size() && IsDigit(s[*i]); ++*i) {
        const unsigned digit = static_cast<unsigned>(s[*i] - '0');
        if (v > (max - digit) / 10) return false;
        v = v * 10 + digit;
    }
    *value = v;
    return *i > start;
}

std::string Quoted(std::string_view word)
{
    return "'" + std::string(word) + "'";
}

std::string Without(std::string_view have, std::string_view lacking)
{
    return Quoted(have) + " without " + Quoted(lacking);
}

// Strings, the comment and brackets of one line. Answers the line's first fault, or an empty
// string; *code is the line without its comment. Brackets must balance within their line: a
// KESTREL statement never continues on the next one.
std::string ScanLine(std::string_view line, std::string_view* code)
{
    std::string fault;
    std::string open;  // the brackets not yet closed, innermost last
    bool inString = false;
    size_t end = line.size();
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inString) {
            inString = c != '"';
        } else if (c == ';') {
            end = i;
            break;
        } else if (c == '"') {
            inString = true;
        } else if (c == '(' || c == '[') {
            open.push_back(c);
        } else if (c == ')' || c == ']') {
            const char opener = c == ')' ? '(' : '[';
            if (!open.empty() && open.back() == opener) {
                open.pop_back();
            } else if (fault.empty()) {
                fault = (open.empty() ? "unbalanced " : "mismatched ") + Quoted(std::string_view(&c, 1));
            }
        }
    }
    *code = line.substr(0, end);
    if (!fault.empty()) return fault;
    if (inString) return "unterminated string";
    if (!open.empty()) return "unclosed " + Quoted(std::string_view(&open.back(), 1));
    return fault;
}

// The name a statement begins with ("count", "name$"), or an empty view when it does not.
std::string_view LeadingName(std::string_view code)
{
    if (code.empty() || !IsLetter(code[0])) return {};
    size_t n = 1;
    while (n < code.size() && (IsLetter(code[n]) || IsDigit(code[n]))) ++n;
    if (n < code.size() && code[n] == '$') ++n;
    return code.substr(0, n);
}

bool IsKeyword(std::string_view word)
{
    // The statements a KESTREL line may begin with; anything else must be an assignment or a call.
    return std::any_of(std::begin(kKeywordNames), std::end(kKeywordNames),
                       [word](std::string_view k) { return SameWord(k, word); });
}

// Calls visit(line, number) for each line of text, numbered from 1, without its LF or CR LF.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit)
{
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(line, ++number);
    }
}

// The block state between lines: the open proc or func, if any.
struct OpenBlock {
    const BlockKind* kind = nullptr;
    int line = 0;
};

void TakeBlockWord(std::string_view word, int line, OpenBlock* open, std::vector<Fault>* faults)
{
    for (const BlockKind& kind : kBlocks) {
        if (SameWord(word, kind.opener)) {
            if (open->kind) faults->push_back({open->line, Without(open->kind->opener, open->kind->closer)});
            *open = {&kind, line};
        } else if (SameWord(word, kind.closer)) {
            if (open->kind == &kind)
                *open = {};
            else
                faults->push_back({line, Without(kind.closer, kind.opener)});
        }
    }
}

// The fault of a statement's first word, or an empty string.
std::string StatementFault(std::string_view code, std::string_view word)
{
    if (word.empty()) return "statement expected";
    if (IsKeyword(word)) return {};
    const size_t next = SkipBlanks(code, word.size());
    if (next == code.size() || code[next] == '=' || code[next] == '(' || code[next] == '[') return {};
    return "unknown keyword " + Quoted(word);
}

}  // namespace

InvocationError ParseInvocation(std::string_view line, Invocation* out)
{
    // The program name: up to the first blank outside quotes.
    size_t i = 0;
    for (bool quoted = false; i < line.size() && (quoted || !IsBlank(line[i])); ++i)
        if (line[i] == '"') quoted = !quoted;
    i = SkipBlanks(line, i);

    Invocation result;
    uint64_t id = 0;
    if (line.substr(i, 2) != "/H" && line.substr(i, 2) != "/h") return InvocationError::BadFrame;
    i += 2;
    if (!ReadNumber(line, &i, UINT64_MAX, &result.frame) || result.frame == 0)
        return InvocationError::BadFrame;
    if (i >= line.size() || line[i] != ',') return InvocationError::BadFrame;
    ++i;
    if (!ReadNumber(line, &i, 0xFFFF, &id) || id == 0) return InvocationError::BadFrame;
    if (i < line.size() && !IsBlank(line[i])) return InvocationError::BadFrame;
    result.commandId = static_cast<unsigned>(id);

    // The path is the last quoted part; line[i] is a blank, so a closing quote lies after it.
    size_t end = line.size();
    while (end > i && IsBlank(line[end - 1])) --end;
    if (end <= i || line[end - 1] != '"') return InvocationError::BadPath;
    const size_t open = line.rfind('"', end - 2);
    if (open == std::string_view::npos || open < i || open + 2 >= end) return InvocationError::BadPath;
    result.path = std::string(line.substr(open + 1, end - open - 2));

    size_t first = SkipBlanks(line, i);
    size_t last = open;
    while (last > first && IsBlank(line[last - 1])) --last;
    result.options = std::string(line.substr(first, last - first));
    *out = std::move(result);
    return InvocationError::None;
}

std::vector<Fault> CheckScript(std::string_view text)
{
    std::vector<Fault> faults;
    OpenBlock open;
    ForEachLine(text, [&](std::string_view line, int number) {
        std::string_view code;
        std::string fault = ScanLine(line, &code);
        code.remove_prefix(SkipBlanks(code, 0));
        if (code.empty() && fault.empty()) return;
        const std::string_view word = LeadingName(code);
        if (fault.empty()) fault = StatementFault(code, word);
        if (!fault.empty()) faults.push_back({number, std::move(fault)});
        TakeBlockWord(word, number, &open, &faults);
    });
    if (open.kind) faults.push_back({open.line, Without(open.kind->opener, open.kind->closer)});
    // Unclosed blocks are found after the lines that follow them.
    std::stable_sort(faults.begin(), faults.end(),
                     [](const Fault& a, const Fault& b) { return a.line < b.line; });
    return faults;
}

std::string ErrorFileName(const std::string& scriptPath)
{
    const size_t slash = scriptPath.find_last_of("\\/:");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = scriptPath.rfind('.');
    const size_t stem = dot == std::string::npos || dot < nameStart ? scriptPath.size() : dot;
    // The file system drops dots and blanks that end a name: "X.ERR. " is the file X.ERR.
    std::string_view extension = std::string_view(scriptPath).substr(stem);
    while (!extension.empty() && (extension.back() == '.' || IsBlank(extension.back())))
        extension.remove_suffix(1);
    // An error file being compiled keeps its own name, and its errors go beside it.
    if (SameWord(extension, ".ERR")) return scriptPath + ".ERR";
    return scriptPath.substr(0, stem) + ".ERR";
}

std::string ErrorLine(const std::string& scriptPath, const Fault& fault)
{
    return scriptPath + "(" + std::to_string(fault.line) + "): " + fault.message + "\r\n";
}

std::vector<Include> IncludedFiles(std::string_view text)
{
    std::vector<Include> includes;
    ForEachLine(text, [&](std::string_view line, int number) {
        line.remove_prefix(SkipBlanks(line, 0));
        const std::string_view word = LeadingName(line);
        if (!SameWord(word, "include")) return;
        const size_t open = SkipBlanks(line, word.size());
        if (open >= line.size() || line[open] != '"') return;
        const size_t close = line.find('"', open + 1);
        if (close == std::string_view::npos || close == open + 1) return;
        includes.push_back({number, std::string(line.substr(open + 1, close - open - 1))});
    });
    return includes;
}
