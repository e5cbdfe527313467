// The C interface to the hoops of a catalogue and their mounts: every field read and set by position.
#include "module/CApiHandles.h"

using capi::Guarded;

namespace {

// Finds hoop `index`, or says why not.
template <class Catalogue, class Hoop>
brevant_status FindHoop(Catalogue* catalogue, size_t index, Hoop*& hoop) {
    if (catalogue == nullptr)
        return BREVANT_NULL_ARGUMENT;
    if (index >= catalogue->catalogue.hoops.size())
        return BREVANT_BAD_INDEX;
    hoop = &catalogue->catalogue.hoops[index];
    return BREVANT_OK;
}

template <class Catalogue, class Mount>
brevant_status FindMount(Catalogue* catalogue, size_t hoop, size_t index, Mount*& mount) {
    decltype(&catalogue->catalogue.hoops[0]) found = nullptr;
    brevant_status status = FindHoop(catalogue, hoop, found);
    if (status != BREVANT_OK)
        return status;
    if (index >= found->mounts.size())
        return BREVANT_BAD_INDEX;
    mount = &found->mounts[index];
    return BREVANT_OK;
}

// Reads one field of a hoop into a non-null out-parameter.
template <class Out, class Read>
brevant_status ReadHoop(const brevant_catalogue* catalogue, size_t index, Out* out, Read&& read) {
    const brevant::Hoop* hoop = nullptr;
    brevant_status status = FindHoop(catalogue, index, hoop);
    if (status != BREVANT_OK)
        return status;
    if (out == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *out = read(*hoop);
    return BREVANT_OK;
}

// Changes one field of a hoop; an edit that needs memory runs under the guard.
template <class Edit> brevant_status EditHoop(brevant_catalogue* catalogue, size_t index, Edit&& edit) {
    brevant::Hoop* hoop = nullptr;
    brevant_status status = FindHoop(catalogue, index, hoop);
    if (status != BREVANT_OK)
        return status;
    return Guarded([&] { return edit(*hoop); });
}

brevant_status SetText(std::string& field, const char* text) {
    if (text == nullptr)
        return BREVANT_NULL_ARGUMENT;
    field = std::string(text); // a copy first: the text may be borrowed from this very field
    return BREVANT_OK;
}

brevant_status SetRect(brevant::Rect& field, const brevant_rect* rect) {
    if (rect == nullptr)
        return BREVANT_NULL_ARGUMENT;
    field = brevant::Rect{rect->left, rect->top, rect->right, rect->bottom};
    return BREVANT_OK;
}

brevant_rect ToC(const brevant::Rect& rect) {
    return brevant_rect{rect.left, rect.top, rect.right, rect.bottom};
}

// The mount number that a BREVANT_MOUNT_ constant names, or null for another value.
template <class Mount> auto MountNumber(Mount& mount, int field) -> decltype(&mount.id) {
    switch (field) {
    case BREVANT_MOUNT_ID:
        return &mount.id;
    case BREVANT_MOUNT_ROTATION:
        return &mount.rotation;
    case BREVANT_MOUNT_LOW_X:
        return &mount.low_x;
    case BREVANT_MOUNT_HIGH_X:
        return &mount.high_x;
    case BREVANT_MOUNT_LOW_Y:
        return &mount.low_y;
    case BREVANT_MOUNT_HIGH_Y:
        return &mount.high_y;
    }
    return nullptr;
}

} // namespace

extern "C" {

brevant_status brevant_hoop_count(const brevant_catalogue* catalogue, size_t* count) {
    if (catalogue == nullptr || count == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *count = catalogue->catalogue.hoops.size();
    return BREVANT_OK;
}

brevant_status brevant_hoop_add(brevant_catalogue* catalogue, size_t* index) {
    if (catalogue == nullptr)
        return BREVANT_NULL_ARGUMENT;
    return Guarded([&] {
        catalogue->catalogue.hoops.emplace_back();
        if (index != nullptr)
            *index = catalogue->catalogue.hoops.size() - 1;
        return BREVANT_OK;
    });
}

brevant_status brevant_hoop_remove(brevant_catalogue* catalogue, size_t hoop) {
    brevant::Hoop* found = nullptr;
    brevant_status status = FindHoop(catalogue, hoop, found);
    if (status == BREVANT_OK)
        catalogue->catalogue.hoops.erase(catalogue->catalogue.hoops.begin() + static_cast<ptrdiff_t>(hoop));
    return status;
}

brevant_status brevant_hoop_description(const brevant_catalogue* catalogue, size_t hoop, const char** text) {
    return ReadHoop(catalogue, hoop, text,
                    [](const brevant::Hoop& found) { return found.description.c_str(); });
}

brevant_status brevant_hoop_set_description(brevant_catalogue* catalogue, size_t hoop, const char* text) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) { return SetText(found.description, text); });
}

brevant_status brevant_hoop_shape(const brevant_catalogue* catalogue, size_t hoop, const char** text) {
    return ReadHoop(catalogue, hoop, text, [](const brevant::Hoop& found) { return found.shape.c_str(); });
}

brevant_status brevant_hoop_set_shape(brevant_catalogue* catalogue, size_t hoop, const char* text) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) { return SetText(found.shape, text); });
}

brevant_status brevant_hoop_rotation(const brevant_catalogue* catalogue, size_t hoop, int32_t* degrees) {
    return ReadHoop(catalogue, hoop, degrees, [](const brevant::Hoop& found) { return found.rotation; });
}

brevant_status brevant_hoop_set_rotation(brevant_catalogue* catalogue, size_t hoop, int32_t degrees) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) {
        found.rotation = degrees;
        return BREVANT_OK;
    });
}

brevant_status brevant_hoop_sew_field(const brevant_catalogue* catalogue, size_t hoop, brevant_rect* rect) {
    return ReadHoop(catalogue, hoop, rect, [](const brevant::Hoop& found) { return ToC(found.sew_field); });
}

brevant_status brevant_hoop_set_sew_field(brevant_catalogue* catalogue, size_t hoop,
                                          const brevant_rect* rect) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) { return SetRect(found.sew_field, rect); });
}

brevant_status brevant_hoop_inner_dim(const brevant_catalogue* catalogue, size_t hoop, brevant_rect* rect) {
    return ReadHoop(catalogue, hoop, rect, [](const brevant::Hoop& found) { return ToC(found.inner_dim); });
}

brevant_status brevant_hoop_set_inner_dim(brevant_catalogue* catalogue, size_t hoop,
                                          const brevant_rect* rect) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) { return SetRect(found.inner_dim, rect); });
}

brevant_status brevant_hoop_outer_dim(const brevant_catalogue* catalogue, size_t hoop, brevant_rect* rect) {
    return ReadHoop(catalogue, hoop, rect, [](const brevant::Hoop& found) { return ToC(found.outer_dim); });
}

brevant_status brevant_hoop_set_outer_dim(brevant_catalogue* catalogue, size_t hoop,
                                          const brevant_rect* rect) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) { return SetRect(found.outer_dim, rect); });
}

brevant_status brevant_hoop_points(const brevant_catalogue* catalogue, size_t hoop, brevant_point* points,
                                   size_t capacity, size_t* count) {
    const brevant::Hoop* found = nullptr;
    brevant_status status = FindHoop(catalogue, hoop, found);
    if (status != BREVANT_OK)
        return status;
    if (count == nullptr || (points == nullptr && capacity != 0))
        return BREVANT_NULL_ARGUMENT;
    for (size_t index = 0; index < capacity && index < found->points.size(); ++index)
        points[index] = brevant_point{found->points[index].x, found->points[index].y};
    *count = found->points.size();
    return BREVANT_OK;
}

brevant_status brevant_hoop_set_points(brevant_catalogue* catalogue, size_t hoop, const brevant_point* points,
                                       size_t count) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) {
        if (points == nullptr && count != 0)
            return BREVANT_NULL_ARGUMENT;
        std::vector<brevant::Point> outline(count);
        for (size_t index = 0; index < count; ++index)
            outline[index] = brevant::Point{points[index].x, points[index].y};
        found.points = std::move(outline);
        return BREVANT_OK;
    });
}

brevant_status brevant_mount_count(const brevant_catalogue* catalogue, size_t hoop, size_t* count) {
    return ReadHoop(catalogue, hoop, count, [](const brevant::Hoop& found) { return found.mounts.size(); });
}

brevant_status brevant_mount_add(brevant_catalogue* catalogue, size_t hoop, size_t* index) {
    return EditHoop(catalogue, hoop, [&](brevant::Hoop& found) {
        found.mounts.emplace_back();
        if (index != nullptr)
            *index = found.mounts.size() - 1;
        return BREVANT_OK;
    });
}

brevant_status brevant_mount_remove(brevant_catalogue* catalogue, size_t hoop, size_t mount) {
    brevant::Mount* found = nullptr;
    brevant_status status = FindMount(catalogue, hoop, mount, found);
    if (status == BREVANT_OK) {
        auto& mounts = catalogue->catalogue.hoops[hoop].mounts;
        mounts.erase(mounts.begin() + static_cast<ptrdiff_t>(mount));
    }
    return status;
}

brevant_status brevant_mount_label(const brevant_catalogue* catalogue, size_t hoop, size_t mount,
                                   const char** text) {
    const brevant::Mount* found = nullptr;
    brevant_status status = FindMount(catalogue, hoop, mount, found);
    if (status != BREVANT_OK)
        return status;
    if (text == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *text = found->label.c_str();
    return BREVANT_OK;
}

brevant_status brevant_mount_set_label(brevant_catalogue* catalogue, size_t hoop, size_t mount,
                                       const char* text) {
    brevant::Mount* found = nullptr;
    brevant_status status = FindMount(catalogue, hoop, mount, found);
    if (status != BREVANT_OK)
        return status;
    return Guarded([&] { return SetText(found->label, text); });
}

brevant_status brevant_mount_number(const brevant_catalogue* catalogue, size_t hoop, size_t mount, int field,
                                    int32_t* value) {
    const brevant::Mount* found = nullptr;
    brevant_status status = FindMount(catalogue, hoop, mount, found);
    if (status != BREVANT_OK)
        return status;
    const int32_t* number = MountNumber(*found, field);
    if (number == nullptr)
        return BREVANT_BAD_ARGUMENT;
    if (value == nullptr)
        return BREVANT_NULL_ARGUMENT;
    *value = *number;
    return BREVANT_OK;
}

brevant_status brevant_mount_set_number(brevant_catalogue* catalogue, size_t hoop, size_t mount, int field,
                                        int32_t value) {
    brevant::Mount* found = nullptr;
    brevant_status status = FindMount(catalogue, hoop, mount, found);
    if (status != BREVANT_OK)
        return status;
    int32_t* number = MountNumber(*found, field);
    if (number == nullptr)
        return BREVANT_BAD_ARGUMENT;
    *number = value;
    return BREVANT_OK;
}

} // extern "C"
