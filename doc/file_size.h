// The platform's size query of an existing file.
#pragma once

#include <cstdint>

enum class SizeQuery { kOk, kCannotOpen, kFailed };

// Opens the file for reading (others may read, write and delete it meanwhile), takes its size
// and closes it again.
SizeQuery QueryFileSize(const char* path, uint64_t* size);
