// What stands behind the C interface's opaque handles, and the one guard through which every C function
// runs its body: no C++ exception leaves the library.
#pragma once

#include <brevant/brevant.h>
#include <brevant/catalogue.hpp>

#include <new>
#include <string>
#include <vector>

struct brevant_catalogue {
    brevant::Catalogue catalogue;
    // The bytes last handed out by brevant_catalogue_to_bytes, borrowed by the caller.
    std::string savedBytes;
};

struct brevant_diagnostics {
    std::vector<brevant::Diagnostic> items;
};

namespace capi {

// Runs a body that answers a status; an exception becomes BREVANT_OUT_OF_MEMORY or BREVANT_INTERNAL_ERROR.
template <class Body> brevant_status Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return BREVANT_OUT_OF_MEMORY;
    } catch (...) {
        return BREVANT_INTERNAL_ERROR;
    }
}

} // namespace capi
