#include "platform/Diagnostics.h"

#include <cstdarg>
#include <string>

namespace {
FILE* diagnosticStream = nullptr;
}

void DiagnosticsToStandardError() {
    diagnosticStream = stderr;
}

void Diagnose(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string message(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        vsnprintf(&message[0], message.size() + 1, format, args);
    va_end(args);
    // Written whole, so that a "%c" of the character 0 comes out as that byte rather than ending the message.
    message.insert(0, 1, '\n');
    fwrite(message.data(), 1, message.size(), diagnosticStream ? diagnosticStream : stderr);
}
