// Marks what the shared library exports: the classes (BREVANT_API) and the functions of the C interface
// (BREVANT_C_API); everything else stays hidden.
#pragma once

#if defined(BREVANT_BUILDING)
#define BREVANT_API __attribute__((visibility("default")))
#else
#define BREVANT_API
#endif

#define BREVANT_C_API BREVANT_API
