#include "SafeSave.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int descriptor, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

bool ReadAll(int descriptor, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

// The file a path names once every symbolic link on the way is followed; a link to a file that does not
// exist yet names that new file. Answers false with errno set when the links go round in circles.
bool FollowLinks(std::string& path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true;
        std::vector<char> target(static_cast<size_t>(status.st_size > 0 ? status.st_size : 4096) + 1);
        ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return false;
        std::string next(target.data(), static_cast<size_t>(length));
        path = next[0] == '/' ? next : DirectoryOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// Creates the scratch file next to `target`; answers its descriptor and name, or -1 with errno set.
int CreateNextTo(const std::string& target, std::string& name) {
    std::string pattern = DirectoryOf(target) + "/." + BaseNameOf(target) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int descriptor = mkstemp(buffer.data());
    if (descriptor >= 0)
        name = buffer.data();
    return descriptor;
}

mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives the scratch file the target's permissions and owner. False when the owner cannot be given.
bool TakeOver(int descriptor, const struct stat* existing) {
    if (existing == nullptr)
        return fchmod(descriptor, NewFileMode()) == 0;
    if (existing->st_uid != geteuid() || existing->st_gid != getegid()) {
        if (fchown(descriptor, existing->st_uid, existing->st_gid) != 0)
            return false;
    }
    return fchmod(descriptor, existing->st_mode & 07777) == 0;
}

// Copies the bytes into the existing file itself, which keeps its hard links, owner and permissions.
bool OverwriteInPlace(const std::string& path, const std::string& bytes) {
    int descriptor = open(path.c_str(), O_WRONLY | O_TRUNC);
    if (descriptor < 0)
        return false;
    bool written = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
    int error = errno;
    if (close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    errno = error;
    return written;
}

std::string Reason() {
    return std::strerror(errno);
}

std::string WriteStandardOutput(const std::string& bytes) {
    std::fflush(stdout);
    if (!WriteAll(STDOUT_FILENO, bytes))
        return "cannot write standard output: " + Reason();
    return {};
}

} // namespace

bool ReadInput(const std::string& path, std::string& bytes, std::string& reason) {
    bytes.clear();
    if (path == "-") {
        if (ReadAll(STDIN_FILENO, bytes))
            return true;
        reason = Reason();
        return false;
    }
    int descriptor = open(path.c_str(), O_RDONLY);
    if (descriptor < 0) {
        reason = Reason();
        return false;
    }
    struct stat status;
    if (fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(descriptor);
        reason = "it is a directory";
        return false;
    }
    bool read = ReadAll(descriptor, bytes);
    reason = read ? std::string() : Reason();
    close(descriptor);
    return read;
}

std::string WriteOutput(const std::string& target, const std::string& bytes) {
    if (target == "-")
        return WriteStandardOutput(bytes);
    std::string path = target;
    if (!FollowLinks(path))
        return target + ": cannot follow the link: " + Reason();
    struct stat status;
    bool exists = stat(path.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode))
        return target + ": is " + KindOf(status.st_mode) +
               ", not a catalogue file; name a regular file, or '-' for standard output";
    std::string scratch;
    int descriptor = CreateNextTo(path, scratch);
    if (descriptor < 0)
        return target + ": cannot write in its directory: " + Reason();
    bool owned = TakeOver(descriptor, exists ? &status : nullptr);
    bool written = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
    int error = errno;
    if (close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        unlink(scratch.c_str());
        errno = error;
        return target + ": cannot write: " + Reason() + "; it is left as it was";
    }
    if (exists && (status.st_nlink > 1 || !owned)) {
        if (!OverwriteInPlace(path, bytes))
            return target + ": cannot write: " + Reason() + "; the new content is kept in " + scratch;
        unlink(scratch.c_str());
        return {};
    }
    if (rename(scratch.c_str(), path.c_str()) != 0) {
        error = errno;
        unlink(scratch.c_str());
        errno = error;
        return target + ": cannot replace it: " + Reason() + "; it is left as it was";
    }
    return {};
}

std::string FlushStandardOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return "cannot write standard output: " + Reason();
    return {};
}

void PrepareStandardStreams() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}
