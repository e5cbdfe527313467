// Marks the classes that the shared library exports; everything else stays hidden.
#pragma once

#if defined(BREVANT_BUILDING)
#define BREVANT_API __attribute__((visibility("default")))
#else
#define BREVANT_API
#endif
