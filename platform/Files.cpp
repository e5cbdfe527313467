#include "platform/Files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

FileReplaceOutcome Failed(FileReplaceStep step) {
    return FileReplaceOutcome{step, errno};
}

#ifdef _WIN32

// Windows: paths are UTF-16 for the wide file functions; the new file is opened and written through the C
// runtime's descriptors, in binary mode.
using Path = std::wstring;

// A UTF-8 path as UTF-16. False, with errno EINVAL, for bytes that are not UTF-8.
bool Widen(const char* path, Path* wide) {
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (length <= 0) {
        errno = EINVAL;
        return false;
    }
    wide->assign(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, &(*wide)[0], length);
    wide->pop_back(); // the terminating NUL
    return true;
}

// The errno of the last Windows error of a file function.
int ErrnoOfLastError() {
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

FILE* Open(const char* path, const char* mode, PathEncoding encoding) {
    if (encoding == PathEncoding::system)
        return std::fopen(path, mode); // the "A" functions' reading: the process's ANSI code page
    Path wide, wideMode(mode, mode + std::strlen(mode));
    return Widen(path, &wide) ? _wfopen(wide.c_str(), wideMode.c_str()) : nullptr;
}

// The file that a path finally names: an existing file is asked for its final path, which follows symbolic
// links; a missing file is made where the path says. False with errno when the final path cannot be read.
bool ResolveLinks(Path* path) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file =
        CreateFileW(path->c_str(), 0, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true; // a missing file is made; any other fault shows when the new file is made
    Path final(MAX_PATH, L'\0');
    DWORD length = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        length = GetFinalPathNameByHandleW(file, &final[0], static_cast<DWORD>(final.size()),
                                           FILE_NAME_NORMALIZED);
        if (length < final.size())
            break;
        final.assign(length + 1, L'\0'); // the room it asked for, the NUL included
    }
    int error = ErrnoOfLastError();
    CloseHandle(file);
    if (length == 0 || length >= final.size()) {
        errno = error;
        return false;
    }
    final.resize(length);
    *path = final;
    return true;
}

// A new file beside `target`, made exclusively so that no other file is ever opened by mistake. It takes the
// permissions that its directory hands down, as any new file there does.
int CreateBeside(const Path& target, Path* name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = target + L"." + std::to_wstring(_getpid()) + L"." + std::to_wstring(counter++) + L".tmp";
        int fd = _wopen(name->c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                        _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int WriteSome(int fd, const char* bytes, size_t size) {
    return _write(fd, bytes, static_cast<unsigned>(std::min<size_t>(size, 1u << 30)));
}

bool FlushToDisk(int fd) {
    return _commit(fd) == 0;
}

int CloseFile(int fd) {
    return _close(fd);
}

void RemoveFile(const Path& path) {
    _wunlink(path.c_str());
}

// Replaces the target in one step; unlike rename(), MoveFileEx replaces an existing file.
bool RenameOver(const Path& from, const Path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = ErrnoOfLastError();
    return false;
}

bool PathOf(const char* path, Path* native) {
    return Widen(path, native);
}

#else

using Path = std::string;

const int kMostLinks = 40;

FILE* Open(const char* path, const char* mode, PathEncoding) {
    return std::fopen(path, mode);
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file that a path finally names: symbolic links are followed, also links to links and links whose
// target does not exist yet. False with errno for a loop or an unreadable link.
bool ResolveLinks(std::string* path) {
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat status;
        if (lstat(path->c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true; // a missing file is made; any other fault shows when the new file is made
        std::string target(static_cast<size_t>(status.st_size > 0 ? status.st_size : 256) + 1, '\0');
        ssize_t length = readlink(path->c_str(), &target[0], target.size());
        if (length < 0)
            return false;
        if (static_cast<size_t>(length) == target.size()) { // the link grew meanwhile
            errno = ENAMETOOLONG;
            return false;
        }
        target.resize(static_cast<size_t>(length));
        *path = target[0] == '/' ? target : DirectoryOf(*path) + target;
    }
    errno = ELOOP;
    return false;
}

// The target's permissions and, where the system allows it, its owner and group.
void TakeOverAttributes(int fd, const std::string& target) {
    struct stat status;
    if (stat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return;
    if (fchown(fd, status.st_uid, status.st_gid) != 0) {
        // Only the owner and the group can be kept where allowed; the permissions are kept anyway.
    }
    fchmod(fd, status.st_mode & 07777);
}

// A new file beside `target`, made exclusively so that no other file is ever opened by mistake, with the
// target's attributes.
int CreateBeside(const std::string& target, std::string* name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = target + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
        int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            TakeOverAttributes(fd, target);
            return fd;
        }
        if (errno != EEXIST)
            return fd;
    }
    return -1;
}

ssize_t WriteSome(int fd, const char* bytes, size_t size) {
    return write(fd, bytes, size);
}

bool FlushToDisk(int fd) {
    return fsync(fd) == 0 || errno == EINVAL; // a file system without flushes to a disk
}

int CloseFile(int fd) {
    return close(fd);
}

void RemoveFile(const std::string& path) {
    unlink(path.c_str());
}

bool RenameOver(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

bool PathOf(const char* path, std::string* native) {
    *native = path;
    return true;
}

#endif

bool WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        auto written = WriteSome(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

FILE* FileOpenForReading(const char* path, PathEncoding encoding) {
    return Open(path, "rb", encoding);
}

FILE* FileOpenForWriting(const char* path, PathEncoding encoding) {
    return Open(path, "wb", encoding);
}

FileReplaceOutcome FileReplace(const char* path, const void* bytes, size_t size) {
    Path target;
    if (!path || !*path) {
        errno = ENOENT;
        return Failed(FileReplaceStep::resolve);
    }
    if (!PathOf(path, &target) || !ResolveLinks(&target))
        return Failed(FileReplaceStep::resolve);
    Path temporary;
    int fd = CreateBeside(target, &temporary);
    if (fd < 0)
        return Failed(FileReplaceStep::create);
    bool written = WriteAll(fd, static_cast<const char*>(bytes), size) && FlushToDisk(fd);
    int error = errno;
    if (CloseFile(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        RemoveFile(temporary);
        return FileReplaceOutcome{FileReplaceStep::write, error};
    }
    if (!RenameOver(temporary, target)) {
        error = errno;
        RemoveFile(temporary);
        return FileReplaceOutcome{FileReplaceStep::rename, error};
    }
    return FileReplaceOutcome{FileReplaceStep::done, 0};
}
