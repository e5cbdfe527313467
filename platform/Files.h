// The one place that opens, renames and inspects files by path. Paths are UTF-8, as the host passes them.
#pragma once

#include <cstddef>
#include <cstdio>

// An open file for reading or writing bytes ("rb", "wb"), or null with errno set.
FILE* FileOpenForReading(const char* path);
FILE* FileOpenForWriting(const char* path);

// How a replacement of a file's content ended: the step that failed, and the system's error number.
enum class FileReplaceStep { done, resolve, create, write, rename };
struct FileReplaceOutcome {
    FileReplaceStep step;
    int error;
};

// Puts `bytes` in place of the file's content without ever leaving it half written: symbolic links are
// followed to their target, the bytes go to a new file beside the target (with the target's permissions
// and, where allowed, its owner), every write, the flush to the disk and the close are checked, and the new
// file is renamed over the target. On any failure the target stays as it was and the new file is removed.
FileReplaceOutcome FileReplace(const char* path, const void* bytes, size_t size);
