// The C interface: status names, loading, saving and freeing catalogues, and the diagnostics of a load.
#include "module/CApiHandles.h"

#include <memory>

using capi::Guarded;

namespace {

brevant_status ToFormat(int form, brevant::Format& format) {
    switch (form) {
    case BREVANT_FORM_AUTO:
        format = brevant::Format::detect;
        return BREVANT_OK;
    case BREVANT_FORM_TEXT:
        format = brevant::Format::text;
        return BREVANT_OK;
    case BREVANT_FORM_BINARY:
        format = brevant::Format::binary;
        return BREVANT_OK;
    }
    return BREVANT_BAD_ARGUMENT;
}

brevant_status ToStatus(brevant::LoadFailure failure) {
    switch (failure) {
    case brevant::LoadFailure::cannot_open:
        return BREVANT_CANNOT_READ;
    case brevant::LoadFailure::out_of_memory:
        return BREVANT_OUT_OF_MEMORY;
    case brevant::LoadFailure::not_loaded:
    case brevant::LoadFailure::not_a_catalogue:
        break;
    }
    return BREVANT_NOT_A_CATALOGUE;
}

// Hands the diagnostics of a load to a caller that asked for them.
void Deliver(const std::vector<brevant::Diagnostic>& items, brevant_diagnostics** diagnostics) {
    if (diagnostics != nullptr)
        *diagnostics = new brevant_diagnostics{items};
}

// Runs a load with what every load shares: the out-parameters are cleared first, so that they are NULL on
// every failure, and the diagnostics are handed over whatever the outcome.
template <class Load>
brevant_status GuardedLoad(int form, brevant_catalogue** catalogue, brevant_diagnostics** diagnostics,
                           Load&& load) {
    if (catalogue == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *catalogue = nullptr;
    if (diagnostics != nullptr)
        *diagnostics = nullptr;
    brevant::Format format;
    brevant_status status = ToFormat(form, format);
    if (status != BREVANT_OK)
        return status;
    return Guarded([&]() -> brevant_status {
        std::unique_ptr<brevant_catalogue> loaded;
        try {
            loaded.reset(new brevant_catalogue{load(format), {}});
        } catch (const brevant::LoadError& error) {
            Deliver(error.diagnostics(), diagnostics);
            return ToStatus(error.failure());
        }
        Deliver(loaded->catalogue.diagnostics(), diagnostics);
        *catalogue = loaded.release();
        return BREVANT_OK;
    });
}

} // namespace

extern "C" {

const char* brevant_status_name(brevant_status status) {
    static const char* const names[] = {
        "BREVANT_OK",           "BREVANT_NULL_ARGUMENT", "BREVANT_BAD_INDEX",
        "BREVANT_BAD_ARGUMENT", "BREVANT_CANNOT_READ",   "BREVANT_NOT_A_CATALOGUE",
        "BREVANT_CANNOT_WRITE", "BREVANT_OUT_OF_MEMORY", "BREVANT_INTERNAL_ERROR"};
    if (status < 0 || static_cast<size_t>(status) >= sizeof names / sizeof names[0])
        return "BREVANT_UNKNOWN_STATUS";
    return names[status];
}

brevant_status brevant_catalogue_new(brevant_catalogue** catalogue) {
    if (catalogue == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return Guarded([&] {
        *catalogue = new brevant_catalogue{};
        return BREVANT_OK;
    });
}

brevant_status brevant_load_file(const char* path, int form, brevant_catalogue** catalogue,
                                 brevant_diagnostics** diagnostics) {
    if (path == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return GuardedLoad(form, catalogue, diagnostics,
                       [&](brevant::Format format) { return brevant::Catalogue::load(path, format); });
}

brevant_status brevant_load_bytes(const void* data, size_t size, int form, brevant_catalogue** catalogue,
                                  brevant_diagnostics** diagnostics) {
    if (data == nullptr && size != 0)
        return BREVANT_NULL_ARGUMENT;
    return GuardedLoad(form, catalogue, diagnostics, [&](brevant::Format format) {
        const char* bytes = size != 0 ? static_cast<const char*>(data) : "";
        return brevant::Catalogue::from_bytes(std::string_view(bytes, size), format);
    });
}

brevant_status brevant_catalogue_save(const brevant_catalogue* catalogue, const char* path) {
    if (catalogue == nullptr || path == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return Guarded([&]() -> brevant_status {
        try {
            catalogue->catalogue.save(path);
        } catch (const brevant::SaveError&) {
            return BREVANT_CANNOT_WRITE;
        }
        return BREVANT_OK;
    });
}

brevant_status brevant_catalogue_to_bytes(brevant_catalogue* catalogue, const char** data, size_t* size) {
    if (catalogue == nullptr || data == nullptr || size == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return Guarded([&] {
        catalogue->savedBytes = catalogue->catalogue.to_bytes();
        *data = catalogue->savedBytes.data();
        *size = catalogue->savedBytes.size();
        return BREVANT_OK;
    });
}

void brevant_catalogue_free(brevant_catalogue* catalogue) {
    delete catalogue;
}

brevant_status brevant_diagnostics_count(const brevant_diagnostics* diagnostics, size_t* count) {
    if (diagnostics == nullptr || count == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *count = diagnostics->items.size();
    return BREVANT_OK;
}

brevant_status brevant_diagnostic(const brevant_diagnostics* diagnostics, size_t index, int* kind, int* line,
                                  const char** message, size_t* length) {
    if (diagnostics == nullptr)
        return BREVANT_NULL_ARGUMENT;
    if (index >= diagnostics->items.size())
        return BREVANT_BAD_INDEX;
    const brevant::Diagnostic& diagnostic = diagnostics->items[index];
    if (kind != nullptr)
        *kind = static_cast<int>(diagnostic.kind);
    if (line != nullptr)
        *line = diagnostic.line;
    if (message != nullptr)
        *message = diagnostic.text.c_str();
    if (length != nullptr)
        *length = diagnostic.text.size();
    return BREVANT_OK;
}

void brevant_diagnostics_free(brevant_diagnostics* diagnostics) {
    delete diagnostics;
}

} // extern "C"
