// The C interface: status names, loading, saving and freeing catalogues, and the diagnostics of a load.
#include "module/CApiHandles.h"

#include <memory>

using capi::Guarded;

namespace {

brevant_status ToForm(int form, brevant::Form& chosen) {
    switch (form) {
    case BREVANT_FORM_AUTO:
        chosen = brevant::Form::Auto;
        return BREVANT_OK;
    case BREVANT_FORM_TEXT:
        chosen = brevant::Form::Text;
        return BREVANT_OK;
    case BREVANT_FORM_BINARY:
        chosen = brevant::Form::Binary;
        return BREVANT_OK;
    }
    return BREVANT_BAD_ARGUMENT;
}

// Hands a load's result to the caller: the catalogue on success, the diagnostics whatever the outcome.
brevant_status Deliver(brevant::LoadResult&& loaded, brevant_catalogue** catalogue,
                       brevant_diagnostics** diagnostics) {
    if (diagnostics != nullptr)
        *diagnostics = new (std::nothrow) brevant_diagnostics{std::move(loaded.diagnostics)};
    if (!loaded)
        return loaded.status == brevant::LoadStatus::CannotRead ? BREVANT_CANNOT_READ
                                                                : BREVANT_NOT_A_CATALOGUE;
    *catalogue = new brevant_catalogue{std::move(loaded.catalogue), {}};
    return BREVANT_OK;
}

// Runs a load with the checks every load shares: the out-parameters are cleared first, so that they are NULL
// on every failure.
template <class Load>
brevant_status GuardedLoad(int form, brevant_catalogue** catalogue, brevant_diagnostics** diagnostics,
                           Load&& load) {
    if (catalogue == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *catalogue = nullptr;
    if (diagnostics != nullptr)
        *diagnostics = nullptr;
    brevant::Form chosen;
    brevant_status status = ToForm(form, chosen);
    if (status != BREVANT_OK)
        return status;
    return Guarded([&] { return Deliver(load(chosen), catalogue, diagnostics); });
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
                       [&](brevant::Form chosen) { return brevant::Catalogue::Load(path, chosen); });
}

brevant_status brevant_load_bytes(const void* data, size_t size, int form, brevant_catalogue** catalogue,
                                  brevant_diagnostics** diagnostics) {
    if (data == nullptr && size != 0)
        return BREVANT_NULL_ARGUMENT;
    return GuardedLoad(form, catalogue, diagnostics, [&](brevant::Form chosen) {
        const char* bytes = size != 0 ? static_cast<const char*>(data) : "";
        return brevant::Catalogue::LoadBytes(std::string_view(bytes, size), chosen);
    });
}

brevant_status brevant_catalogue_save(const brevant_catalogue* catalogue, const char* path) {
    if (catalogue == nullptr || path == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return Guarded([&] { return catalogue->catalogue.Save(path) ? BREVANT_OK : BREVANT_CANNOT_WRITE; });
}

brevant_status brevant_catalogue_to_bytes(brevant_catalogue* catalogue, const char** data, size_t* size) {
    if (catalogue == nullptr || data == nullptr || size == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return Guarded([&] {
        catalogue->savedBytes = catalogue->catalogue.Bytes();
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
        *kind = diagnostic.kind;
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
