// The library's one diagnostic helper: each message is one print to the calling thread's sink, or without a
// sink to standard error, beginning with a line feed and ending without one.
#pragma once

#include <brevant/diagnostics.h>

// A failure of an operation, without a line number.
void Diagnose(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A diagnostic of a given kind; `line` is the faulty line's number, or 0.
void DiagnoseAs(brevant_diagnostic_kind kind, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Installs a sink for the calling thread while it lives and puts the previous one back when it goes.
class ScopedDiagnosticSink {
  public:
    ScopedDiagnosticSink(brevant_diagnostic_sink sink, void* user);
    ~ScopedDiagnosticSink();
    ScopedDiagnosticSink(const ScopedDiagnosticSink&) = delete;
    ScopedDiagnosticSink& operator=(const ScopedDiagnosticSink&) = delete;

  private:
    brevant_diagnostic_sink previous_;
    void* previousUser_;
};
