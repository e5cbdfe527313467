/* edit_hoop.cpp's host written against the C interface, as a host in C (or any language that calls C) edits a
 * catalogue: loads a hoop file, renames and reshapes its first hoop, gives it a mount, drops the last hoop
 * and saves the result.
 *
 *   edit_hoop_c IN.ini OUT.ini
 */
#include <brevant/brevant.h>

#include <locale.h>
#include <stdio.h>

static int failed(brevant_status status, const char* what) {
    if (status != BREVANT_OK)
        fprintf(stderr, "%s: %s\n", what, brevant_status_name(status));
    return status != BREVANT_OK;
}

int main(int argc, char** argv) {
    setlocale(LC_ALL, "");
    if (argc != 3) {
        fprintf(stderr, "usage: edit_hoop_c IN.ini OUT.ini\n");
        return 2;
    }
    brevant_catalogue* hoops = NULL;
    size_t count = 0, mount = 0;
    if (failed(brevant_load_file(argv[1], BREVANT_FORM_AUTO, &hoops, NULL), argv[1]))
        return 2;
    const brevant_rect sew = {-300, 300, 300, -300};
    const brevant_point outline[] = {{-320, 320}, {320, 320}, {320, -320}, {-320, -320}};
    const int32_t numbers[][2] = {{BREVANT_MOUNT_ID, 7},        {BREVANT_MOUNT_ROTATION, 180},
                                  {BREVANT_MOUNT_LOW_X, -1500}, {BREVANT_MOUNT_HIGH_X, 1500},
                                  {BREVANT_MOUNT_LOW_Y, -20},   {BREVANT_MOUNT_HIGH_Y, 20}};
    brevant_status status = brevant_hoop_count(hoops, &count);
    if (status == BREVANT_OK && count < 2)
        status = BREVANT_BAD_INDEX;
    if (status == BREVANT_OK)
        status = brevant_hoop_set_description(hoops, 0, "Square 60 x 60 mm");
    if (status == BREVANT_OK)
        status = brevant_hoop_set_shape(hoops, 0, "square");
    if (status == BREVANT_OK)
        status = brevant_hoop_set_rotation(hoops, 0, 90);
    if (status == BREVANT_OK)
        status = brevant_hoop_set_sew_field(hoops, 0, &sew);
    if (status == BREVANT_OK)
        status = brevant_hoop_set_points(hoops, 0, outline, 4);
    if (status == BREVANT_OK)
        status = brevant_mount_add(hoops, 0, &mount);
    if (status == BREVANT_OK)
        status = brevant_mount_set_label(hoops, 0, mount, "Left arm");
    for (size_t i = 0; status == BREVANT_OK && i < sizeof numbers / sizeof numbers[0]; ++i)
        status = brevant_mount_set_number(hoops, 0, mount, numbers[i][0], numbers[i][1]);
    if (status == BREVANT_OK)
        status = brevant_hoop_remove(hoops, count - 1);
    if (status == BREVANT_OK)
        status = brevant_catalogue_save(hoops, argv[2]);
    if (!failed(status, argv[2]))
        printf("%zu hoops saved to %s\n", count - 1, argv[2]);
    brevant_catalogue_free(hoops);
    return status == BREVANT_OK ? 0 : 2;
}
