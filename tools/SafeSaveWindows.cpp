// SafeSave.h on Windows. Paths are UTF-8 and reach the wide file functions; the standard streams carry bytes
// unchanged, so that a catalogue on standard output keeps its CR LF exactly. A save goes to a scratch file
// next to the target and replaces it in one move; a target with other hard links gets the checked bytes
// copied into it instead. Windows files have no owner or permission bits to carry over: the new file takes
// its directory's access rules, as any new file there does.
#include "SafeSave.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <sys/stat.h>

namespace {

std::wstring Wide(const std::string& utf8) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

std::string Utf8(const wchar_t* wide) {
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

// The C library's words for a Windows error, so that messages read the same as on other systems.
std::string Reason(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::strerror(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::strerror(ENOSPC);
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return std::strerror(EPIPE);
    }
    return "Windows error " + std::to_string(error);
}

std::string Reason() {
    return std::strerror(errno);
}

size_t SeparatorAt(const std::string& path) {
    return path.find_last_of("/\\");
}

std::string ScratchNameFor(const std::string& target, unsigned attempt) {
    size_t separator = SeparatorAt(target);
    std::string directory = separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
    std::string base = separator == std::string::npos ? target : target.substr(separator + 1);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lx%x", GetCurrentProcessId(), attempt);
    return directory + "." + base + suffix;
}

// Creates the scratch file next to `target`; answers its descriptor and name, or -1 with errno set.
int CreateNextTo(const std::string& target, std::string& name) {
    for (unsigned attempt = GetTickCount() & 0xffff, tries = 0; tries < 100; ++attempt, ++tries) {
        name = ScratchNameFor(target, attempt);
        int descriptor = _wopen(Wide(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                _S_IREAD | _S_IWRITE);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

bool WriteAll(int descriptor, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        unsigned chunk = static_cast<unsigned>(std::min<size_t>(bytes.size() - done, 1u << 30));
        int wrote = _write(descriptor, bytes.data() + done, chunk);
        if (wrote <= 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// Writes the bytes to a new or truncated file and flushes them to disk; errno says why not.
bool WriteAndClose(int descriptor, const std::string& bytes) {
    bool written = WriteAll(descriptor, bytes) && _commit(descriptor) == 0;
    int error = errno;
    if (_close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    errno = error;
    return written;
}

bool ReadAll(std::FILE* file, std::string& bytes) {
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    return !std::ferror(file);
}

// How many names the file has; 1 when it cannot be asked.
DWORD LinksOf(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    DWORD links = 1;
    if (file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information))
        links = information.nNumberOfLinks;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return links;
}

} // namespace

bool ReadInput(const std::string& path, std::string& bytes, std::string& reason) {
    bytes.clear();
    if (path == "-") {
        if (ReadAll(stdin, bytes))
            return true;
        reason = Reason();
        return false;
    }
    struct _stat64 status;
    if (_wstat64(Wide(path).c_str(), &status) == 0 && (status.st_mode & _S_IFDIR)) {
        reason = "it is a directory";
        return false;
    }
    std::FILE* file = _wfopen(Wide(path).c_str(), L"rb");
    if (file == nullptr) {
        reason = Reason();
        return false;
    }
    bool read = ReadAll(file, bytes);
    reason = read ? std::string() : Reason();
    std::fclose(file);
    return read;
}

std::string WriteOutput(const std::string& target, const std::string& bytes) {
    if (target == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
            return "cannot write standard output: " + Reason();
        return {};
    }
    std::wstring path = Wide(target);
    DWORD attributes = GetFileAttributesW(path.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return target +
               ": is a directory, not a catalogue file; name a regular file, or '-' for standard output";
    std::string scratch;
    int descriptor = CreateNextTo(target, scratch);
    if (descriptor < 0)
        return target + ": cannot write in its directory: " + Reason();
    if (!WriteAndClose(descriptor, bytes)) {
        int error = errno;
        _wunlink(Wide(scratch).c_str());
        errno = error;
        return target + ": cannot write: " + Reason() + "; it is left as it was";
    }
    if (exists && LinksOf(path) > 1) {
        int existing = _wopen(path.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
        if (existing < 0 || !WriteAndClose(existing, bytes))
            return target + ": cannot write: " + Reason() + "; the new content is kept in " + scratch;
        _wunlink(Wide(scratch).c_str());
        return {};
    }
    if (!MoveFileExW(Wide(scratch).c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        _wunlink(Wide(scratch).c_str());
        return target + ": cannot replace it: " + Reason(error) + "; it is left as it was";
    }
    return {};
}

std::string FlushStandardOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return "cannot write standard output: " + Reason();
    return {};
}

void PrepareStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int index = 0; wide != nullptr && index < count; ++index)
        arguments.push_back(Utf8(wide[index]));
    LocalFree(wide);
    return arguments;
}
