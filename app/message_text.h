// The text of a message box: a string-table entry, an optional appended text and "^" as line
// break. Kept free of the platform so that its cutting rules are tested natively.
#pragma once

#include <cstddef>

// Characters of the string-table entry that a message shows.
constexpr size_t kMessageStringMax = 162;
// Characters of the appended text (a path, a name) that a message shows.
constexpr size_t kMessageAppendedMax = 80;
// A buffer that always holds a composed message and its NUL.
constexpr size_t kMessageTextSize = kMessageStringMax + kMessageAppendedMax + 1;

// Writes into out (of outSize bytes, NUL-terminated when outSize > 0) at most 162 characters
// of message followed by at most 80 characters of appended (none when null), and turns every
// "^" of the result into a line break. Neither input is changed. Answers the length written.
size_t ComposeMessageText(char* out, size_t outSize, const char* message, const char* appended);
