// The library's one diagnostic helper: each message is one print to the diagnostic stream (standard error),
// beginning with a line feed and ending without one.
#pragma once

#include <cstdio>

void Diagnose(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Points the diagnostic stream at standard error again, as each new document object does.
void DiagnosticsToStandardError();
