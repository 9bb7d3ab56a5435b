// File size query for the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "doc/file_size.h"

SizeQuery QueryFileSize(const char* path, uint64_t* size)
{
    int fd = ::open(path, O_RDONLY);
    if (fd < 0) return SizeQuery::kCannotOpen;
    struct stat st {};
    int rc = ::fstat(fd, &st);
    ::close(fd);
    if (rc == 0 && S_ISDIR(st.st_mode)) return SizeQuery::kCannotOpen;  // as on Windows
    if (rc != 0 || st.st_size < 0) return SizeQuery::kFailed;
    *size = static_cast<uint64_t>(st.st_size);
    return SizeQuery::kOk;
}
