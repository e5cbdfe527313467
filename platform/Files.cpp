#include "platform/Files.h"

#include <atomic>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int kMostLinks = 40;

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

// A new file beside `target`, made exclusively so that no other file is ever opened by mistake.
int CreateBeside(const std::string& target, std::string* name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = target + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
        int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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

bool WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
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

FileReplaceOutcome Failed(FileReplaceStep step) {
    return FileReplaceOutcome{step, errno};
}

} // namespace

FILE* FileOpenForReading(const char* path) {
    return std::fopen(path, "rb");
}

FILE* FileOpenForWriting(const char* path) {
    return std::fopen(path, "wb");
}

FileReplaceOutcome FileReplace(const char* path, const void* bytes, size_t size) {
    std::string target = path ? path : "";
    if (target.empty()) {
        errno = ENOENT;
        return Failed(FileReplaceStep::resolve);
    }
    if (!ResolveLinks(&target))
        return Failed(FileReplaceStep::resolve);
    std::string temporary;
    int fd = CreateBeside(target, &temporary);
    if (fd < 0)
        return Failed(FileReplaceStep::create);
    TakeOverAttributes(fd, target);
    bool written = WriteAll(fd, static_cast<const char*>(bytes), size) && (fsync(fd) == 0 || errno == EINVAL);
    int error = errno;
    if (close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        unlink(temporary.c_str());
        return FileReplaceOutcome{FileReplaceStep::write, error};
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
        unlink(temporary.c_str());
        return FileReplaceOutcome{FileReplaceStep::rename, error};
    }
    return FileReplaceOutcome{FileReplaceStep::done, 0};
}
