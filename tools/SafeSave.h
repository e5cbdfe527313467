// Every way the tool touches the file system: reading an input (a path, or "-" for standard input) and
// writing an output so that nothing is ever half-written or replaced behind a link.
//
// SafeSave.cpp (POSIX systems) and SafeSaveWindows.cpp hold the tool's only operating-system code; the rest
// of the tool only sees bytes and messages.
//
// WriteOutput(target, bytes) is the only way the tool writes a file:
//  - "-" writes to standard output; every write is checked.
//  - A symbolic link is followed: the file it points to is written, and the link stays a link.
//  - An existing target must be a regular file; a directory, device, pipe or socket is refused.
//  - The bytes go to a scratch file next to the target first and are flushed to disk; then the scratch file
//    takes the target's place in one rename, with the target's permissions and owner. When the target has
//    other hard links, or its owner cannot be given to a new file, the checked bytes are copied into the
//    target itself instead, so that every link and the owner stay; if that copy fails, the scratch file is
//    kept and named.
#pragma once

#include <string>
#include <vector>

// Reads a whole input. "-" reads standard input to its end. On failure answers false with the reason in plain
// words ("No such file or directory", "it is a directory").
bool ReadInput(const std::string& path, std::string& bytes, std::string& reason);

// Writes `bytes` to `target` as described above. Answers an empty text, or what went wrong in words that
// start with the target's name and say what to do.
std::string WriteOutput(const std::string& target, const std::string& bytes);

// Flushes standard output and answers an empty text, or why it failed ("No space left on device").
std::string FlushStandardOutput();

// A closed pipe makes writes fail with an error the tool reports, instead of ending the process silently; the
// standard streams carry bytes unchanged (Windows would turn LF into CR LF).
void PrepareStandardStreams();

// The command line as UTF-8 texts, whatever the system's own code page (Windows hands main() its ANSI code
// page).
std::vector<std::string> CommandLineArguments(int argc, char** argv);
