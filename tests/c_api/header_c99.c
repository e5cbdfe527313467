/* The C header alone, compiled as strict C99: it must need nothing beyond it. */
#include <brevant/brevant.h>

int main(void) {
    brevant_rect rect = {0, 0, 0, 0};
    return rect.left + BREVANT_OK;
}
