// Joining a help file's name to the program's directory, without the platform: the two
// separators are the caller's (the string table's), the buffer is a path of kPathLimit bytes.
#pragma once

#include <cstddef>

constexpr size_t kPathLimit = 260;

// Appends name to directory (a kPathLimit-byte buffer), putting one path separator between
// them unless directory is empty or already ends in a separator. Leading path separators of
// name are skipped; a name that would not fit is not appended, nor a separator that would not.
// Answers the length of directory before the name; 0 for a null directory (nothing changes).
size_t JoinPath(char* directory, const char* name, char driveSeparator, char pathSeparator);
