// The stand-in compiler's rules on arbitrary bytes, taken both as a script and as a command
// line: faults ordered by line and within the script, and a parsed command line that holds
// only what its rules allow.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/compiler/compiler_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int lines = 0;
    for (size_t i = 0; i < size; ++i) lines += text[i] == '\n';
    if (size > 0 && text.back() != '\n') ++lines;

    int previous = 1;
    for (const Fault& fault : CheckScript(text)) {
        if (fault.line < previous || fault.line > lines || fault.message.empty()) std::abort();
        previous = fault.line;
    }

    Invocation invocation;
    if (ParseInvocation(text, &invocation) == InvocationError::None) {
        if (invocation.frame == 0 || invocation.commandId == 0 || invocation.commandId > 0xFFFF) std::abort();
        if (invocation.path.empty() || invocation.path.find('"') != std::string::npos) std::abort();
        const std::string& options = invocation.options;
        if (!options.empty() && (options.front() == ' ' || options.back() == ' ' || options.front() == '\t' ||
                                 options.back() == '\t'))
            std::abort();
    }
    return 0;
}
