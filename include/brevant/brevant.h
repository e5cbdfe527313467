/* The C interface of Brevant: hoop catalogues through opaque handles, for C and for every language with a C
 * foreign-function interface (C#, Delphi, Rust, Python's ctypes, ...). C99; no C++ type or exception crosses
 * it.
 *
 *   brevant_catalogue* catalogue = NULL;
 *   brevant_diagnostics* diagnostics = NULL;
 *   brevant_status status = brevant_load_file("hoops.ini", BREVANT_FORM_AUTO, &catalogue, &diagnostics);
 *   if (status != BREVANT_OK)
 *       fprintf(stderr, "%s\n", brevant_status_name(status));
 *   ...
 *   brevant_diagnostics_free(diagnostics);
 *   brevant_catalogue_free(catalogue);
 *
 * Conventions:
 * - Every function but the three _free functions and brevant_status_name answers a brevant_status. On any
 *   status but BREVANT_OK nothing has changed and no out-parameter has been written, except where a function
 *   says otherwise.
 * - Hoops and mounts are addressed by 0-based positions; removing one shifts the later ones down by one.
 *   A position past the end gives BREVANT_BAD_INDEX.
 * - A null handle, a null text or a null out-parameter gives BREVANT_NULL_ARGUMENT. The handle is checked
 *   first, then the positions, then the other arguments.
 * - Texts are NUL-terminated bytes; paths are UTF-8.
 * - Coordinates are signed 32-bit integers in tenths of a millimetre. Rectangles are stored as given (left,
 *   top, right, bottom); nothing orders their edges.
 *
 * Ownership: the caller owns the handles it receives and frees each once with its own _free function. Every
 * pointer that the library hands out (a text, a diagnostic's message, the saved bytes) is borrowed from the
 * handle it came from: the caller never frees it, and it stays valid until that handle is next passed to a
 * function that takes it without const, or is freed. Copy what you keep longer. The library keeps no pointer
 * that the caller passes in beyond the call.
 *
 * Threads: different handles may be used on different threads at once. One handle is used by one thread at a
 * time; calls that take it as const may run side by side.
 */
#ifndef BREVANT_BREVANT_H
#define BREVANT_BREVANT_H

#include <stddef.h>
#include <stdint.h>

#include "Export.h"
#include "diagnostics.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status codes ---- */

typedef int brevant_status;

enum {
    BREVANT_OK = 0,
    /* A handle, text or out-parameter that must be given was null. */
    BREVANT_NULL_ARGUMENT = 1,
    /* A hoop or mount position past the end of its list. */
    BREVANT_BAD_INDEX = 2,
    /* An argument outside its range: an unknown form. */
    BREVANT_BAD_ARGUMENT = 3,
    /* The file could not be opened or read. */
    BREVANT_CANNOT_READ = 4,
    /* The file or the bytes hold no hoop catalogue; the diagnostics say why. */
    BREVANT_NOT_A_CATALOGUE = 5,
    /* A save failed: the file could not be created, written, flushed, closed or renamed. A file that was
     * there before is left as it was. */
    BREVANT_CANNOT_WRITE = 6,
    /* The memory ran out; nothing has changed. */
    BREVANT_OUT_OF_MEMORY = 7,
    /* An unexpected failure inside the library. */
    BREVANT_INTERNAL_ERROR = 8
};

/* The name of a status code, e.g. "BREVANT_BAD_INDEX"; "BREVANT_UNKNOWN_STATUS" for a number that is none.
 * A static text: never freed, always valid. */
BREVANT_API const char* brevant_status_name(brevant_status status);

/* ---- Handles and plain records ---- */

typedef struct brevant_catalogue brevant_catalogue;
typedef struct brevant_diagnostics brevant_diagnostics;

typedef struct brevant_point {
    int32_t x;
    int32_t y;
} brevant_point;

typedef struct brevant_rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} brevant_rect;

/* ---- Loading, saving, freeing a catalogue ---- */

/* How a load reads its source: INI text, the binary form, or chosen by the content (the binary form when the
 * bytes begin with its descriptor "INB" 0x08 0x0D 0x01, INI text otherwise, whatever the file is called). */
enum { BREVANT_FORM_AUTO = 0, BREVANT_FORM_TEXT = 1, BREVANT_FORM_BINARY = 2 };

/* A new, empty catalogue in *catalogue. */
BREVANT_API brevant_status brevant_catalogue_new(brevant_catalogue** catalogue);

/* Loads the catalogue at a UTF-8 path. On BREVANT_OK *catalogue is a new handle; on any other status it is
 * set to NULL. diagnostics may be NULL; otherwise *diagnostics receives the messages of the load (faulty
 * lines of the file, failures) whatever the status, or NULL when the memory ran out. Faulty lines alone do
 * not make a load fail. */
BREVANT_API brevant_status brevant_load_file(const char* path, int form, brevant_catalogue** catalogue,
                                             brevant_diagnostics** diagnostics);

/* The same for a catalogue held in memory: size bytes at data (data may be NULL when size is 0), read during
 * the call only. The same bytes as a file give the same catalogue and the same diagnostics. */
BREVANT_API brevant_status brevant_load_bytes(const void* data, size_t size, int form,
                                              brevant_catalogue** catalogue,
                                              brevant_diagnostics** diagnostics);

/* Saves the catalogue as INI text at a UTF-8 path: written into a new file beside the target and renamed
 * over it once every write, the flush and the close have succeeded; a symbolic link is followed to its target
 * and the target keeps its permissions. BREVANT_CANNOT_WRITE leaves an existing file as it was. */
BREVANT_API brevant_status brevant_catalogue_save(const brevant_catalogue* catalogue, const char* path);

/* The exact bytes brevant_catalogue_save writes: *data points to *size bytes (not NUL-terminated), borrowed
 * from the catalogue (see Ownership). */
BREVANT_API brevant_status brevant_catalogue_to_bytes(brevant_catalogue* catalogue, const char** data,
                                                      size_t* size);

/* Frees the catalogue and everything borrowed from it. NULL is allowed and does nothing. */
BREVANT_API void brevant_catalogue_free(brevant_catalogue* catalogue);

/* ---- Diagnostics of a load ---- */

/* Each diagnostic has a kind (brevant_diagnostic_kind of <brevant/diagnostics.h>: BREVANT_DIAGNOSTIC_ERROR
 * for a faulty line, _WARNING, _FAILURE, _SUMMARY), a line number and its exact text. */

BREVANT_API brevant_status brevant_diagnostics_count(const brevant_diagnostics* diagnostics, size_t* count);

/* Diagnostic number index, in the order they were reported. kind, line, message and length may each be NULL
 * to skip them. *line is the file's line number, or 0 when the diagnostic has none. *message is the exact
 * text the library would print without its leading line feed, NUL-terminated and borrowed from the
 * diagnostics handle; *length is its length in bytes (the text of a faulty line may hold a NUL byte itself).
 */
BREVANT_API brevant_status brevant_diagnostic(const brevant_diagnostics* diagnostics, size_t index, int* kind,
                                              int* line, const char** message, size_t* length);

/* Frees the diagnostics and their texts. NULL is allowed and does nothing. */
BREVANT_API void brevant_diagnostics_free(brevant_diagnostics* diagnostics);

/* ---- Hoops ---- */

BREVANT_API brevant_status brevant_hoop_count(const brevant_catalogue* catalogue, size_t* count);

/* Appends a hoop with empty texts, no points, no mounts, rotation 0 and all rectangles (0, 0, 0, 0); index
 * may be NULL, otherwise *index is its position. */
BREVANT_API brevant_status brevant_hoop_add(brevant_catalogue* catalogue, size_t* index);
BREVANT_API brevant_status brevant_hoop_remove(brevant_catalogue* catalogue, size_t hoop);

/* Texts: *text is borrowed from the catalogue (see Ownership); the setters copy the text. */
BREVANT_API brevant_status brevant_hoop_description(const brevant_catalogue* catalogue, size_t hoop,
                                                    const char** text);
BREVANT_API brevant_status brevant_hoop_set_description(brevant_catalogue* catalogue, size_t hoop,
                                                        const char* text);
BREVANT_API brevant_status brevant_hoop_shape(const brevant_catalogue* catalogue, size_t hoop,
                                              const char** text);
BREVANT_API brevant_status brevant_hoop_set_shape(brevant_catalogue* catalogue, size_t hoop,
                                                  const char* text);

/* The rotation in whole degrees, as stored. Setting it turns nothing: a hoop's rectangles and mount limits
 * are stored already turned. The saved file does not hold it; a loaded hoop has rotation 0. */
BREVANT_API brevant_status brevant_hoop_rotation(const brevant_catalogue* catalogue, size_t hoop,
                                                 int32_t* degrees);
BREVANT_API brevant_status brevant_hoop_set_rotation(brevant_catalogue* catalogue, size_t hoop,
                                                     int32_t degrees);

/* The sew field, the inner and the outer dimension, each replaced whole by its setter. */
BREVANT_API brevant_status brevant_hoop_sew_field(const brevant_catalogue* catalogue, size_t hoop,
                                                  brevant_rect* rect);
BREVANT_API brevant_status brevant_hoop_set_sew_field(brevant_catalogue* catalogue, size_t hoop,
                                                      const brevant_rect* rect);
BREVANT_API brevant_status brevant_hoop_inner_dim(const brevant_catalogue* catalogue, size_t hoop,
                                                  brevant_rect* rect);
BREVANT_API brevant_status brevant_hoop_set_inner_dim(brevant_catalogue* catalogue, size_t hoop,
                                                      const brevant_rect* rect);
BREVANT_API brevant_status brevant_hoop_outer_dim(const brevant_catalogue* catalogue, size_t hoop,
                                                  brevant_rect* rect);
BREVANT_API brevant_status brevant_hoop_set_outer_dim(brevant_catalogue* catalogue, size_t hoop,
                                                      const brevant_rect* rect);

/* The outline: copies the first min(capacity, n) of the hoop's n points into the caller's array and sets
 * *count to n, so a call with capacity 0 (points may then be NULL) asks for the number. */
BREVANT_API brevant_status brevant_hoop_points(const brevant_catalogue* catalogue, size_t hoop,
                                               brevant_point* points, size_t capacity, size_t* count);
/* Replaces the outline with a copy of count points (points may be NULL when count is 0). */
BREVANT_API brevant_status brevant_hoop_set_points(brevant_catalogue* catalogue, size_t hoop,
                                                   const brevant_point* points, size_t count);

/* ---- Mounts of a hoop ---- */

BREVANT_API brevant_status brevant_mount_count(const brevant_catalogue* catalogue, size_t hoop,
                                               size_t* count);

/* Appends a mount with an empty label and every number 0; index may be NULL, otherwise *index is its
 * position. */
BREVANT_API brevant_status brevant_mount_add(brevant_catalogue* catalogue, size_t hoop, size_t* index);
BREVANT_API brevant_status brevant_mount_remove(brevant_catalogue* catalogue, size_t hoop, size_t mount);

/* The label: *text is borrowed from the catalogue (see Ownership); the setter copies the text. */
BREVANT_API brevant_status brevant_mount_label(const brevant_catalogue* catalogue, size_t hoop, size_t mount,
                                               const char** text);
BREVANT_API brevant_status brevant_mount_set_label(brevant_catalogue* catalogue, size_t hoop, size_t mount,
                                                   const char* text);

/* The numbers of a mount: its id, its own rotation in degrees, and its travel limits. */
enum {
    BREVANT_MOUNT_ID = 0,
    BREVANT_MOUNT_ROTATION = 1,
    BREVANT_MOUNT_LOW_X = 2,
    BREVANT_MOUNT_HIGH_X = 3,
    BREVANT_MOUNT_LOW_Y = 4,
    BREVANT_MOUNT_HIGH_Y = 5
};

/* Reads or sets one number of a mount, named by a BREVANT_MOUNT_ constant (another gives
 * BREVANT_BAD_ARGUMENT). */
BREVANT_API brevant_status brevant_mount_number(const brevant_catalogue* catalogue, size_t hoop, size_t mount,
                                                int field, int32_t* value);
BREVANT_API brevant_status brevant_mount_set_number(brevant_catalogue* catalogue, size_t hoop, size_t mount,
                                                    int field, int32_t value);

#ifdef __cplusplus
}
#endif

#endif
