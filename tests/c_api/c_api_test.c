/* The C interface used from C11 as a host uses it: every function, its results and its refusals. It runs on
 * Linux and, cross-built, under Wine.
 *
 *   c_api_test SOURCE_DIR WORK_DIR
 */
#define _POSIX_C_SOURCE 200809L

#include <brevant/brevant.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int failures;

#define CHECK(condition)                                                                                     \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition);                          \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

/* A call that must give `expected`; the status it gave is named when it does not. */
#define GIVES(call, expected)                                                                                \
    do {                                                                                                     \
        brevant_status status_ = (call);                                                                     \
        if (status_ != (expected)) {                                                                         \
            fprintf(stderr, "%s:%d: %s gave %s\n", __FILE__, __LINE__, #call, brevant_status_name(status_)); \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)
#define OK(call) GIVES(call, BREVANT_OK)
#define COUNT(array) (sizeof(array) / sizeof(array)[0])

static const char* source_dir;
static const char* work_dir;

typedef struct path {
    char text[4096];
} path;

static path path_in(const char* dir, const char* name) {
    path joined;
    snprintf(joined.text, sizeof joined.text, "%s/%s", dir, name);
    return joined;
}

/* The whole file (up to 1 MiB) in a malloc'd buffer; NULL when it cannot be read. */
static char* read_whole(const char* path, size_t* size) {
    FILE* file = fopen(path, "rb");
    char* data = file ? malloc(1 << 20) : NULL;
    *size = data ? fread(data, 1, 1 << 20, file) : 0;
    if (file)
        fclose(file);
    return data;
}

static int saves_as(brevant_catalogue* catalogue, const char* text) {
    const char* data = NULL;
    size_t size = 0;
    return brevant_catalogue_to_bytes(catalogue, &data, &size) == BREVANT_OK && size == strlen(text) &&
           memcmp(data, text, size) == 0;
}

static int rect_is(brevant_rect rect, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

static int text_is(const char* text, const char* expected) {
    return text != NULL && strcmp(text, expected) == 0;
}

static void status_names_are_distinct(void) {
    for (brevant_status i = BREVANT_OK; i <= BREVANT_INTERNAL_ERROR; ++i)
        for (brevant_status j = BREVANT_OK; j < i; ++j)
            CHECK(strcmp(brevant_status_name(i), brevant_status_name(j)) != 0);
    CHECK(text_is(brevant_status_name(BREVANT_BAD_INDEX), "BREVANT_BAD_INDEX"));
    CHECK(text_is(brevant_status_name(-1), "BREVANT_UNKNOWN_STATUS"));
    CHECK(text_is(brevant_status_name(BREVANT_INTERNAL_ERROR + 1), "BREVANT_UNKNOWN_STATUS"));
}

/* ---- Building a catalogue gives the exact saved text, in memory and on disk ---- */

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
    OK(brevant_catalogue_new(&catalogue));
    OK(brevant_hoop_add(catalogue, &hoop));
    OK(brevant_mount_add(catalogue, hoop, &mount));
    CHECK(hoop == 0 && mount == 0);
    OK(brevant_hoop_set_description(catalogue, hoop, "Small"));
    OK(brevant_hoop_set_shape(catalogue, hoop, "Oval"));
    const brevant_point outline[] = {{-500, 0}, {0, 500}, {500, 0}};
    OK(brevant_hoop_set_points(catalogue, hoop, outline, 3));
    const brevant_rect sew = {-400, 400, 400, -400}, inner = {-450, 450, 450, -450},
                       outer = {-600, 600, 600, -600};
    OK(brevant_hoop_set_sew_field(catalogue, hoop, &sew));
    OK(brevant_hoop_set_inner_dim(catalogue, hoop, &inner));
    OK(brevant_hoop_set_outer_dim(catalogue, hoop, &outer));
    OK(brevant_mount_set_label(catalogue, hoop, mount, "Left"));
    const int32_t numbers[][2] = {{BREVANT_MOUNT_ID, 2},       {BREVANT_MOUNT_ROTATION, 90},
                                  {BREVANT_MOUNT_LOW_X, 0},    {BREVANT_MOUNT_HIGH_X, 0},
                                  {BREVANT_MOUNT_LOW_Y, -100}, {BREVANT_MOUNT_HIGH_Y, 100}};
    for (size_t i = 0; i < COUNT(numbers); ++i)
        OK(brevant_mount_set_number(catalogue, hoop, mount, numbers[i][0], numbers[i][1]));
    return catalogue;
}

static void building_gives_the_exact_text(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    brevant_catalogue* empty = NULL;
    OK(brevant_catalogue_new(&empty));
    CHECK(saves_as(catalogue, one_hoop_text) && saves_as(empty, "[hoops]\r\ntext=\"\"\r\n\r\n"));

    /* The file holds the same bytes and loads back with the summary as its only diagnostic. */
    const path saved = path_in(work_dir, "one_hoop.ini");
    OK(brevant_catalogue_save(catalogue, saved.text));
    size_t size = 0, count = 99;
    char* file = read_whole(saved.text, &size);
    CHECK(file != NULL && size == strlen(one_hoop_text) && memcmp(file, one_hoop_text, size) == 0);
    brevant_catalogue* again = NULL;
    brevant_diagnostics* diagnostics = NULL;
    int kind = 0;
    OK(brevant_load_file(saved.text, BREVANT_FORM_AUTO, &again, &diagnostics));
    OK(brevant_diagnostics_count(diagnostics, &count));
    OK(brevant_diagnostic(diagnostics, 0, &kind, NULL, NULL, NULL));
    CHECK(saves_as(again, one_hoop_text) && count == 1 && kind == BREVANT_DIAGNOSTIC_SUMMARY);
    free(file);
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(again);
    brevant_catalogue_free(empty);
    brevant_catalogue_free(catalogue);
}

/* ---- The sample from a file and from bytes, in its text and binary forms ---- */

static void check_sample(brevant_catalogue* catalogue) {
    size_t count = 0, mounts[2] = {9, 9};
    const char *description = NULL, *shape = NULL, *label = NULL;
    brevant_rect sew, inner, outer;
    int32_t degrees = 7, id = 0;
    OK(brevant_hoop_count(catalogue, &count));
    OK(brevant_hoop_description(catalogue, 1, &description));
    OK(brevant_hoop_shape(catalogue, 1, &shape));
    OK(brevant_hoop_sew_field(catalogue, 1, &sew));
    OK(brevant_hoop_inner_dim(catalogue, 1, &inner));
    OK(brevant_hoop_outer_dim(catalogue, 1, &outer));
    OK(brevant_hoop_rotation(catalogue, 1, &degrees));
    OK(brevant_mount_label(catalogue, 1, 0, &label));
    OK(brevant_mount_number(catalogue, 1, 0, BREVANT_MOUNT_ID, &id));
    OK(brevant_mount_count(catalogue, 0, &mounts[0]));
    OK(brevant_mount_count(catalogue, 1, &mounts[1]));
    CHECK(count == 13 && text_is(description, "Round 100 mm") && text_is(shape, "round") && degrees == 0);
    CHECK(rect_is(sew, -340, 340, 340, -340) && rect_is(inner, -500, 500, 500, -500) &&
          rect_is(outer, -560, 560, 560, -560));
    CHECK(text_is(label, "Standard") && id == 1 && mounts[0] == 0 && mounts[1] == 1);

    /* The count alone first; then a buffer too small for every point is filled as far as it goes. */
    size_t points = 0, reported = 0;
    brevant_point first[3] = {{0, 0}, {0, 0}, {111, 222}};
    OK(brevant_hoop_points(catalogue, 1, NULL, 0, &points));
    OK(brevant_hoop_points(catalogue, 1, first, 2, &reported));
    CHECK(points == 36 && reported == 36 && first[0].x == 500 && first[0].y == 0 && first[1].x == 492 &&
          first[1].y == 87 && first[2].x == 111 && first[2].y == 222);
}

static void file_and_bytes_give_the_same_catalogue(void) {
    const path ini = path_in(source_dir, "examples/hoops.ini"),
               inb = path_in(source_dir, "examples/hoops.inb");
    const struct {
        const char* path;
        int from_memory;
        int form;
    } sources[] = {{ini.text, 0, BREVANT_FORM_AUTO},
                   {ini.text, 1, BREVANT_FORM_TEXT},
                   {inb.text, 0, BREVANT_FORM_AUTO},
                   {inb.text, 1, BREVANT_FORM_AUTO},
                   {inb.text, 1, BREVANT_FORM_BINARY}};
    char* expected = NULL; /* what the first source saves as; every other one must save the same */
    for (size_t i = 0; i < COUNT(sources); ++i) {
        brevant_catalogue* catalogue = NULL;
        size_t size = 0;
        char* data = sources[i].from_memory ? read_whole(sources[i].path, &size) : NULL;
        OK(data ? brevant_load_bytes(data, size, sources[i].form, &catalogue, NULL)
                : brevant_load_file(sources[i].path, sources[i].form, &catalogue, NULL));
        free(data);
        if (catalogue == NULL)
            continue;
        check_sample(catalogue);
        const char* saved = NULL;
        OK(brevant_catalogue_to_bytes(catalogue, &saved, &size));
        if (expected == NULL)
            expected = strdup(saved);
        CHECK(saves_as(catalogue, expected));
        brevant_catalogue_free(catalogue);
    }
    free(expected);
}

/* ---- Loads: their status, and their diagnostics as data ---- */

/* The diagnostics as lines of "KIND LINE MESSAGE" (E error, F failure, S summary), or "none". */
static void describe(brevant_diagnostics* diagnostics, char* out, size_t room) {
    size_t count = 0;
    snprintf(out, room, "%s", diagnostics ? "" : "none");
    for (size_t i = 0;
         diagnostics && brevant_diagnostics_count(diagnostics, &count) == BREVANT_OK && i < count; ++i) {
        int kind = 0, line = -1;
        const char* message = NULL;
        size_t length = 0, used = strlen(out);
        OK(brevant_diagnostic(diagnostics, i, &kind, &line, &message, &length));
        CHECK(message != NULL && length == strlen(message) && kind >= 1 && kind <= 4);
        snprintf(out + used, room - used, "%c %d %s\n", "?EWFS"[kind >= 1 && kind <= 4 ? kind : 0], line,
                 message);
    }
}

static void loads_say_what_they_met(void) {
    const struct {
        const char* text; /* NULL: load the path instead */
        int form;
        brevant_status status;
        const char* diagnostics;
    } cases[] = {
        {"[hoops]\nabc\n[hoops.hoop0]\ndescription=\"Kept\"\nsize=+5\n", BREVANT_FORM_TEXT, BREVANT_OK,
         "E 2 Error : Line <0002> - Syntax error.\n"
         "E 5 Error : Line <0005> - Errornous, incomplete or incompatible value!\n"
         "S 0 Loaded INI file - Errors <0002> Warnings <0000>.\n"},
        {"[other]\r\n[hoops]\r\n", BREVANT_FORM_TEXT, BREVANT_NOT_A_CATALOGUE,
         "S 0 Loaded INI file - Errors <0000> Warnings <0000>.\n"},
        {"", BREVANT_FORM_AUTO, BREVANT_NOT_A_CATALOGUE,
         "S 0 Loaded INI file - Errors <0000> Warnings <0000>.\n"},
        {"[hoops]\r\n", BREVANT_FORM_BINARY, BREVANT_NOT_A_CATALOGUE,
         "F 0 Failure : INIBinaryLoadData() > The Binary INI file has invalid size!\n"
         "F 0 Failure : CINIFile::Load() > INIBinaryLoadData() failed!\n"},
        {NULL, BREVANT_FORM_AUTO, BREVANT_CANNOT_READ, ""},
        {"[hoops]\r\n", 7, BREVANT_BAD_ARGUMENT, "none"},
    };
    for (size_t i = 0; i < COUNT(cases); ++i) {
        brevant_catalogue* catalogue = (brevant_catalogue*)&cases[i]; /* overwritten on every outcome */
        brevant_diagnostics* diagnostics = (brevant_diagnostics*)&cases[i];
        size_t hoops = 0;
        char seen[1024];
        GIVES(cases[i].text ? brevant_load_bytes(cases[i].text, strlen(cases[i].text), cases[i].form,
                                                 &catalogue, &diagnostics)
                            : brevant_load_file(path_in(work_dir, "no/such/dir/hoops.ini").text,
                                                cases[i].form, &catalogue, &diagnostics),
              cases[i].status);
        describe(diagnostics, seen, sizeof seen);
        if (strcmp(seen, cases[i].diagnostics) != 0) {
            fprintf(stderr, "load case %zu reported:\n%s", i, seen);
            ++failures;
        }
        CHECK(cases[i].status == BREVANT_OK
                  ? brevant_hoop_count(catalogue, &hoops) == BREVANT_OK && hoops == 1
                  : catalogue == NULL);
        brevant_diagnostics_free(diagnostics);
        brevant_catalogue_free(catalogue);
    }
}

/* ---- Editing ---- */

static void edits_change_what_they_name(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    size_t hoop = 0, count = 9, mount = 0;
    OK(brevant_hoop_add(catalogue, &hoop));
    OK(brevant_hoop_add(catalogue, NULL));
    OK(brevant_hoop_set_description(catalogue, 2, "Third"));

    /* Removing the new hoop moves "Third" to its place. */
    const char* text = NULL;
    OK(brevant_hoop_remove(catalogue, 1));
    OK(brevant_hoop_count(catalogue, &count));
    OK(brevant_hoop_description(catalogue, 1, &text));
    CHECK(hoop == 1 && count == 2 && text_is(text, "Third"));

    /* Each mount number is its own field, saved where it belongs. */
    OK(brevant_mount_add(catalogue, 0, &mount));
    CHECK(mount == 1);
    for (int field = BREVANT_MOUNT_ID; field <= BREVANT_MOUNT_HIGH_Y; ++field) {
        int32_t value = 0;
        OK(brevant_mount_set_number(catalogue, 0, 1, field, 1000 + field));
        OK(brevant_mount_number(catalogue, 0, 1, field, &value));
        CHECK(value == 1000 + field);
    }
    const char* saved = NULL;
    OK(brevant_catalogue_to_bytes(catalogue, &saved, &count));
    CHECK(saved &&
          strstr(saved, "id=1000\r\nlabel=\"\"\r\nrotation=1001\r\nlowhighxy=1002,1003,1004,1005\r\n"));

    /* Removing mount 0 moves mount 1 to its place; a label set from its own borrowed text stays. */
    OK(brevant_mount_set_label(catalogue, 0, 1, "Second"));
    OK(brevant_mount_remove(catalogue, 0, 0));
    OK(brevant_mount_count(catalogue, 0, &count));
    OK(brevant_mount_label(catalogue, 0, 0, &text));
    OK(brevant_mount_set_label(catalogue, 0, 0, text));
    OK(brevant_mount_label(catalogue, 0, 0, &text));
    CHECK(count == 1 && text_is(text, "Second"));

    /* The rotation is stored as given and turns nothing else; points are emptied. */
    int32_t degrees = 0, other = 9;
    OK(brevant_hoop_set_rotation(catalogue, 1, 450));
    OK(brevant_hoop_rotation(catalogue, 1, &degrees));
    OK(brevant_hoop_rotation(catalogue, 0, &other));
    OK(brevant_hoop_set_points(catalogue, 0, NULL, 0));
    OK(brevant_hoop_points(catalogue, 0, NULL, 0, &count));
    CHECK(degrees == 450 && other == 0 && count == 0);
    brevant_catalogue_free(catalogue);
}

/* ---- Bad arguments are refused and change nothing ---- */

/* Each call gave the status expected of it: REFUSED(BREVANT_BAD_INDEX, call, call, ...). */
#define REFUSED(expected, ...)                                                                               \
    refused_all((const brevant_status[]){__VA_ARGS__},                                                       \
                sizeof((const brevant_status[]){__VA_ARGS__}) / sizeof(brevant_status), expected)
static void refused_all(const brevant_status* statuses, size_t count, brevant_status expected) {
    for (size_t i = 0; i < count; ++i) {
        if (statuses[i] != expected) {
            fprintf(stderr, "call %zu gave %s, not %s\n", i, brevant_status_name(statuses[i]),
                    brevant_status_name(expected));
            ++failures;
        }
    }
}

static void bad_arguments_are_refused(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    brevant_catalogue *loaded = NULL, *refused = NULL;
    brevant_diagnostics* diagnostics = NULL;
    OK(brevant_load_bytes("[hoops]\n", 8, BREVANT_FORM_AUTO, &loaded, &diagnostics));
    const char* text = NULL;
    brevant_rect rect = {0, 0, 0, 0};
    brevant_point point = {0, 0};
    size_t count = 0;
    int32_t value = 0;
    int kind = -1;
    const brevant_catalogue* none = NULL;
    /* Hoop 1 and mount 1 are one past the end; the diagnostics hold one entry. */
    REFUSED(BREVANT_BAD_INDEX, brevant_hoop_remove(catalogue, 1),
            brevant_hoop_description(catalogue, 1, &text), brevant_hoop_set_shape(catalogue, 1, "x"),
            brevant_hoop_set_rotation(catalogue, 1, 90), brevant_hoop_inner_dim(catalogue, 1, &rect),
            brevant_hoop_set_outer_dim(catalogue, 1, &rect),
            brevant_hoop_points(catalogue, 1, &point, 1, &count),
            brevant_hoop_set_points(catalogue, 1, &point, 1), brevant_mount_count(catalogue, 1, &count),
            brevant_mount_add(catalogue, 1, &count), brevant_mount_remove(catalogue, 1, 0),
            brevant_mount_remove(catalogue, 0, 1), brevant_mount_label(catalogue, 0, 1, &text),
            brevant_mount_set_label(catalogue, 0, 1, "x"),
            brevant_mount_number(catalogue, 1, 0, BREVANT_MOUNT_ID, &value),
            brevant_mount_set_number(catalogue, 0, 1, BREVANT_MOUNT_ID, 5),
            brevant_mount_set_number(catalogue, (size_t)-1, 0, BREVANT_MOUNT_ID, 5),
            brevant_diagnostic(diagnostics, 1, &kind, NULL, NULL, NULL));
    REFUSED(BREVANT_BAD_ARGUMENT, brevant_mount_number(catalogue, 0, 0, BREVANT_MOUNT_HIGH_Y + 1, &value),
            brevant_mount_set_number(catalogue, 0, 0, -1, 1));
    REFUSED(
        BREVANT_NULL_ARGUMENT, brevant_hoop_count(none, &count), brevant_hoop_count(catalogue, NULL),
        brevant_hoop_add(NULL, &count), brevant_hoop_shape(NULL, 0, &text),
        brevant_hoop_rotation(catalogue, 0, NULL), brevant_hoop_set_description(catalogue, 0, NULL),
        brevant_hoop_set_sew_field(catalogue, 0, NULL), brevant_hoop_points(catalogue, 0, &point, 1, NULL),
        brevant_hoop_points(catalogue, 0, NULL, 1, &count), brevant_hoop_set_points(catalogue, 0, NULL, 1),
        brevant_mount_label(catalogue, 0, 0, NULL), brevant_mount_set_label(catalogue, 0, 0, NULL),
        brevant_mount_number(catalogue, 0, 0, BREVANT_MOUNT_ID, NULL), brevant_catalogue_save(NULL, "x.ini"),
        brevant_catalogue_save(catalogue, NULL), brevant_catalogue_to_bytes(NULL, &text, &count),
        brevant_catalogue_to_bytes(catalogue, NULL, &count),
        brevant_catalogue_to_bytes(catalogue, &text, NULL), brevant_catalogue_new(NULL),
        brevant_load_bytes(NULL, 5, BREVANT_FORM_AUTO, &refused, NULL),
        brevant_load_bytes("[hoops]", 7, BREVANT_FORM_AUTO, NULL, NULL),
        brevant_load_file(NULL, BREVANT_FORM_AUTO, &refused, NULL),
        brevant_load_file("x.ini", BREVANT_FORM_AUTO, NULL, NULL), brevant_diagnostics_count(NULL, &count),
        brevant_diagnostics_count(diagnostics, NULL), brevant_diagnostic(NULL, 0, &kind, NULL, NULL, NULL));
    REFUSED(BREVANT_NOT_A_CATALOGUE, brevant_load_bytes(NULL, 0, BREVANT_FORM_AUTO, &refused, NULL));
    CHECK(saves_as(catalogue, one_hoop_text) && kind == -1 && refused == NULL);
    brevant_catalogue_free(NULL); /* freeing nothing is allowed */
    brevant_diagnostics_free(NULL);
    brevant_diagnostics_free(diagnostics);
    brevant_catalogue_free(loaded);
    brevant_catalogue_free(catalogue);
}

/* ---- A save that cannot write says so ---- */

static void failed_saves_say_so(void) {
    brevant_catalogue* catalogue = build_one_hoop();
    GIVES(brevant_catalogue_save(catalogue, work_dir), BREVANT_CANNOT_WRITE); /* a directory */
    GIVES(brevant_catalogue_save(catalogue, path_in(work_dir, "missing/x.ini").text), BREVANT_CANNOT_WRITE);
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
    loads_say_what_they_met();
    edits_change_what_they_name();
    bad_arguments_are_refused();
    failed_saves_say_so();
    if (failures)
        fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
