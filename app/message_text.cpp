// Composition of message-box texts.
#include "app/message_text.h"

namespace {

// Appends at most limit characters of source at out[length], never past outSize - 1.
size_t AppendCut(char* out, size_t outSize, size_t length, const char* source, size_t limit)
{
    if (!source) return length;
    for (size_t i = 0; i < limit && source[i] != '\0' && length + 1 < outSize; ++i) {
        out[length++] = source[i];
    }
    return length;
}

}  // namespace

size_t ComposeMessageText(char* out, size_t outSize, const char* message, const char* appended)
{
    if (!out || outSize == 0) return 0;
    size_t length = AppendCut(out, outSize, 0, message, kMessageStringMax);
    length = AppendCut(out, outSize, length, appended, kMessageAppendedMax);
    out[length] = '\0';
    // The message box breaks lines at LF; the string table writes them as "^".
    for (size_t i = 0; i < length; ++i) {
        if (out[i] == '^') out[i] = '\n';
    }
    return length;
}
