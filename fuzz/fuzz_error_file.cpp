// Arbitrary error files: every fault read has a path, a line and no line end in its message,
// and a fault written back in the compiler's own form reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compile/error_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const ErrorEntry& e : ParseErrorFile(bytes, "C:\\S\\A.KSR")) {
        if (e.path.empty() || e.line < 1 || e.column < 0) std::abort();
        if (e.message.find('\n') != std::string::npos) std::abort();
    }
    // Line by line, unjoined: the place written back as "PATH(LINE,COL): MESSAGE" is found again.
    for (size_t start = 0; start < size;) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = size;
        ErrorEntry e, again;
        if (ParseErrorLine(bytes.substr(start, end - start), &e)) {
            std::string line = e.path + "(" + std::to_string(e.line);
            if (e.column > 0) line += "," + std::to_string(e.column);
            line += "): " + e.message;
            if (!ParseErrorLine(line, &again) || again.path != e.path || again.line != e.line ||
                again.column != e.column || again.message != e.message)
                std::abort();
        }
        start = end + 1;
    }
    return 0;
}
