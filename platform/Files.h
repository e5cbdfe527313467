// The one place that opens, renames and inspects files by path. Paths are UTF-8, as the host passes them,
// except those of the classic interface.
#pragma once

#include <cstddef>
#include <cstdio>

// How a path's bytes name a file. UTF-8 paths reach Windows' wide file functions converted to UTF-16; the
// classic interface's paths go to the C runtime as they are, which on Windows reads them in the process's
// ANSI code page as the "A" functions do. Elsewhere both are passed through.
enum class PathEncoding { utf8, system };

// An open file for reading or writing bytes ("rb", "wb": no line-end translation anywhere), or null with
// errno set.
FILE* FileOpenForReading(const char* path, PathEncoding encoding = PathEncoding::utf8);
FILE* FileOpenForWriting(const char* path, PathEncoding encoding = PathEncoding::utf8);

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
