// Exit statuses and the way the tool talks to the person at the terminal.
#pragma once

#include <iostream>
#include <string>

enum ExitStatus {
    kExitOk = 0,     // everything went well
    kExitFaulty = 1, // the file had faulty lines, or a check failed
    kExitFailed = 2, // the file could not be loaded or written, or the arguments are wrong
};

// Every message to the person goes to standard error in one form, "brevant: FILE:LINE: message", and says
// what to do; a message that concerns no file is "brevant: message".
inline void PrintError(const std::string& message) {
    std::cerr << "brevant: " << message << '\n';
}

// A warning takes the same form; it says what happened that the person may not expect.
inline void PrintWarning(const std::string& message) {
    PrintError(message);
}

// A text in double quotes, as the person would type it.
inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

inline std::string Plural(long long count, const std::string& singular, const std::string& plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}
