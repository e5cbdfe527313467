/* Diagnostics as data: a host installs a sink that receives each diagnostic the library would otherwise print
 * to standard error (the faulty lines of a file, load summaries, failures of misused calls).
 *
 * The sink belongs to the calling thread: installing one affects the diagnostics of calls made on that thread
 * only, so two threads that load at once each see their own file's diagnostics. A thread without a sink
 * prints to standard error, each diagnostic as one write of a line feed followed by its text. The modern C++
 * interface (<brevant/catalogue.hpp>) hands the diagnostics of its loads to its caller instead: they reach
 * neither the sink nor standard error. */
#ifndef BREVANT_DIAGNOSTICS_H
#define BREVANT_DIAGNOSTICS_H

#include <stddef.h>

#include "Export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum brevant_diagnostic_kind {
    BREVANT_DIAGNOSTIC_ERROR = 1,   /* a faulty line of an INI text file; it carries its line number */
    BREVANT_DIAGNOSTIC_WARNING = 2, /* reserved: no rule of the loader raises one today */
    BREVANT_DIAGNOSTIC_FAILURE =
        3, /* an operation failed (a file that cannot be opened, a damaged binary file) */
    BREVANT_DIAGNOSTIC_SUMMARY = 4 /* the closing line of a load: its error and warning counts */
} brevant_diagnostic_kind;

/* Receives one diagnostic. `text` is the exact text that would be printed, without the leading line feed; it
 * holds `length` bytes followed by a terminating NUL (a text may itself contain a NUL byte, so use `length`).
 * `line` is the 1-based line number of a faulty line, and 0 when the diagnostic has none. The text is valid
 * during the call only. The sink must not call back into the library on the same catalogue. */
typedef void (*brevant_diagnostic_sink)(void* user, brevant_diagnostic_kind kind, int line, const char* text,
                                        size_t length);

/* Installs `sink` with its `user` pointer for the calling thread, replacing the thread's previous sink; a
 * null `sink` restores printing to standard error. */
BREVANT_API void brevant_set_diagnostic_sink(brevant_diagnostic_sink sink, void* user);

/* The calling thread's sink and its user pointer (null when diagnostics go to standard error), so that a
 * caller can put back what it found. `user` may be null. */
BREVANT_API brevant_diagnostic_sink brevant_get_diagnostic_sink(void** user);

#ifdef __cplusplus
}
#endif

#endif
