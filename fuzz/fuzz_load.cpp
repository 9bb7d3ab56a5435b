// Arbitrary bytes loaded as a document hold no CR and no NUL, fill their block exactly, and
// load(save(load(x))) equals load(x), with and without tab expansion.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "doc/document_file.h"
#include "doc/memory.h"
#include "doc/undo.h"
#include "tests/native/doc_helpers.h"
#include "tests/native/file_helpers.h"
#include "tests/native/recorder.h"

namespace {

std::string ScratchPath(const char* name)
{
    // make fuzz sets $TMPDIR to a memory file system, where the flush every save makes costs
    // nothing.
    static const ScratchDir dir;
    return dir.File(name);
}

DocPtr LoadFrom(const std::string& path)
{
    DocPtr doc = NewRecord();
    if (!CreateDocument(doc.get(), path.c_str())) std::abort();
    return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FreshCore();
    if (size > 0) {
        g_core.settings.noTabs = data[0] & 1;
        g_core.settings.tabStops = static_cast<int8_t>(1 + data[0] % 80);
    }

    const std::string in = ScratchPath("in"), out = ScratchPath("out");
    FILE* f = std::fopen(in.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();

    const DocPtr first = LoadFrom(in);
    for (int32_t i = 0; i < first->length; ++i)
        if (first->text[i] == '\r' || first->text[i] == '\0') std::abort();
    if (first->text[first->length] != '\0' || first->length != first->capacity) std::abort();

    std::snprintf(first->path, sizeof first->path, "%s", out.c_str());
    if (SaveText(first.get()) != 1) std::abort();
    const DocPtr second = LoadFrom(out);
    // With expansion on, the reloaded text is the first one with each TAB spelled as spaces.
    std::string expect;
    int column = 1;
    const int stops = g_core.settings.tabStops;
    for (int32_t i = 0; i < first->length; ++i) {
        char c = first->text[i];
        if (c == '\t' && g_core.settings.noTabs) {
            int n = stops - (column - 1) % stops;
            expect.append(static_cast<size_t>(n), ' ');
            column += n;
        } else {
            expect += c;
            column = c == '\n' ? 1 : (c == '\t' ? column : column + 1);
        }
    }
    if (Text(second.get()) != expect) std::abort();
    return 0;
}
