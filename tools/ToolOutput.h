// Exit statuses and the way the tool talks to the person at the terminal.
#pragma once

#include <iostream>
#include <string>

enum ExitStatus {
    kExitOk = 0,     // everything went well
    kExitFaulty = 1, // the file had faulty lines, or a check failed
    kExitFailed = 2, // the file could not be loaded or written, or the arguments are wrong
};

inline void PrintError(const std::string& message) {
    std::cerr << "brevant: error: " << message << '\n';
}

inline void PrintWarning(const std::string& message) {
    std::cerr << "brevant: warning: " << message << '\n';
}

// A text in double quotes, as the person would type it.
inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

inline std::string Plural(long long count, const std::string& singular, const std::string& plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}
