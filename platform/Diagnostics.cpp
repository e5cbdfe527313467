#include "platform/Diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {
// Per thread, so that two threads loading at once each hear only their own diagnostics; trivially
// initialised, so loading the library runs no code.
thread_local brevant_diagnostic_sink threadSink = nullptr;
thread_local void* threadSinkUser = nullptr;

void Deliver(brevant_diagnostic_kind kind, int line, const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int length = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string message(1 + (length > 0 ? static_cast<size_t>(length) : 0), '\n');
    if (length > 0)
        vsnprintf(&message[1], message.size(), format, args);
    if (threadSink) {
        threadSink(threadSinkUser, kind, line, message.c_str() + 1, message.size() - 1);
        return;
    }
    // Written whole, so that a "%c" of the character 0 comes out as that byte rather than ending the message,
    // and so that messages of two threads do not interleave.
    fwrite(message.data(), 1, message.size(), stderr);
}
} // namespace

void Diagnose(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Deliver(BREVANT_DIAGNOSTIC_FAILURE, 0, format, args);
    va_end(args);
}

void DiagnoseAs(brevant_diagnostic_kind kind, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    Deliver(kind, line, format, args);
    va_end(args);
}

ScopedDiagnosticSink::ScopedDiagnosticSink(brevant_diagnostic_sink sink, void* user)
    : previous_(brevant_get_diagnostic_sink(&previousUser_)) {
    brevant_set_diagnostic_sink(sink, user);
}

ScopedDiagnosticSink::~ScopedDiagnosticSink() {
    brevant_set_diagnostic_sink(previous_, previousUser_);
}

extern "C" void brevant_set_diagnostic_sink(brevant_diagnostic_sink sink, void* user) {
    threadSink = sink;
    threadSinkUser = sink ? user : nullptr;
}

extern "C" brevant_diagnostic_sink brevant_get_diagnostic_sink(void** user) {
    if (user)
        *user = threadSinkUser;
    return threadSink;
}
