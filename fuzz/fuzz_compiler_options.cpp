// Arbitrary option texts: the normalised text never outgrows its buffer or its input, every
// field stays in its range, and normalising the result again changes nothing. (Not quite
// always: blanks removed inside quotes can bring a backquote next to a double quote, "a` "b"
// becoming "a`"b", which then keeps the section open; texts with a backquote are left out of
// that one check.)
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "compile/compiler_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool take = data[0] & 1;
    const std::string in(reinterpret_cast<const char*>(data + 1), strnlen(reinterpret_cast<const char*>(data + 1), size - 1));
    const size_t room = 1 + data[0] % 64;
    std::string out(room + 16, '\x7f');
    CompilerOptions o;
    NormalizeOptions(&out[0], room, in.c_str(), take, &o);
    for (size_t i = room; i < out.size(); ++i)
        if (out[i] != '\x7f') std::abort();
    const size_t length = std::strlen(out.c_str());
    if (length >= room || length > in.size()) std::abort();
    if (o.mapFile > 2 || o.warningLevel > 2 || o.debugInfo > 1 || o.maxErrors < 0) std::abort();

    std::string whole(in.size() + 1, '\0'), again(in.size() + 1, '\0');
    NormalizeOptions(&whole[0], whole.size(), in.c_str(), take, &o);
    NormalizeOptions(&again[0], again.size(), whole.c_str(), take, &o);
    if (in.find('`') == std::string::npos && std::strcmp(whole.c_str(), again.c_str()) != 0) std::abort();

    char text[300];
    std::snprintf(o.savedOptions, sizeof o.savedOptions, "%s", in.c_str());
    BuildOptionsText(text, sizeof text, o);
    if (std::strlen(text) >= sizeof text - 1) std::abort();
    return 0;
}
