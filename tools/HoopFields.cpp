#include "HoopFields.h"

#include "DecimalArgument.h"
#include "ToolOutput.h"

#include <climits>
#include <strings.h>

namespace {

// The library's setters read this value as "leave the field as it is", so it can never be stored by them.
constexpr int32_t kKeep = INT32_MIN;

bool Is(const std::string& text, const char* name) {
    return strcasecmp(text.c_str(), name) == 0;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Reads `count` comma-separated numbers (any even count of at least 2 when `count` is 0).
std::string ParseNumbers(const std::string& field, const std::string& value, size_t count,
                         std::vector<int32_t>& numbers) {
    std::vector<std::string> parts = Split(value, ',');
    if (count > 0 && parts.size() != count)
        return field + " takes " + std::to_string(count) + " numbers separated by commas, not " +
               std::to_string(parts.size());
    if (count == 0 && parts.size() % 2 != 0)
        return field + " takes x,y pairs separated by commas; " + std::to_string(parts.size()) +
               " numbers make no whole pairs";
    for (const std::string& part : parts) {
        int32_t number = 0;
        std::string problem = ParseDecimal(Trimmed(part), number);
        if (!problem.empty())
            return field + ": " + problem;
        numbers.push_back(number);
    }
    return {};
}

std::string RefuseKeepValue(const std::string& field, const std::vector<int32_t>& numbers) {
    for (int32_t number : numbers) {
        if (number == kKeep)
            return field + ": -2147483648 cannot be stored (the library reads it as \"leave as it is\")";
    }
    return {};
}

struct RectField {
    const char* name;
    int (CINIHoop::*set)(int, const CRect*);
};

const RectField kRectFields[] = {{"sewfield", &CINIHoop::SetHoopSewField},
                                 {"innerdim", &CINIHoop::SetHoopInnerDim},
                                 {"outerdim", &CINIHoop::SetHoopOuterDim}};

const char* const kEdges[] = {"left", "top", "right", "bottom"};

// "sewfield" with four numbers, or "sewfield.top" with one; the edges left out stay as they are.
std::string SetRect(CINIHoop& catalogue, int hoop, const RectField& rect, const std::string& edge,
                    const std::string& field, const std::string& value) {
    int32_t edges[4] = {kKeep, kKeep, kKeep, kKeep};
    std::vector<int32_t> numbers;
    if (edge.empty()) {
        std::string problem = ParseNumbers(field, value, 4, numbers);
        if (problem.empty())
            problem = RefuseKeepValue(field, numbers);
        if (!problem.empty())
            return problem;
        std::copy(numbers.begin(), numbers.end(), edges);
    } else {
        size_t index = 0;
        while (index < 4 && !Is(edge, kEdges[index]))
            ++index;
        if (index == 4)
            return "unknown field " + Quoted(field) + "; a rectangle's edges are left, top, right and bottom";
        std::string problem = ParseNumbers(field, value, 1, numbers);
        if (problem.empty())
            problem = RefuseKeepValue(field, numbers);
        if (!problem.empty())
            return problem;
        edges[index] = numbers[0];
    }
    CRect newRect(edges[0], edges[1], edges[2], edges[3]);
    (catalogue.*rect.set)(hoop, &newRect);
    return {};
}

std::string SetPoints(CINIHoop& catalogue, int hoop, const std::string& field, const std::string& value) {
    std::vector<int32_t> numbers;
    std::string problem = ParseNumbers(field, value, 0, numbers);
    if (!problem.empty())
        return problem;
    CArray<POINT, POINT> points;
    for (size_t index = 0; index < numbers.size(); index += 2)
        points.Add(POINT{numbers[index], numbers[index + 1]});
    if (!catalogue.SetHoopPoints(hoop, &points))
        return "the library could not store the outline";
    return {};
}

// "mounts.N.FIELD": label, id, rotation, lowx, highx, lowy, highy, or lowhighxy with four numbers.
std::string SetMountField(CINIHoop& catalogue, int hoop, const std::string& field, const std::string& value) {
    std::vector<std::string> parts = Split(field, '.');
    if (parts.size() != 3)
        return "unknown field " + Quoted(field) + "; a mount's fields are named mounts.N.label and so on";
    int32_t mount = 0;
    if (!ParseDecimal(parts[1], mount).empty() || mount < 0 || mount >= catalogue.GetHoopMountCount(hoop)) {
        int count = catalogue.GetHoopMountCount(hoop);
        return "hoop " + std::to_string(hoop) + " has no mount " + Quoted(parts[1]) + "; " +
               (count == 0 ? std::string("it has no mounts ('brevant add FILE LABEL --to HOOP' adds one)")
                           : "its mounts are 0 to " + std::to_string(count - 1));
    }
    const std::string& name = parts[2];
    if (Is(name, "label")) {
        catalogue.SetHoopMount(hoop, mount, value.c_str(), kKeep, kKeep, kKeep, kKeep, kKeep, kKeep);
        return {};
    }
    // id, rotation, low x, high x, low y, high y: the order of SetHoopMount's numbers.
    int32_t numbers[6] = {kKeep, kKeep, kKeep, kKeep, kKeep, kKeep};
    const char* const names[] = {"id", "rotation", "lowx", "highx", "lowy", "highy"};
    std::vector<int32_t> parsed;
    std::string problem;
    if (Is(name, "lowhighxy")) {
        problem = ParseNumbers(field, value, 4, parsed);
        if (problem.empty())
            std::copy(parsed.begin(), parsed.end(), numbers + 2);
    } else {
        size_t index = 0;
        while (index < 6 && !Is(name, names[index]))
            ++index;
        if (index == 6)
            return "unknown field " + Quoted(field) +
                   "; a mount's fields are label, id, rotation, lowx, highx, lowy, highy and lowhighxy";
        problem = ParseNumbers(field, value, 1, parsed);
        if (problem.empty())
            numbers[index] = parsed[0];
    }
    if (problem.empty())
        problem = RefuseKeepValue(field, parsed);
    if (!problem.empty())
        return problem;
    catalogue.SetHoopMount(hoop, mount, nullptr, numbers[0], numbers[1], numbers[2], numbers[3], numbers[4],
                           numbers[5]);
    return {};
}

} // namespace

const std::vector<std::string>& HoopFieldNames() {
    static const std::vector<std::string> names = {
        "description",       "shape",          "points",          "sewfield",       "sewfield.left",
        "sewfield.top",      "sewfield.right", "sewfield.bottom", "innerdim",       "innerdim.left",
        "innerdim.top",      "innerdim.right", "innerdim.bottom", "outerdim",       "outerdim.left",
        "outerdim.top",      "outerdim.right", "outerdim.bottom", "mounts.N.label", "mounts.N.id",
        "mounts.N.rotation", "mounts.N.lowx",  "mounts.N.highx",  "mounts.N.lowy",  "mounts.N.highy",
        "mounts.N.lowhighxy"};
    return names;
}

std::string SetHoopField(CINIHoop& catalogue, int hoop, const std::string& field, const std::string& value) {
    if (Is(field, "description")) {
        catalogue.SetHoop(hoop, value.c_str(), nullptr);
        return {};
    }
    if (Is(field, "shape")) {
        catalogue.SetHoop(hoop, nullptr, value.c_str());
        return {};
    }
    if (Is(field, "points"))
        return SetPoints(catalogue, hoop, field, value);
    if (Is(field, "rotation"))
        return "a hoop file keeps no rotation; 'brevant rotate' turns a hoop";
    if (strncasecmp(field.c_str(), "mounts.", 7) == 0)
        return SetMountField(catalogue, hoop, field, value);
    std::string base = field.substr(0, field.find('.'));
    std::string edge =
        field.find('.') == std::string::npos ? std::string() : field.substr(field.find('.') + 1);
    for (const RectField& rect : kRectFields) {
        if (Is(base, rect.name))
            return SetRect(catalogue, hoop, rect, edge, field, value);
    }
    return "unknown field " + Quoted(field) + "; 'brevant set --help' lists the fields";
}
