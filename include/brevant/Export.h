/* Marks what the shared library exports; everything else stays hidden. C and C++ headers use it alike.
 * Windows: exported from brevant.dll while the library builds, imported from it by a host, and empty for the
 * library's own static form (BREVANT_STATIC). Elsewhere: default visibility while building, nothing for a host. */
#pragma once

#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(BREVANT_BUILDING)
#define BREVANT_API __declspec(dllexport)
#elif defined(BREVANT_STATIC)
#define BREVANT_API
#else
#define BREVANT_API __declspec(dllimport)
#endif
#elif defined(BREVANT_BUILDING)
#define BREVANT_API __attribute__((visibility("default")))
#else
#define BREVANT_API
#endif
