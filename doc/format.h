// Filling the numeric field of a format text taken from the string table. The texts come from
// resources, so they are never handed to printf as a format.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies format into out (at most size - 1 bytes and a NUL), replacing its first "%u" by value.
void FormatUnsigned(char* out, size_t size, const char* format, uint32_t value);
// Bounded copy of a NUL-terminated text; answers false when it had to be cut.
bool CopyText(char* out, size_t size, const char* text);
