// Joining a name to a directory within the path limit.
#include "app/path_join.h"

#include <cstring>

size_t JoinPath(char* directory, const char* name, char driveSeparator, char pathSeparator)
{
    if (!directory) return 0;
    size_t n = std::strlen(directory);
    if (n > 0 && directory[n - 1] != driveSeparator && directory[n - 1] != pathSeparator) {
        // A separator that fills the buffer would leave no room for any name.
        if (n + 1 >= kPathLimit) return n;
        directory[n++] = pathSeparator;
        directory[n] = '\0';
    }
    if (name) {
        while (*name == pathSeparator) ++name;
        const size_t length = std::strlen(name);
        if (n + length < kPathLimit) std::memcpy(directory + n, name, length + 1);
    }
    return n;
}
