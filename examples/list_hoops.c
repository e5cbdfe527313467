#include <brevant/brevant.h>
#include <stdio.h>

int main(int argc, char** argv) {
    brevant_catalogue* hoops = NULL;
    brevant_status status =
        brevant_load_file(argc > 1 ? argv[1] : "hoops.ini", BREVANT_FORM_AUTO, &hoops, NULL);
    if (status != BREVANT_OK) {
        fprintf(stderr, "cannot load: %s\n", brevant_status_name(status));
        return 1;
    }
    size_t count = 0;
    brevant_hoop_count(hoops, &count);
    for (size_t i = 0; i < count; ++i) {
        const char* description = NULL;
        brevant_rect sew;
        brevant_hoop_description(hoops, i, &description);
        brevant_hoop_sew_field(hoops, i, &sew);
        printf("%2zu  %-24s %5.1f x %5.1f mm\n", i, description, (sew.right - sew.left) / 10.0,
               (sew.top - sew.bottom) / 10.0);
    }
    brevant_catalogue_free(hoops);
    return 0;
}
