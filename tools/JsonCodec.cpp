#include "JsonCodec.h"

#include "Utf8.h"

#include <climits>
#include <initializer_list>

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

constexpr size_t kLineWidth = 100;

ordered_json RectToJson(const HoopRect& rect) {
    return ordered_json{
        {"left", rect.left}, {"top", rect.top}, {"right", rect.right}, {"bottom", rect.bottom}};
}

ordered_json MountToJson(const MountData& mount) {
    return ordered_json{{"label", ToUtf8(mount.label)}, {"id", mount.id},       {"rotation", mount.rotation},
                        {"lowX", mount.lowX},           {"highX", mount.highX}, {"lowY", mount.lowY},
                        {"highY", mount.highY}};
}

ordered_json HoopToJson(const HoopData& hoop) {
    ordered_json points = ordered_json::array();
    for (const POINT& point : hoop.points)
        points.push_back(ordered_json::array({point.x, point.y}));
    ordered_json mounts = ordered_json::array();
    for (const MountData& mount : hoop.mounts)
        mounts.push_back(MountToJson(mount));
    return ordered_json{{"description", ToUtf8(hoop.description)},
                        {"shape", ToUtf8(hoop.shape)},
                        {"rotation", hoop.rotation},
                        {"sewField", RectToJson(hoop.sewField)},
                        {"innerDim", RectToJson(hoop.innerDim)},
                        {"outerDim", RectToJson(hoop.outerDim)},
                        {"points", points},
                        {"mounts", mounts}};
}

// ---- Formatting ----

std::string Inline(const ordered_json& value) {
    if (value.is_object()) {
        std::string text = "{";
        for (auto item = value.begin(); item != value.end(); ++item)
            text +=
                (item == value.begin() ? "" : ", ") + json(item.key()).dump() + ": " + Inline(item.value());
        return text + "}";
    }
    if (value.is_array()) {
        std::string text = "[";
        for (size_t index = 0; index < value.size(); ++index)
            text += (index == 0 ? "" : ", ") + Inline(value[index]);
        return text + "]";
    }
    return value.dump();
}

bool IsFlat(const ordered_json& value) {
    if (!value.is_array())
        return !value.is_object();
    for (const auto& element : value) {
        if (element.is_structured() && !(element.is_array() && IsFlat(element)))
            return false;
    }
    return true;
}

void Format(const ordered_json& value, size_t indent, std::string& out);

// A list of numbers or of pairs, flowed over as many lines as it needs.
void FormatFlowed(const ordered_json& value, size_t indent, std::string& out) {
    std::string pad(indent + 2, ' ');
    out += "[\n" + pad;
    size_t column = pad.size();
    for (size_t index = 0; index < value.size(); ++index) {
        std::string element = Inline(value[index]) + (index + 1 < value.size() ? "," : "");
        if (index > 0 && column + 1 + element.size() > kLineWidth) {
            out += "\n" + pad;
            column = pad.size();
        } else if (index > 0) {
            out += " ";
            ++column;
        }
        out += element;
        column += element.size();
    }
    out += "\n" + std::string(indent, ' ') + "]";
}

void FormatStructured(const ordered_json& value, size_t indent, std::string& out) {
    std::string pad(indent + 2, ' ');
    bool object = value.is_object();
    out += object ? "{\n" : "[\n";
    size_t index = 0;
    for (auto item = value.begin(); item != value.end(); ++item, ++index) {
        out += pad;
        if (object)
            out += json(item.key()).dump() + ": ";
        Format(item.value(), indent + 2, out);
        out += index + 1 < value.size() ? ",\n" : "\n";
    }
    out += std::string(indent, ' ') + (object ? "}" : "]");
}

void Format(const ordered_json& value, size_t indent, std::string& out) {
    std::string compact = Inline(value);
    if (!value.is_structured() || value.empty() || indent + compact.size() <= kLineWidth + 10) {
        out += compact;
        return;
    }
    if (value.is_array() && IsFlat(value)) {
        FormatFlowed(value, indent, out);
        return;
    }
    FormatStructured(value, indent, out);
}

// ---- Reading ----

class JsonReader {
  public:
    explicit JsonReader(std::string& error) : error_(error) {}

    bool Fail(const std::string& path, const std::string& what) {
        error_ = (path.empty() ? std::string("the document") : path) + ": " + what;
        return false;
    }

    bool Integer(const json& value, const std::string& path, int& out) {
        if (!value.is_number_integer())
            return Fail(path, "expected an integer");
        bool fits = value.is_number_unsigned()
                        ? value.get<uint64_t>() <= static_cast<uint64_t>(INT_MAX)
                        : value.get<int64_t>() >= INT_MIN && value.get<int64_t>() <= INT_MAX;
        if (!fits)
            return Fail(path, "the integer does not fit 32 bits");
        out = static_cast<int>(value.get<int64_t>());
        return true;
    }

    bool Text(const json& value, const std::string& path, std::string& out) {
        if (!value.is_string())
            return Fail(path, "expected a string");
        out = value.get<std::string>();
        return true;
    }

    // An object whose keys are all among `known`.
    bool Object(const json& value, const std::string& path, std::initializer_list<const char*> known) {
        if (!value.is_object())
            return Fail(path, "expected an object");
        for (auto item = value.begin(); item != value.end(); ++item) {
            bool found = false;
            std::string names;
            for (const char* key : known) {
                found = found || item.key() == key;
                names += (names.empty() ? "" : ", ") + std::string(key);
            }
            if (!found)
                return Fail(Member(path, item.key()), "unknown field (known: " + names + ")");
        }
        return true;
    }

    bool Rect(const json& value, const std::string& path, HoopRect& rect) {
        if (!Object(value, path, {"left", "top", "right", "bottom"}))
            return false;
        const char* names[] = {"left", "top", "right", "bottom"};
        int32_t* edges[] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
        for (size_t edge = 0; edge < 4; ++edge) {
            std::string edgePath = Member(path, names[edge]);
            if (!value.contains(names[edge]))
                return Fail(edgePath, "missing");
            int number = 0;
            if (!Integer(value[names[edge]], edgePath, number))
                return false;
            if (number == INT_MIN)
                return Fail(edgePath, "-2147483648 cannot be stored in a rectangle");
            *edges[edge] = number;
        }
        return true;
    }

    bool Points(const json& value, const std::string& path, std::vector<POINT>& points) {
        if (!value.is_array())
            return Fail(path, "expected an array of [x, y] pairs");
        for (size_t index = 0; index < value.size(); ++index) {
            std::string pointPath = Element(path, index);
            const json& pair = value[index];
            if (!pair.is_array() || pair.size() != 2)
                return Fail(pointPath, "expected a pair [x, y]");
            POINT point{};
            int x = 0;
            int y = 0;
            if (!Integer(pair[0], Element(pointPath, 0), x) || !Integer(pair[1], Element(pointPath, 1), y))
                return false;
            point.x = x;
            point.y = y;
            points.push_back(point);
        }
        return true;
    }

    bool Mount(const json& value, const std::string& path, MountData& mount) {
        if (!Object(value, path, {"label", "id", "rotation", "lowX", "highX", "lowY", "highY"}))
            return false;
        if (value.contains("label") && !Text(value["label"], Member(path, "label"), mount.label))
            return false;
        const char* names[] = {"id", "rotation", "lowX", "highX", "lowY", "highY"};
        int* fields[] = {&mount.id, &mount.rotation, &mount.lowX, &mount.highX, &mount.lowY, &mount.highY};
        for (size_t field = 0; field < 6; ++field) {
            if (value.contains(names[field]) &&
                !Integer(value[names[field]], Member(path, names[field]), *fields[field]))
                return false;
        }
        return true;
    }

    bool Mounts(const json& value, const std::string& path, std::vector<MountData>& mounts) {
        if (!value.is_array())
            return Fail(path, "expected an array of mounts");
        for (size_t index = 0; index < value.size(); ++index) {
            MountData mount;
            if (!Mount(value[index], Element(path, index), mount))
                return false;
            mounts.push_back(mount);
        }
        return true;
    }

    bool Hoop(const json& value, const std::string& path, HoopData& hoop) {
        if (!Object(
                value, path,
                {"description", "shape", "rotation", "sewField", "innerDim", "outerDim", "points", "mounts"}))
            return false;
        return OptionalText(value, path, "description", hoop.description) &&
               OptionalText(value, path, "shape", hoop.shape) &&
               OptionalInteger(value, path, "rotation", hoop.rotation) &&
               OptionalRect(value, path, "sewField", hoop.sewField) &&
               OptionalRect(value, path, "innerDim", hoop.innerDim) &&
               OptionalRect(value, path, "outerDim", hoop.outerDim) &&
               (!value.contains("points") || Points(value["points"], Member(path, "points"), hoop.points)) &&
               (!value.contains("mounts") || Mounts(value["mounts"], Member(path, "mounts"), hoop.mounts));
    }

  private:
    static std::string Member(const std::string& path, const std::string& key) {
        return path.empty() ? key : path + "." + key;
    }
    static std::string Element(const std::string& path, size_t index) {
        return path + "[" + std::to_string(index) + "]";
    }

    bool OptionalText(const json& value, const std::string& path, const char* key, std::string& out) {
        return !value.contains(key) || Text(value[key], Member(path, key), out);
    }
    bool OptionalInteger(const json& value, const std::string& path, const char* key, int& out) {
        return !value.contains(key) || Integer(value[key], Member(path, key), out);
    }
    bool OptionalRect(const json& value, const std::string& path, const char* key, HoopRect& out) {
        return !value.contains(key) || Rect(value[key], Member(path, key), out);
    }

    std::string& error_;
};

} // namespace

ordered_json HoopsToJson(const std::vector<HoopData>& hoops) {
    ordered_json list = ordered_json::array();
    for (const HoopData& hoop : hoops)
        list.push_back(HoopToJson(hoop));
    return ordered_json{{"hoops", list}};
}

std::string FormatJson(const ordered_json& value) {
    std::string out;
    Format(value, 0, out);
    return out + "\n";
}

bool HoopsFromJson(const json& document, std::vector<HoopData>& hoops, std::string& error) {
    JsonReader reader(error);
    if (!reader.Object(document, "", {"hoops"}))
        return false;
    if (!document.contains("hoops"))
        return reader.Fail("hoops", "missing");
    const json& list = document["hoops"];
    if (!list.is_array())
        return reader.Fail("hoops", "expected an array of hoops");
    for (size_t index = 0; index < list.size(); ++index) {
        HoopData hoop;
        if (!reader.Hoop(list[index], "hoops[" + std::to_string(index) + "]", hoop))
            return false;
        hoops.push_back(hoop);
    }
    return true;
}
