// The file library's operating-system layer on POSIX systems (the native twin of QVDSK32.DLL).
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "libs/qvdsk/os.h"

namespace qvdsk {

namespace {

bool CopyName(char* out, size_t size, const char* text)
{
    int n = std::snprintf(out, size, "%s", text);
    return n >= 0 && static_cast<size_t>(n) < size;
}

int Fd(OsHandle handle) { return static_cast<int>(handle); }

}  // namespace

bool OsFullPath(const char* name, char* out, size_t size)
{
    char resolved[PATH_MAX];
    if (realpath(name, resolved)) return CopyName(out, size, resolved);
    if (errno != ENOENT) return false;

    // Not there yet: the directory must exist, the file name is kept as given.
    const char* slash = std::strrchr(name, '/');
    const char* base = slash ? slash + 1 : name;
    if (!*base) return false;
    char dir[PATH_MAX];
    if (!slash) {
        if (!CopyName(dir, sizeof dir, ".")) return false;
    } else {
        size_t length = slash == name ? 1 : static_cast<size_t>(slash - name);
        if (length >= sizeof dir) return false;
        std::memcpy(dir, name, length);
        dir[length] = '\0';
    }
    if (!realpath(dir, resolved)) return false;
    const char* separator = resolved[std::strlen(resolved) - 1] == '/' ? "" : "/";
    int n = std::snprintf(out, size, "%s%s%s", resolved, separator, base);
    return n >= 0 && static_cast<size_t>(n) < size;
}

OsHandle OsOpenRead(const char* path)
{
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kNoHandle;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        return kNoHandle;
    }
    return fd;
}

bool OsCanReplace(const char* path)
{
    struct stat info;
    if (stat(path, &info) != 0) return errno == ENOENT;
    return !S_ISDIR(info.st_mode) && access(path, W_OK) == 0;
}

OsHandle OsCreateTemp(const char* target, char* temp, size_t size)
{
    const char* slash = std::strrchr(target, '/');
    if (!slash) return kNoHandle;  // OsFullPath names are absolute
    int dirLength = static_cast<int>(slash - target);
    struct stat info;
    bool replacing = stat(target, &info) == 0;

    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        int n = std::snprintf(temp, size, "%.*s/.~zv%ld-%u.tmp", dirLength, target,
                              static_cast<long>(getpid()), attempt);
        if (n < 0 || static_cast<size_t>(n) >= size) return kNoHandle;
        // 0666 under the umask, as any new file; a replaced file keeps its own permissions.
        int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return kNoHandle;
        }
        if (replacing && fchmod(fd, info.st_mode & 07777) != 0) {
            close(fd);
            unlink(temp);
            return kNoHandle;
        }
        return fd;
    }
    return kNoHandle;
}

int64_t OsRead(OsHandle handle, void* buffer, size_t count)
{
    for (;;) {
        ssize_t n = read(Fd(handle), buffer, count);
        if (n >= 0) return n;
        if (errno != EINTR) return -1;
    }
}

bool OsWrite(OsHandle handle, const void* buffer, size_t count)
{
    const char* at = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t n = write(Fd(handle), at, count);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            return false;
        }
        at += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

bool OsSync(OsHandle handle) { return fsync(Fd(handle)) == 0; }

bool OsClose(OsHandle handle) { return close(Fd(handle)) == 0; }

bool OsReplace(const char* from, const char* to) { return rename(from, to) == 0; }

void OsRemove(const char* path)
{
    // Nothing more can be done about a temporary file that will not go.
    (void)unlink(path);
}

}  // namespace qvdsk
