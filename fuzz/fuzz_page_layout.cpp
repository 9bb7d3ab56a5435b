// Arbitrary templates, titles and texts: the expansion never writes past its buffer and always
// ends it; a printed line never exceeds its columns and the position only moves forwards.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "print/page_layout.h"

namespace {
std::time_t Epoch() { return 0; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    const size_t room = 1 + data[0] % 300, columns = data[1] % 300;
    const int32_t tab = data[2] % 90;
    const std::string rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const size_t cut = rest.find('\x01');
    const std::string pattern = rest.substr(0, cut).c_str(), title = cut == std::string::npos ? "" : rest.substr(cut + 1).c_str();
    std::string out(room + 32, '\x7f');
    ExpandTemplate(&out[0], room, pattern.c_str(), static_cast<int32_t>(size), title.c_str(), Epoch);
    for (size_t i = room; i < out.size(); ++i)
        if (out[i] != '\x7f') std::abort();
    if (std::strlen(out.c_str()) >= room) std::abort();

    char line[kMaxPrintColumns + 1 + 16];
    std::memset(line, '\x7f', sizeof line);
    for (int64_t position = 0; position >= 0;) {
        const int64_t before = position;
        const int32_t length = BuildPrintLine(rest.data(), static_cast<int64_t>(rest.size()), &position, tab,
                                              static_cast<int32_t>(columns), line);
        if (length < 0 || length > kMaxPrintColumns || static_cast<size_t>(length) > columns) std::abort();
        if (line[kMaxPrintColumns + 1] != '\x7f') std::abort();
        if (position >= 0 && position <= before) std::abort();
    }
    return 0;
}
