/* The C interface used from C11 as a host uses it: every function, its results and its failures.
 *
 *   c_api_test SOURCE_DIR WORK_DIR
 */
#define _POSIX_C_SOURCE 200809L

#include <brevant/brevant.h>

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <threads.h>

static int failures;

#define CHECK(condition)                                                                                     \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition);                          \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

#define CHECK_STATUS(call, expected)                                                                         \
    do {                                                                                                     \
        brevant_status status_ = (call);                                                                     \
        if (status_ != (expected)) {                                                                         \
            fprintf(stderr, "%s:%d: %s gave %s, expected %s\n", __FILE__, __LINE__, #call,                   \
                    brevant_status_name(status_), brevant_status_name(expected));                            \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

static const char* source_dir;
static const char* work_dir;

typedef struct path {
    char text[4096];
} path;

static path path_in(const char* dir, const char* name) {
    path joined;
    if (snprintf(joined.text, sizeof joined.text, "%s/%s", dir, name) >= (int)sizeof joined.text) {
        fprintf(stderr, "path too long: %s/%s\n", dir, name);
        exit(2);
    }
    return joined;
}

/* The whole file in a malloc'd buffer; NULL when it cannot be read. */
static char* read_whole(const char* path, size_t* size) {
    FILE* file = fopen(path, "rb");
    if (file == NULL)
        return NULL;
    char* data = NULL;
    size_t used = 0;
    size_t room = 0;
    for (;;) {
        if (used == room) {
            room = room ? room * 2 : 65536;
            char* grown = realloc(data, room);
            if (grown == NULL)
                break;
            data = grown;
        }
        size_t got = fread(data + used, 1, room - used, file);
        if (got == 0)
            break;
        used += got;
    }
    fclose(file);
    *size = used;
    return data;
}

static int same_bytes(const char* a, size_t a_size, const char* b, size_t b_size) {
    return a_size == b_size && memcmp(a, b, a_size) == 0;
}

/* ---- Status names ---- */

static void status_names_are_distinct(void) {
    const brevant_status codes[] = {BREVANT_OK,           BREVANT_NULL_ARGUMENT, BREVANT_BAD_INDEX,
                                    BREVANT_BAD_ARGUMENT, BREVANT_CANNOT_READ,   BREVANT_NOT_A_CATALOGUE,
                                    BREVANT_CANNOT_WRITE, BREVANT_OUT_OF_MEMORY, BREVANT_INTERNAL_ERROR};
    const size_t count = sizeof codes / sizeof codes[0];
    for (size_t i = 0; i < count; ++i) {
        const char* name = brevant_status_name(codes[i]);
        CHECK(strncmp(name, "BREVANT_", 8) == 0);
        CHECK(strcmp(name, "BREVANT_UNKNOWN_STATUS") != 0);
        for (size_t j = 0; j < i; ++j)
            CHECK(strcmp(name, brevant_status_name(codes[j])) != 0);
    }
    CHECK(strcmp(brevant_status_name(BREVANT_OK), "BREVANT_OK") == 0);
    CHECK(strcmp(brevant_status_name(BREVANT_BAD_INDEX), "BREVANT_BAD_INDEX") == 0);
    CHECK(strcmp(brevant_status_name(-1), "BREVANT_UNKNOWN_STATUS") == 0);
    CHECK(strcmp(brevant_status_name(BREVANT_INTERNAL_ERROR + 1), "BREVANT_UNKNOWN_STATUS") == 0);
}

/* ---- Building a catalogue gives the exact saved text ---- */

static const char one_hoop_text[] =
    "[hoops]\r\ntext=\"\"\r\n\r\n"
    "[hoops.hoop0]\r\ndescription=\"Small\"\r\nshape=\"Oval\"\r\ntext=\"\"\r\n"
    "points=-500,0,0,500,500,0\r\n\r\n"
    "[hoops.hoop0.sewfield]\r\nrect=-400,400,400,-400\r\ntext=\"\"\r\n\r\n"
    "[hoops.hoop0.innerdim]\r\nrect=-450,450,450,-450\r\ntext=\"\"\r\n\r\n"
    "[hoops.hoop0.outerdim]\r\nrect=-600,600,600,-600\r\ntext=\"\"\r\n\r\n"
    "[hoops.hoop0.mounts]\r\ntext=\"\"\r\n\r\n"
    "[hoops.hoop0.mounts.mount0]\r\nid=2\r\nlabel=\"Left\"\r\nrotation=90\r\n"
    "lowhighxy=0,0,-100,100\r\ntext=\"\"\r\n\r\n";

static brevant_catalogue* build_one_hoop(void) {
    brevant_catalogue* catalogue = NULL;
    size_t hoop = 99, mount = 99;
    CHECK_STATUS(brevant_catalogue_new(&catalogue), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_add(catalogue, &hoop), BREVANT_OK);
    CHECK(hoop == 0);
    CHECK_STATUS(brevant_hoop_set_description(catalogue, hoop, "Small"), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_shape(catalogue, hoop, "Oval"), BREVANT_OK);
    const brevant_point outline[] = {{-500, 0}, {0, 500}, {500, 0}};
    CHECK_STATUS(brevant_hoop_set_points(catalogue, hoop, outline, 3), BREVANT_OK);
    const brevant_rect sew = {-400, 400, 400, -400}, inner = {-450, 450, 450, -450},
                       outer = {-600, 600, 600, -600};
    CHECK_STATUS(brevant_hoop_set_sew_field(catalogue, hoop, &sew), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_inner_dim(catalogue, hoop, &inner), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_outer_dim(catalogue, hoop, &outer), BREVANT_OK);
    CHECK_STATUS(brevant_mount_add(catalogue, hoop, &mount), BREVANT_OK);
    CHECK(mount == 0);
    CHECK_STATUS(brevant_mount_set_label(catalogue, hoop, mount, "Left"), BREVANT_OK);
    const int32_t numbers[][2] = {{BREVANT_MOUNT_ID, 2},       {BREVANT_MOUNT_ROTATION, 90},
                                  {BREVANT_MOUNT_LOW_X, 0},    {BREVANT_MOUNT_HIGH_X, 0},
                                  {BREVANT_MOUNT_LOW_Y, -100}, {BREVANT_MOUNT_HIGH_Y, 100}};
    for (size_t i = 0; i < sizeof numbers / sizeof numbers[0]; ++i)
        CHECK_STATUS(brevant_mount_set_number(catalogue, hoop, mount, numbers[i][0], numbers[i][1]),
                     BREVANT_OK);
    return catalogue;
}

static void building_gives_the_exact_text(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    const char* data = NULL;
    size_t size = 0;
    CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &data, &size), BREVANT_OK);
    CHECK(same_bytes(data, size, one_hoop_text, sizeof one_hoop_text - 1));

    /* The saved file holds the same bytes, and loads back as the same catalogue without diagnostics but the
     * summary. */
    const path saved_path = path_in(work_dir, "one_hoop.ini");
    const char* path = saved_path.text;
    CHECK_STATUS(brevant_catalogue_save(catalogue, path), BREVANT_OK);
    size_t file_size = 0;
    char* file = read_whole(path, &file_size);
    CHECK(file != NULL && same_bytes(file, file_size, one_hoop_text, sizeof one_hoop_text - 1));
    free(file);

    brevant_catalogue* again = NULL;
    brevant_diagnostics* diagnostics = NULL;
    CHECK_STATUS(brevant_load_file(path, BREVANT_FORM_AUTO, &again, &diagnostics), BREVANT_OK);
    const char* again_data = NULL;
    size_t again_size = 0;
    CHECK_STATUS(brevant_catalogue_to_bytes(again, &again_data, &again_size), BREVANT_OK);
    CHECK(same_bytes(again_data, again_size, one_hoop_text, sizeof one_hoop_text - 1));
    size_t count = 99;
    int kind = 0;
    CHECK_STATUS(brevant_diagnostics_count(diagnostics, &count), BREVANT_OK);
    CHECK(count == 1);
    CHECK_STATUS(brevant_diagnostic(diagnostics, 0, &kind, NULL, NULL, NULL), BREVANT_OK);
    CHECK(kind == BREVANT_DIAGNOSTIC_SUMMARY);
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(again);

    /* An empty catalogue is the first section alone. */
    brevant_catalogue* empty = NULL;
    CHECK_STATUS(brevant_catalogue_new(&empty), BREVANT_OK);
    CHECK_STATUS(brevant_catalogue_to_bytes(empty, &data, &size), BREVANT_OK);
    static const char empty_text[] = "[hoops]\r\ntext=\"\"\r\n\r\n";
    CHECK(same_bytes(data, size, empty_text, sizeof empty_text - 1));
    brevant_catalogue_free(empty);
    brevant_catalogue_free(catalogue);
}

/* ---- Reading a loaded catalogue: from a file, from bytes, text and binary forms ---- */

static void check_sample(brevant_catalogue* catalogue) {
    size_t count = 0;
    CHECK_STATUS(brevant_hoop_count(catalogue, &count), BREVANT_OK);
    CHECK(count >= 3);
    const char* text = NULL;
    CHECK_STATUS(brevant_hoop_description(catalogue, 1, &text), BREVANT_OK);
    CHECK(text != NULL && strcmp(text, "Round 100 mm") == 0);
    CHECK_STATUS(brevant_hoop_shape(catalogue, 1, &text), BREVANT_OK);
    CHECK(text != NULL && strcmp(text, "round") == 0);
    brevant_rect rect = {0, 0, 0, 0};
    CHECK_STATUS(brevant_hoop_sew_field(catalogue, 1, &rect), BREVANT_OK);
    CHECK(rect.left == -340 && rect.top == 340 && rect.right == 340 && rect.bottom == -340);
    CHECK_STATUS(brevant_hoop_inner_dim(catalogue, 1, &rect), BREVANT_OK);
    CHECK(rect.left == -500 && rect.top == 500 && rect.right == 500 && rect.bottom == -500);
    CHECK_STATUS(brevant_hoop_outer_dim(catalogue, 1, &rect), BREVANT_OK);
    CHECK(rect.left == -560 && rect.top == 560 && rect.right == 560 && rect.bottom == -560);
    int32_t degrees = 7;
    CHECK_STATUS(brevant_hoop_rotation(catalogue, 1, &degrees), BREVANT_OK);
    CHECK(degrees == 0);

    /* Points: the count first, then a buffer too small for all of them is filled only as far as it goes. */
    size_t points = 0;
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, NULL, 0, &points), BREVANT_OK);
    CHECK(points == 36);
    brevant_point first[3] = {{0, 0}, {0, 0}, {111, 222}};
    size_t reported = 0;
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, first, 2, &reported), BREVANT_OK);
    CHECK(reported == 36);
    CHECK(first[0].x == 500 && first[0].y == 0 && first[1].x == 492 && first[1].y == 87);
    CHECK(first[2].x == 111 && first[2].y == 222);

    size_t mounts = 0;
    CHECK_STATUS(brevant_mount_count(catalogue, 1, &mounts), BREVANT_OK);
    CHECK(mounts == 1);
    CHECK_STATUS(brevant_mount_label(catalogue, 1, 0, &text), BREVANT_OK);
    CHECK(text != NULL && strcmp(text, "Standard") == 0);
    int32_t value = 0;
    CHECK_STATUS(brevant_mount_number(catalogue, 1, 0, BREVANT_MOUNT_ID, &value), BREVANT_OK);
    CHECK(value == 1);
    CHECK_STATUS(brevant_mount_count(catalogue, 0, &mounts), BREVANT_OK);
    CHECK(mounts == 0);
}

static void file_and_bytes_give_the_same_catalogue(void) {
    const path ini = path_in(source_dir, "examples/hoops.ini"),
               inb = path_in(source_dir, "examples/hoops.inb");
    const char* ini_path = ini.text;
    const char* inb_path = inb.text;

    brevant_catalogue* from_file = NULL;
    CHECK_STATUS(brevant_load_file(ini_path, BREVANT_FORM_AUTO, &from_file, NULL), BREVANT_OK);
    check_sample(from_file);
    const char* expected = NULL;
    size_t expected_size = 0;
    CHECK_STATUS(brevant_catalogue_to_bytes(from_file, &expected, &expected_size), BREVANT_OK);

    /* The same text from memory, the binary form from a file and from memory (by content, and named). */
    struct {
        const char* path;
        int from_memory;
        int form;
    } sources[] = {{ini_path, 1, BREVANT_FORM_AUTO},
                   {ini_path, 1, BREVANT_FORM_TEXT},
                   {inb_path, 0, BREVANT_FORM_AUTO},
                   {inb_path, 1, BREVANT_FORM_AUTO},
                   {inb_path, 1, BREVANT_FORM_BINARY}};
    for (size_t i = 0; i < sizeof sources / sizeof sources[0]; ++i) {
        brevant_catalogue* catalogue = NULL;
        brevant_diagnostics* diagnostics = NULL;
        if (sources[i].from_memory) {
            size_t size = 0;
            char* data = read_whole(sources[i].path, &size);
            CHECK(data != NULL);
            CHECK_STATUS(brevant_load_bytes(data, size, sources[i].form, &catalogue, &diagnostics),
                         BREVANT_OK);
            free(data);
        } else {
            CHECK_STATUS(brevant_load_file(sources[i].path, sources[i].form, &catalogue, &diagnostics),
                         BREVANT_OK);
        }
        if (catalogue == NULL) {
            fprintf(stderr, "  source %zu did not load\n", i);
            continue;
        }
        check_sample(catalogue);
        const char* data = NULL;
        size_t size = 0;
        CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &data, &size), BREVANT_OK);
        CHECK(same_bytes(data, size, expected, expected_size));
        brevant_diagnostics_free(diagnostics);
        brevant_catalogue_free(catalogue);
    }
    brevant_catalogue_free(from_file);
}

/* ---- Diagnostics as data ---- */

static void faulty_lines_come_as_diagnostics(void) {
    static const char text[] = "[hoops]\nabc\n[hoops.hoop0]\ndescription=\"Kept\"\nsize=+5\n";
    brevant_catalogue* catalogue = NULL;
    brevant_diagnostics* diagnostics = NULL;
    CHECK_STATUS(brevant_load_bytes(text, sizeof text - 1, BREVANT_FORM_TEXT, &catalogue, &diagnostics),
                 BREVANT_OK);
    size_t hoops = 0;
    CHECK_STATUS(brevant_hoop_count(catalogue, &hoops), BREVANT_OK);
    CHECK(hoops == 1);

    struct {
        int kind;
        int line;
        const char* message;
    } expected[] = {
        {BREVANT_DIAGNOSTIC_ERROR, 2, "Error : Line <0002> - Syntax error."},
        {BREVANT_DIAGNOSTIC_ERROR, 5, "Error : Line <0005> - Errornous, incomplete or incompatible value!"},
        {BREVANT_DIAGNOSTIC_SUMMARY, 0, "Loaded INI file - Errors <0002> Warnings <0000>."},
    };
    size_t count = 0;
    CHECK_STATUS(brevant_diagnostics_count(diagnostics, &count), BREVANT_OK);
    CHECK(count == sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < count && i < sizeof expected / sizeof expected[0]; ++i) {
        int kind = -1, line = -1;
        const char* message = NULL;
        size_t length = 0;
        CHECK_STATUS(brevant_diagnostic(diagnostics, i, &kind, &line, &message, &length), BREVANT_OK);
        CHECK(kind == expected[i].kind);
        CHECK(line == expected[i].line);
        CHECK(message != NULL && strcmp(message, expected[i].message) == 0);
        CHECK(length == strlen(expected[i].message));
    }
    int kind = -1;
    CHECK_STATUS(brevant_diagnostic(diagnostics, count, &kind, NULL, NULL, NULL), BREVANT_BAD_INDEX);
    CHECK(kind == -1);
    CHECK_STATUS(brevant_diagnostics_count(NULL, &count), BREVANT_NULL_ARGUMENT);
    CHECK_STATUS(brevant_diagnostics_count(diagnostics, NULL), BREVANT_NULL_ARGUMENT);
    CHECK_STATUS(brevant_diagnostic(NULL, 0, &kind, NULL, NULL, NULL), BREVANT_NULL_ARGUMENT);
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(catalogue);
}

/* ---- Loads that fail ---- */

static void failed_loads_say_why(void) {
    struct {
        const char* name;
        const char* text; /* NULL: load the path below instead */
        const char* path;
        int form;
        brevant_status status;
        int failure_reported;
    } cases[] = {
        {"first section is not hoops", "[other]\r\n[hoops]\r\n", NULL, BREVANT_FORM_TEXT,
         BREVANT_NOT_A_CATALOGUE, 0},
        {"no section at all", "", NULL, BREVANT_FORM_AUTO, BREVANT_NOT_A_CATALOGUE, 0},
        {"binary form that is not one", "[hoops]\r\n", NULL, BREVANT_FORM_BINARY, BREVANT_NOT_A_CATALOGUE, 1},
        {"missing file", NULL, "no/such/dir/hoops.ini", BREVANT_FORM_AUTO, BREVANT_CANNOT_READ, 0},
        {"unknown form", "[hoops]\r\n", NULL, 7, BREVANT_BAD_ARGUMENT, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        brevant_catalogue* catalogue = (brevant_catalogue*)&cases[i]; /* must be overwritten with NULL */
        brevant_diagnostics* diagnostics = NULL;
        brevant_status status = cases[i].text ? brevant_load_bytes(cases[i].text, strlen(cases[i].text),
                                                                   cases[i].form, &catalogue, &diagnostics)
                                              : brevant_load_file(path_in(work_dir, cases[i].path).text,
                                                                  cases[i].form, &catalogue, &diagnostics);
        if (status != cases[i].status)
            fprintf(stderr, "  %s: %s\n", cases[i].name, brevant_status_name(status));
        CHECK(status == cases[i].status);
        CHECK(catalogue == NULL);
        size_t count = 0;
        int failures_seen = 0;
        if (diagnostics != NULL && brevant_diagnostics_count(diagnostics, &count) == BREVANT_OK) {
            for (size_t d = 0; d < count; ++d) {
                int kind = 0;
                const char* message = NULL;
                brevant_diagnostic(diagnostics, d, &kind, NULL, &message, NULL);
                failures_seen +=
                    kind == BREVANT_DIAGNOSTIC_FAILURE && strncmp(message, "Failure : ", 10) == 0;
            }
        }
        if ((failures_seen > 0) != cases[i].failure_reported)
            fprintf(stderr, "  %s: %d failure diagnostics\n", cases[i].name, failures_seen);
        CHECK((failures_seen > 0) == cases[i].failure_reported);
        brevant_diagnostics_free(diagnostics);
    }

    /* Diagnostics are optional, and a null path, source or out-parameter is refused. */
    brevant_catalogue* catalogue = NULL;
    CHECK_STATUS(brevant_load_bytes("", 0, BREVANT_FORM_AUTO, &catalogue, NULL), BREVANT_NOT_A_CATALOGUE);
    CHECK_STATUS(brevant_load_bytes(NULL, 0, BREVANT_FORM_AUTO, &catalogue, NULL), BREVANT_NOT_A_CATALOGUE);
    CHECK_STATUS(brevant_load_bytes(NULL, 5, BREVANT_FORM_AUTO, &catalogue, NULL), BREVANT_NULL_ARGUMENT);
    CHECK_STATUS(brevant_load_bytes("[hoops]", 7, BREVANT_FORM_AUTO, NULL, NULL), BREVANT_NULL_ARGUMENT);
    CHECK_STATUS(brevant_load_file(NULL, BREVANT_FORM_AUTO, &catalogue, NULL), BREVANT_NULL_ARGUMENT);
    CHECK_STATUS(brevant_load_file("x.ini", BREVANT_FORM_AUTO, NULL, NULL), BREVANT_NULL_ARGUMENT);
    CHECK_STATUS(brevant_catalogue_new(NULL), BREVANT_NULL_ARGUMENT);
    CHECK(catalogue == NULL);
}

/* ---- Editing ---- */

static void edits_change_what_they_name(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    size_t hoop = 0;
    CHECK_STATUS(brevant_hoop_add(catalogue, &hoop), BREVANT_OK);
    CHECK(hoop == 1);
    CHECK_STATUS(brevant_hoop_add(catalogue, NULL), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_description(catalogue, 2, "Third"), BREVANT_OK);

    /* A new hoop is empty. */
    const char* text = NULL;
    brevant_rect rect = {1, 1, 1, 1};
    size_t count = 9;
    CHECK_STATUS(brevant_hoop_description(catalogue, 1, &text), BREVANT_OK);
    CHECK(text != NULL && text[0] == '\0');
    CHECK_STATUS(brevant_hoop_outer_dim(catalogue, 1, &rect), BREVANT_OK);
    CHECK(rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, NULL, 0, &count), BREVANT_OK);
    CHECK(count == 0);

    /* Removing hoop 1 moves "Third" to position 1. */
    CHECK_STATUS(brevant_hoop_remove(catalogue, 1), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_count(catalogue, &count), BREVANT_OK);
    CHECK(count == 2);
    CHECK_STATUS(brevant_hoop_description(catalogue, 1, &text), BREVANT_OK);
    CHECK(text != NULL && strcmp(text, "Third") == 0);

    /* Each mount number is its own field. */
    size_t mount = 0;
    CHECK_STATUS(brevant_mount_add(catalogue, 0, &mount), BREVANT_OK);
    CHECK(mount == 1);
    for (int field = BREVANT_MOUNT_ID; field <= BREVANT_MOUNT_HIGH_Y; ++field)
        CHECK_STATUS(brevant_mount_set_number(catalogue, 0, 1, field, 1000 + field), BREVANT_OK);
    for (int field = BREVANT_MOUNT_ID; field <= BREVANT_MOUNT_HIGH_Y; ++field) {
        int32_t value = 0;
        CHECK_STATUS(brevant_mount_number(catalogue, 0, 1, field, &value), BREVANT_OK);
        CHECK(value == 1000 + field);
    }
    const char* saved = NULL;
    size_t saved_size = 0;
    CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &saved, &saved_size), BREVANT_OK);
    static const char numbers[] =
        "id=1000\r\nlabel=\"\"\r\nrotation=1001\r\nlowhighxy=1002,1003,1004,1005\r\n";
    CHECK(saved != NULL && strstr(saved, numbers) != NULL);
    CHECK_STATUS(brevant_mount_set_label(catalogue, 0, 1, "Second"), BREVANT_OK);
    CHECK_STATUS(brevant_mount_remove(catalogue, 0, 0), BREVANT_OK);
    CHECK_STATUS(brevant_mount_count(catalogue, 0, &count), BREVANT_OK);
    CHECK(count == 1);
    CHECK_STATUS(brevant_mount_label(catalogue, 0, 0, &text), BREVANT_OK);
    CHECK(text != NULL && strcmp(text, "Second") == 0);

    /* Setting a label from its own borrowed text keeps it. */
    CHECK_STATUS(brevant_mount_set_label(catalogue, 0, 0, text), BREVANT_OK);
    CHECK_STATUS(brevant_mount_label(catalogue, 0, 0, &text), BREVANT_OK);
    CHECK(text != NULL && strcmp(text, "Second") == 0);

    /* The rotation is stored as it is given, and turns nothing. */
    const brevant_rect sew = {-100, 50, 100, -50};
    CHECK_STATUS(brevant_hoop_set_sew_field(catalogue, 1, &sew), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_rotation(catalogue, 1, 450), BREVANT_OK);
    int32_t degrees = 0;
    CHECK_STATUS(brevant_hoop_rotation(catalogue, 1, &degrees), BREVANT_OK);
    CHECK(degrees == 450);
    CHECK_STATUS(brevant_hoop_rotation(catalogue, 0, &degrees), BREVANT_OK);
    CHECK(degrees == 0);
    CHECK_STATUS(brevant_hoop_sew_field(catalogue, 1, &rect), BREVANT_OK);
    CHECK(rect.left == -100 && rect.top == 50 && rect.right == 100 && rect.bottom == -50);

    /* Points replaced, then removed with an empty outline. */
    const brevant_point outline[] = {{1, 2}, {3, 4}};
    brevant_point back[2] = {{0, 0}, {0, 0}};
    CHECK_STATUS(brevant_hoop_set_points(catalogue, 1, outline, 2), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, back, 2, &count), BREVANT_OK);
    CHECK(count == 2 && back[0].x == 1 && back[0].y == 2 && back[1].x == 3 && back[1].y == 4);
    CHECK_STATUS(brevant_hoop_set_points(catalogue, 1, NULL, 0), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, NULL, 0, &count), BREVANT_OK);
    CHECK(count == 0);
    brevant_catalogue_free(catalogue);
}

/* ---- Bad arguments change nothing ---- */

static void bad_arguments_are_refused(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    const char* before = NULL;
    size_t before_size = 0;
    CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &before, &before_size), BREVANT_OK);
    char* saved = malloc(before_size);
    CHECK(saved != NULL);
    if (saved == NULL)
        return;
    memcpy(saved, before, before_size);

    const char* text = NULL;
    brevant_rect rect = {0, 0, 0, 0};
    brevant_point point = {0, 0};
    size_t count = 0;
    int32_t value = 0;
    /* Hoop 1 and mount 1 are one past the end. */
    const brevant_status bad_index[] = {
        brevant_hoop_remove(catalogue, 1),
        brevant_hoop_description(catalogue, 1, &text),
        brevant_hoop_set_description(catalogue, 1, "x"),
        brevant_hoop_shape(catalogue, 1, &text),
        brevant_hoop_set_shape(catalogue, 1, "x"),
        brevant_hoop_rotation(catalogue, 1, &value),
        brevant_hoop_set_rotation(catalogue, 1, 90),
        brevant_hoop_sew_field(catalogue, 1, &rect),
        brevant_hoop_set_sew_field(catalogue, 1, &rect),
        brevant_hoop_inner_dim(catalogue, 1, &rect),
        brevant_hoop_set_inner_dim(catalogue, 1, &rect),
        brevant_hoop_outer_dim(catalogue, 1, &rect),
        brevant_hoop_set_outer_dim(catalogue, 1, &rect),
        brevant_hoop_points(catalogue, 1, &point, 1, &count),
        brevant_hoop_set_points(catalogue, 1, &point, 1),
        brevant_mount_count(catalogue, 1, &count),
        brevant_mount_add(catalogue, 1, &count),
        brevant_mount_remove(catalogue, 1, 0),
        brevant_mount_remove(catalogue, 0, 1),
        brevant_mount_label(catalogue, 0, 1, &text),
        brevant_mount_set_label(catalogue, 0, 1, "x"),
        brevant_mount_number(catalogue, 0, 1, BREVANT_MOUNT_ID, &value),
        brevant_mount_set_number(catalogue, 0, 1, BREVANT_MOUNT_ID, 5),
        brevant_mount_number(catalogue, 1, 0, BREVANT_MOUNT_ID, &value),
        brevant_mount_set_number(catalogue, (size_t)-1, 0, BREVANT_MOUNT_ID, 5),
    };
    for (size_t i = 0; i < sizeof bad_index / sizeof bad_index[0]; ++i) {
        if (bad_index[i] != BREVANT_BAD_INDEX)
            fprintf(stderr, "  bad index call %zu: %s\n", i, brevant_status_name(bad_index[i]));
        CHECK(bad_index[i] == BREVANT_BAD_INDEX);
    }

    const brevant_status null_argument[] = {
        brevant_hoop_count(NULL, &count),
        brevant_hoop_count(catalogue, NULL),
        brevant_hoop_add(NULL, &count),
        brevant_hoop_remove(NULL, 0),
        brevant_hoop_description(catalogue, 0, NULL),
        brevant_hoop_set_description(catalogue, 0, NULL),
        brevant_hoop_shape(NULL, 0, &text),
        brevant_hoop_set_shape(catalogue, 0, NULL),
        brevant_hoop_rotation(catalogue, 0, NULL),
        brevant_hoop_set_rotation(NULL, 0, 90),
        brevant_hoop_sew_field(catalogue, 0, NULL),
        brevant_hoop_set_sew_field(catalogue, 0, NULL),
        brevant_hoop_inner_dim(catalogue, 0, NULL),
        brevant_hoop_set_inner_dim(catalogue, 0, NULL),
        brevant_hoop_outer_dim(catalogue, 0, NULL),
        brevant_hoop_set_outer_dim(catalogue, 0, NULL),
        brevant_hoop_points(catalogue, 0, &point, 1, NULL),
        brevant_hoop_points(catalogue, 0, NULL, 1, &count),
        brevant_hoop_set_points(catalogue, 0, NULL, 1),
        brevant_mount_count(catalogue, 0, NULL),
        brevant_mount_add(NULL, 0, NULL),
        brevant_mount_remove(NULL, 0, 0),
        brevant_mount_label(catalogue, 0, 0, NULL),
        brevant_mount_set_label(catalogue, 0, 0, NULL),
        brevant_mount_number(catalogue, 0, 0, BREVANT_MOUNT_ID, NULL),
        brevant_mount_set_number(NULL, 0, 0, BREVANT_MOUNT_ID, 1),
        brevant_catalogue_save(NULL, "x.ini"),
        brevant_catalogue_save(catalogue, NULL),
        brevant_catalogue_to_bytes(NULL, &text, &count),
        brevant_catalogue_to_bytes(catalogue, NULL, &count),
        brevant_catalogue_to_bytes(catalogue, &text, NULL),
    };
    for (size_t i = 0; i < sizeof null_argument / sizeof null_argument[0]; ++i) {
        if (null_argument[i] != BREVANT_NULL_ARGUMENT)
            fprintf(stderr, "  null argument call %zu: %s\n", i, brevant_status_name(null_argument[i]));
        CHECK(null_argument[i] == BREVANT_NULL_ARGUMENT);
    }

    CHECK_STATUS(brevant_mount_number(catalogue, 0, 0, BREVANT_MOUNT_HIGH_Y + 1, &value),
                 BREVANT_BAD_ARGUMENT);
    CHECK_STATUS(brevant_mount_set_number(catalogue, 0, 0, -1, 1), BREVANT_BAD_ARGUMENT);

    const char* after = NULL;
    size_t after_size = 0;
    CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &after, &after_size), BREVANT_OK);
    CHECK(same_bytes(after, after_size, saved, before_size));
    free(saved);

    /* Freeing nothing is allowed. */
    brevant_catalogue_free(NULL);
    brevant_diagnostics_free(NULL);
    brevant_catalogue_free(catalogue);
}

/* ---- Saves that fail leave what was there ---- */

static size_t entries_in(const char* path) {
    DIR* dir = opendir(path);
    if (dir == NULL)
        return 0;
    size_t count = 0;
    while (readdir(dir) != NULL)
        ++count;
    closedir(dir);
    return count;
}

static void failed_saves_leave_what_was_there(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    const path saves = path_in(work_dir, "saves"), into = path_in(saves.text, "target");
    const char* dir = saves.text;
    const char* target = into.text;
    CHECK(mkdir(dir, 0755) == 0 && mkdir(target, 0755) == 0);
    size_t before = entries_in(dir);

    /* A directory cannot be replaced by the file: it stays, and no temporary file is left beside it. */
    CHECK_STATUS(brevant_catalogue_save(catalogue, target), BREVANT_CANNOT_WRITE);
    CHECK(entries_in(target) == 2);
    CHECK(entries_in(dir) == before);
    CHECK_STATUS(brevant_catalogue_save(catalogue, path_in(dir, "missing/x.ini").text), BREVANT_CANNOT_WRITE);
    CHECK(entries_in(dir) == before);
    brevant_catalogue_free(catalogue);
}

/* ---- Different handles on different threads ---- */

typedef struct worker {
    int faulty_lines; /* each worker's text has its own number of faulty lines */
    int failures;
} worker;

/* Loads a text with the worker's number of faulty lines again and again; each load must see its own. */
static int load_on_a_thread(void* argument) {
    worker* self = argument;
    char text[512] = "[hoops]\n[hoops.hoop0]\n";
    for (int i = 0; i < self->faulty_lines; ++i)
        strcat(text, "faulty\n");
    char summary[64];
    snprintf(summary, sizeof summary, "Loaded INI file - Errors <%04d> Warnings <0000>.", self->faulty_lines);
    for (int round = 0; round < 40; ++round) {
        brevant_catalogue* catalogue = NULL;
        brevant_diagnostics* diagnostics = NULL;
        size_t count = 0;
        const char* message = NULL;
        const char* data = NULL;
        size_t size = 0;
        int ok = brevant_load_bytes(text, strlen(text), BREVANT_FORM_TEXT, &catalogue, &diagnostics) ==
                     BREVANT_OK &&
                 brevant_diagnostics_count(diagnostics, &count) == BREVANT_OK &&
                 count == (size_t)self->faulty_lines + 1 &&
                 brevant_diagnostic(diagnostics, count - 1, NULL, NULL, &message, NULL) == BREVANT_OK &&
                 strcmp(message, summary) == 0 &&
                 brevant_catalogue_to_bytes(catalogue, &data, &size) == BREVANT_OK &&
                 strstr(data, "[hoops.hoop0]") != NULL;
        self->failures += !ok;
        brevant_diagnostics_free(diagnostics);
        brevant_catalogue_free(catalogue);
    }
    return 0;
}

static void handles_work_on_threads_at_once(void) {
    enum { count = 4 };
    thrd_t threads[count];
    worker workers[count];
    for (int i = 0; i < count; ++i) {
        workers[i] = (worker){i + 1, 0};
        CHECK(thrd_create(&threads[i], load_on_a_thread, &workers[i]) == thrd_success);
    }
    for (int i = 0; i < count; ++i) {
        CHECK(thrd_join(threads[i], NULL) == thrd_success);
        CHECK(workers[i].failures == 0);
    }
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: c_api_test SOURCE_DIR WORK_DIR\n");
        return 2;
    }
    source_dir = argv[1];
    work_dir = argv[2];
    status_names_are_distinct();
    building_gives_the_exact_text();
    file_and_bytes_give_the_same_catalogue();
    faulty_lines_come_as_diagnostics();
    failed_loads_say_why();
    edits_change_what_they_name();
    bad_arguments_are_refused();
    failed_saves_leave_what_was_there();
    handles_work_on_threads_at_once();
    if (failures)
        fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
