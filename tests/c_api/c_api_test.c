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
    char* data = file ? malloc(1 << 20) : NULL;
    *size = data ? fread(data, 1, 1 << 20, file) : 0;
    if (file)
        fclose(file);
    return data;
}

static int same_bytes(const char* a, size_t a_size, const char* b, size_t b_size) {
    return a_size == b_size && memcmp(a, b, a_size) == 0;
}

/* Whether the catalogue saves as exactly `text`. */
static int saves_as(brevant_catalogue* catalogue, const char* text) {
    const char* data = NULL;
    size_t size = 0;
    return brevant_catalogue_to_bytes(catalogue, &data, &size) == BREVANT_OK &&
           same_bytes(data, size, text, strlen(text));
}

static int rect_is(brevant_rect rect, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

static int text_is(const char* text, const char* expected) {
    return text != NULL && strcmp(text, expected) == 0;
}

static void status_names_are_distinct(void) {
    for (brevant_status i = BREVANT_OK; i <= BREVANT_INTERNAL_ERROR; ++i) {
        CHECK(strncmp(brevant_status_name(i), "BREVANT_", 8) == 0);
        for (brevant_status j = BREVANT_OK; j < i; ++j)
            CHECK(strcmp(brevant_status_name(i), brevant_status_name(j)) != 0);
    }
    CHECK(text_is(brevant_status_name(BREVANT_BAD_INDEX), "BREVANT_BAD_INDEX"));
    CHECK(text_is(brevant_status_name(-1), "BREVANT_UNKNOWN_STATUS"));
    CHECK(text_is(brevant_status_name(BREVANT_INTERNAL_ERROR + 1), "BREVANT_UNKNOWN_STATUS"));
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
    CHECK_STATUS(brevant_mount_add(catalogue, hoop, &mount), BREVANT_OK);
    CHECK(hoop == 0 && mount == 0);
    CHECK_STATUS(brevant_hoop_set_description(catalogue, hoop, "Small"), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_shape(catalogue, hoop, "Oval"), BREVANT_OK);
    const brevant_point outline[] = {{-500, 0}, {0, 500}, {500, 0}};
    CHECK_STATUS(brevant_hoop_set_points(catalogue, hoop, outline, 3), BREVANT_OK);
    const brevant_rect sew = {-400, 400, 400, -400}, inner = {-450, 450, 450, -450},
                       outer = {-600, 600, 600, -600};
    CHECK_STATUS(brevant_hoop_set_sew_field(catalogue, hoop, &sew), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_inner_dim(catalogue, hoop, &inner), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_outer_dim(catalogue, hoop, &outer), BREVANT_OK);
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
    CHECK(saves_as(catalogue, one_hoop_text));

    /* The saved file holds the same bytes, and loads back with the summary as its only diagnostic. */
    const path saved = path_in(work_dir, "one_hoop.ini");
    CHECK_STATUS(brevant_catalogue_save(catalogue, saved.text), BREVANT_OK);
    size_t file_size = 0;
    char* file = read_whole(saved.text, &file_size);
    CHECK(file != NULL && same_bytes(file, file_size, one_hoop_text, sizeof one_hoop_text - 1));
    free(file);
    brevant_catalogue* again = NULL;
    brevant_diagnostics* diagnostics = NULL;
    size_t count = 99;
    int kind = 0;
    CHECK_STATUS(brevant_load_file(saved.text, BREVANT_FORM_AUTO, &again, &diagnostics), BREVANT_OK);
    CHECK(saves_as(again, one_hoop_text));
    CHECK_STATUS(brevant_diagnostics_count(diagnostics, &count), BREVANT_OK);
    CHECK_STATUS(brevant_diagnostic(diagnostics, 0, &kind, NULL, NULL, NULL), BREVANT_OK);
    CHECK(count == 1 && kind == BREVANT_DIAGNOSTIC_SUMMARY);
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(again);
    brevant_catalogue_free(catalogue);

    brevant_catalogue* empty = NULL;
    CHECK_STATUS(brevant_catalogue_new(&empty), BREVANT_OK);
    CHECK(saves_as(empty, "[hoops]\r\ntext=\"\"\r\n\r\n"));
    brevant_catalogue_free(empty);
}

/* ---- Reading a loaded catalogue: from a file, from bytes, text and binary forms ---- */

static void check_sample(brevant_catalogue* catalogue) {
    size_t count = 0, mounts = 9;
    const char *description = NULL, *shape = NULL, *label = NULL;
    brevant_rect sew, inner, outer;
    int32_t degrees = 7, id = 0;
    CHECK_STATUS(brevant_hoop_count(catalogue, &count), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_description(catalogue, 1, &description), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_shape(catalogue, 1, &shape), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_sew_field(catalogue, 1, &sew), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_inner_dim(catalogue, 1, &inner), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_outer_dim(catalogue, 1, &outer), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_rotation(catalogue, 1, &degrees), BREVANT_OK);
    CHECK_STATUS(brevant_mount_label(catalogue, 1, 0, &label), BREVANT_OK);
    CHECK_STATUS(brevant_mount_number(catalogue, 1, 0, BREVANT_MOUNT_ID, &id), BREVANT_OK);
    CHECK(count == 13 && text_is(description, "Round 100 mm") && text_is(shape, "round") && degrees == 0);
    CHECK(rect_is(sew, -340, 340, 340, -340) && rect_is(inner, -500, 500, 500, -500) &&
          rect_is(outer, -560, 560, 560, -560));
    CHECK(text_is(label, "Standard") && id == 1);
    CHECK_STATUS(brevant_mount_count(catalogue, 0, &mounts), BREVANT_OK);
    CHECK(mounts == 0);
    CHECK_STATUS(brevant_mount_count(catalogue, 1, &mounts), BREVANT_OK);
    CHECK(mounts == 1);

    /* Points: the count first, then a buffer too small for all of them is filled only as far as it goes. */
    size_t points = 0, reported = 0;
    brevant_point first[3] = {{0, 0}, {0, 0}, {111, 222}};
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, NULL, 0, &points), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, first, 2, &reported), BREVANT_OK);
    CHECK(points == 36 && reported == 36);
    CHECK(first[0].x == 500 && first[0].y == 0 && first[1].x == 492 && first[1].y == 87);
    CHECK(first[2].x == 111 && first[2].y == 222);
}

static void file_and_bytes_give_the_same_catalogue(void) {
    const path ini = path_in(source_dir, "examples/hoops.ini"),
               inb = path_in(source_dir, "examples/hoops.inb");
    struct {
        const char* path;
        int from_memory;
        int form;
    } sources[] = {{ini.text, 0, BREVANT_FORM_AUTO}, {ini.text, 1, BREVANT_FORM_AUTO},
                   {ini.text, 1, BREVANT_FORM_TEXT}, {inb.text, 0, BREVANT_FORM_AUTO},
                   {inb.text, 1, BREVANT_FORM_AUTO}, {inb.text, 1, BREVANT_FORM_BINARY}};
    char* expected = NULL; /* what the first source saves as; every other one must save the same */
    for (size_t i = 0; i < sizeof sources / sizeof sources[0]; ++i) {
        brevant_catalogue* catalogue = NULL;
        size_t size = 0;
        char* data = sources[i].from_memory ? read_whole(sources[i].path, &size) : NULL;
        CHECK_STATUS(data ? brevant_load_bytes(data, size, sources[i].form, &catalogue, NULL)
                          : brevant_load_file(sources[i].path, sources[i].form, &catalogue, NULL),
                     BREVANT_OK);
        free(data);
        if (catalogue == NULL)
            continue;
        check_sample(catalogue);
        const char* saved = NULL;
        CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &saved, &size), BREVANT_OK);
        if (expected == NULL)
            expected = strdup(saved);
        else
            CHECK(saves_as(catalogue, expected));
        brevant_catalogue_free(catalogue);
    }
    free(expected);
}

/* ---- Diagnostics as data, and loads that fail ---- */

static void faulty_lines_come_as_diagnostics(void) {
    static const char text[] = "[hoops]\nabc\n[hoops.hoop0]\ndescription=\"Kept\"\nsize=+5\n";
    struct {
        int kind;
        int line;
        const char* message;
    } expected[] = {
        {BREVANT_DIAGNOSTIC_ERROR, 2, "Error : Line <0002> - Syntax error."},
        {BREVANT_DIAGNOSTIC_ERROR, 5, "Error : Line <0005> - Errornous, incomplete or incompatible value!"},
        {BREVANT_DIAGNOSTIC_SUMMARY, 0, "Loaded INI file - Errors <0002> Warnings <0000>."},
    };
    brevant_catalogue* catalogue = NULL;
    brevant_diagnostics* diagnostics = NULL;
    size_t hoops = 0, count = 0;
    CHECK_STATUS(brevant_load_bytes(text, sizeof text - 1, BREVANT_FORM_TEXT, &catalogue, &diagnostics),
                 BREVANT_OK);
    CHECK_STATUS(brevant_hoop_count(catalogue, &hoops), BREVANT_OK);
    CHECK_STATUS(brevant_diagnostics_count(diagnostics, &count), BREVANT_OK);
    CHECK(hoops == 1 && count == sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < count && i < sizeof expected / sizeof expected[0]; ++i) {
        int kind = -1, line = -1;
        const char* message = NULL;
        size_t length = 0;
        CHECK_STATUS(brevant_diagnostic(diagnostics, i, &kind, &line, &message, &length), BREVANT_OK);
        CHECK(kind == expected[i].kind && line == expected[i].line);
        CHECK(text_is(message, expected[i].message) && length == strlen(expected[i].message));
    }
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(catalogue);
}

static void failed_loads_say_why(void) {
    struct {
        const char* text; /* NULL: load the path instead */
        const char* path;
        int form;
        brevant_status status;
        int failure_reported;
    } cases[] = {
        {"[other]\r\n[hoops]\r\n", NULL, BREVANT_FORM_TEXT, BREVANT_NOT_A_CATALOGUE, 0},
        {"", NULL, BREVANT_FORM_AUTO, BREVANT_NOT_A_CATALOGUE, 0},
        {"[hoops]\r\n", NULL, BREVANT_FORM_BINARY, BREVANT_NOT_A_CATALOGUE, 1},
        {NULL, "no/such/dir/hoops.ini", BREVANT_FORM_AUTO, BREVANT_CANNOT_READ, 0},
        {"[hoops]\r\n", NULL, 7, BREVANT_BAD_ARGUMENT, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        brevant_catalogue* catalogue = (brevant_catalogue*)&cases[i]; /* must be overwritten with NULL */
        brevant_diagnostics* diagnostics = NULL;
        brevant_status status = cases[i].text ? brevant_load_bytes(cases[i].text, strlen(cases[i].text),
                                                                   cases[i].form, &catalogue, &diagnostics)
                                              : brevant_load_file(path_in(work_dir, cases[i].path).text,
                                                                  cases[i].form, &catalogue, &diagnostics);
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
        if (status != cases[i].status || catalogue != NULL ||
            (failures_seen > 0) != cases[i].failure_reported)
            fprintf(stderr, "  load case %zu: %s, %d failure diagnostics\n", i, brevant_status_name(status),
                    failures_seen);
        CHECK(status == cases[i].status && catalogue == NULL &&
              (failures_seen > 0) == cases[i].failure_reported);
        brevant_diagnostics_free(diagnostics);
    }
}

/* ---- Editing ---- */

static void edits_change_what_they_name(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    size_t hoop = 0, count = 9, mount = 0;
    CHECK_STATUS(brevant_hoop_add(catalogue, &hoop), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_add(catalogue, NULL), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_description(catalogue, 2, "Third"), BREVANT_OK);

    /* A new hoop is empty; removing it moves "Third" to its place. */
    const char* text = NULL;
    brevant_rect rect = {1, 1, 1, 1};
    CHECK_STATUS(brevant_hoop_description(catalogue, 1, &text), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_outer_dim(catalogue, 1, &rect), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, NULL, 0, &count), BREVANT_OK);
    CHECK(hoop == 1 && text_is(text, "") && rect_is(rect, 0, 0, 0, 0) && count == 0);
    CHECK_STATUS(brevant_hoop_remove(catalogue, 1), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_count(catalogue, &count), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_description(catalogue, 1, &text), BREVANT_OK);
    CHECK(count == 2 && text_is(text, "Third"));

    /* Each mount number is its own field, saved where it belongs. */
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
    CHECK_STATUS(brevant_catalogue_to_bytes(catalogue, &saved, &count), BREVANT_OK);
    CHECK(saved != NULL &&
          strstr(saved, "id=1000\r\nlabel=\"\"\r\nrotation=1001\r\nlowhighxy=1002,1003,1004,1005\r\n"));

    /* Removing mount 0 moves mount 1 to its place; a label set from its own borrowed text stays. */
    CHECK_STATUS(brevant_mount_set_label(catalogue, 0, 1, "Second"), BREVANT_OK);
    CHECK_STATUS(brevant_mount_remove(catalogue, 0, 0), BREVANT_OK);
    CHECK_STATUS(brevant_mount_count(catalogue, 0, &count), BREVANT_OK);
    CHECK_STATUS(brevant_mount_label(catalogue, 0, 0, &text), BREVANT_OK);
    CHECK_STATUS(brevant_mount_set_label(catalogue, 0, 0, text), BREVANT_OK);
    CHECK_STATUS(brevant_mount_label(catalogue, 0, 0, &text), BREVANT_OK);
    CHECK(count == 1 && text_is(text, "Second"));

    /* The rotation is stored as it is given, and turns nothing; points are replaced, and emptied. */
    const brevant_rect sew = {-100, 50, 100, -50};
    const brevant_point outline[] = {{1, 2}, {3, 4}};
    brevant_point back[2] = {{0, 0}, {0, 0}};
    int32_t degrees = 0, other = 9;
    CHECK_STATUS(brevant_hoop_set_sew_field(catalogue, 1, &sew), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_set_rotation(catalogue, 1, 450), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_rotation(catalogue, 1, &degrees), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_rotation(catalogue, 0, &other), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_sew_field(catalogue, 1, &rect), BREVANT_OK);
    CHECK(degrees == 450 && other == 0 && rect_is(rect, -100, 50, 100, -50));
    CHECK_STATUS(brevant_hoop_set_points(catalogue, 1, outline, 2), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, back, 2, &count), BREVANT_OK);
    CHECK(count == 2 && back[0].x == 1 && back[0].y == 2 && back[1].x == 3 && back[1].y == 4);
    CHECK_STATUS(brevant_hoop_set_points(catalogue, 1, NULL, 0), BREVANT_OK);
    CHECK_STATUS(brevant_hoop_points(catalogue, 1, NULL, 0, &count), BREVANT_OK);
    CHECK(count == 0);
    brevant_catalogue_free(catalogue);
}

/* ---- Bad arguments are refused and change nothing ---- */

/* Each call of a table gave the status expected of it. */
static void refused_all(const brevant_status* statuses, size_t count, brevant_status expected) {
    for (size_t i = 0; i < count; ++i) {
        if (statuses[i] != expected)
            fprintf(stderr, "  call %zu gave %s, not %s\n", i, brevant_status_name(statuses[i]),
                    brevant_status_name(expected));
        CHECK(statuses[i] == expected);
    }
}

static void bad_arguments_are_refused(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    brevant_catalogue* loaded = NULL;
    brevant_diagnostics* diagnostics = NULL;
    CHECK_STATUS(brevant_load_bytes("[hoops]\n", 8, BREVANT_FORM_AUTO, &loaded, &diagnostics), BREVANT_OK);
    const char* text = NULL;
    brevant_rect rect = {0, 0, 0, 0};
    brevant_point point = {0, 0};
    size_t count = 0;
    int32_t value = 0;
    int kind = -1;
    const brevant_catalogue* untouched = NULL;
    brevant_catalogue* refused = NULL;
    /* Hoop 1 and mount 1 are one past the end; the diagnostics hold one entry. */
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
        brevant_diagnostic(diagnostics, 1, &kind, NULL, NULL, NULL)};
    const brevant_status bad_argument[] = {
        brevant_mount_number(catalogue, 0, 0, BREVANT_MOUNT_HIGH_Y + 1, &value),
        brevant_mount_set_number(catalogue, 0, 0, -1, 1)};
    const brevant_status null_argument[] = {brevant_hoop_count(untouched, &count),
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
                                            brevant_catalogue_new(NULL),
                                            brevant_load_bytes(NULL, 5, BREVANT_FORM_AUTO, &refused, NULL),
                                            brevant_load_bytes("[hoops]", 7, BREVANT_FORM_AUTO, NULL, NULL),
                                            brevant_load_file(NULL, BREVANT_FORM_AUTO, &refused, NULL),
                                            brevant_load_file("x.ini", BREVANT_FORM_AUTO, NULL, NULL),
                                            brevant_diagnostics_count(NULL, &count),
                                            brevant_diagnostics_count(diagnostics, NULL),
                                            brevant_diagnostic(NULL, 0, &kind, NULL, NULL, NULL)};
    const brevant_status not_a_catalogue[] = {brevant_load_bytes(NULL, 0, BREVANT_FORM_AUTO, &refused, NULL)};
    refused_all(bad_index, sizeof bad_index / sizeof bad_index[0], BREVANT_BAD_INDEX);
    refused_all(bad_argument, sizeof bad_argument / sizeof bad_argument[0], BREVANT_BAD_ARGUMENT);
    refused_all(null_argument, sizeof null_argument / sizeof null_argument[0], BREVANT_NULL_ARGUMENT);
    refused_all(not_a_catalogue, sizeof not_a_catalogue / sizeof not_a_catalogue[0], BREVANT_NOT_A_CATALOGUE);
    CHECK(saves_as(catalogue, one_hoop_text) && kind == -1 && refused == NULL);

    /* Freeing nothing is allowed. */
    brevant_catalogue_free(NULL);
    brevant_diagnostics_free(NULL);
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(loaded);
    brevant_catalogue_free(catalogue);
}

/* ---- Saves that fail leave what was there ---- */

static size_t entries_in(const char* path) {
    DIR* dir = opendir(path);
    size_t count = 0;
    while (dir != NULL && readdir(dir) != NULL)
        ++count;
    if (dir != NULL)
        closedir(dir);
    return count;
}

static void failed_saves_leave_what_was_there(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    const path saves = path_in(work_dir, "saves"), target = path_in(saves.text, "target");
    CHECK(mkdir(saves.text, 0755) == 0 && mkdir(target.text, 0755) == 0);
    size_t before = entries_in(saves.text);

    /* A directory cannot be replaced by the file: it stays, and no temporary file is left beside it. */
    CHECK_STATUS(brevant_catalogue_save(catalogue, target.text), BREVANT_CANNOT_WRITE);
    CHECK(entries_in(target.text) == 2 && entries_in(saves.text) == before);
    CHECK_STATUS(brevant_catalogue_save(catalogue, path_in(saves.text, "missing/x.ini").text),
                 BREVANT_CANNOT_WRITE);
    CHECK(entries_in(saves.text) == before);
    brevant_catalogue_free(catalogue);
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
    if (failures)
        fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
