// The stand-in compiler's platform-free rules: reading its command line, the lexical check of
// a KESTREL script, and the name and lines of the error file it writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the editor passes: ZURIRIRU.EXE /H<frame>,<id> <options> "<path>".
struct Invocation {
    uint64_t frame = 0;      // the editor's frame window, as a decimal number
    unsigned commandId = 0;  // the WM_COMMAND id to announce with, 1..65535
    std::string options;     // blank-separated, blanks at both ends removed; may be empty
    std::string path;        // the script, without its quotes
};

enum class InvocationError { None, BadFrame, BadPath };

// Parses a whole command line, program name first (quoted or not). The path is the last
// double-quoted part of the line; everything between the /H switch and it is the options.
InvocationError ParseInvocation(std::string_view commandLine, Invocation* out);

struct Fault {
    int line;  // 1-based
    std::string message;
};

// The script's lexical faults, ordered by line: unterminated strings, brackets that do not
// balance within their line, proc and func blocks without their ends (and ends without them),
// and lines that begin with something that is neither a keyword, an assignment nor a call.
std::vector<Fault> CheckScript(std::string_view text);

// "C:\DIR\NAME.KSR" -> "C:\DIR\NAME.ERR": the last extension replaced, or ".ERR" appended.
// Never the script itself: an error file compiled as a script, "C:\DIR\NAME.ERR", writes its
// errors to "C:\DIR\NAME.ERR.ERR".
std::string ErrorFileName(const std::string& scriptPath);

// The files a script includes: `include "NAME"` statements (the keyword in any case), each
// with its line, in the script's order.
struct Include {
    int line;  // 1-based
    std::string name;
};
std::vector<Include> IncludedFiles(std::string_view text);

// One line of the error file: "<path>(<line>): <message>" and CR LF.
std::string ErrorLine(const std::string& scriptPath, const Fault& fault);
