#include "CatalogueGenerator.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>

namespace {

// SplitMix64: small, fast and the same on every platform and standard library.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number from low to high, both included.
    int32_t Between(int32_t low, int32_t high) {
        return low + static_cast<int32_t>(Next() % static_cast<uint64_t>(high - low + 1));
    }
    template <size_t N> const char* Pick(const char* const (&names)[N]) { return names[Next() % N]; }

  private:
    uint64_t state_;
};

const char* const kNames[] = {"Small",  "Medium", "Large",  "Jumbo", "Cap",
                              "Sleeve", "Pocket", "Border", "Quilt", "Magnetic"};
const char* const kShapes[] = {"Oval", "Rectangle", "Round", "Square", "Frame"};
const char* const kLabels[] = {"Left", "Right", "Top", "Bottom", "Clamp", "Arm"};

void AppendFormat(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
void AppendFormat(std::string& text, const char* format, ...) {
    char piece[512];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    if (length < 0 || static_cast<size_t>(length) >= sizeof piece)
        throw std::runtime_error("catalogue piece too long");
    text.append(piece, static_cast<size_t>(length));
}

void SetRect(int32_t* rect, int32_t halfWidth, int32_t halfHeight) {
    rect[0] = -halfWidth;
    rect[1] = halfHeight;
    rect[2] = halfWidth;
    rect[3] = -halfHeight;
}

GeneratedMount MakeMount(Random& random, int mount) {
    GeneratedMount m;
    m.id = random.Between(1, 99);
    m.label = std::string(random.Pick(kLabels)) + " " + std::to_string(mount + 1);
    m.rotation = 90 * random.Between(0, 3);
    m.limits[0] = -random.Between(0, 1500);
    m.limits[1] = random.Between(0, 1500);
    m.limits[2] = -random.Between(0, 1500);
    m.limits[3] = random.Between(0, 1500);
    return m;
}

void AppendRectSection(std::string& text, int index, const char* name, const int32_t* r) {
    AppendFormat(text, "[hoops.hoop%i.%s]\r\nrect=%i,%i,%i,%i\r\ntext=\"\"\r\n\r\n", index, name, r[0], r[1],
                 r[2], r[3]);
}

// The binary form: big-endian counts and sizes, little-endian elements.
void PutBig16(std::string& bytes, size_t value) {
    if (value > 0xFFFF)
        throw std::runtime_error("count too large for the binary form");
    bytes += static_cast<char>((value >> 8) & 0xFF);
    bytes += static_cast<char>(value & 0xFF);
}

void PutName(std::string& bytes, const std::string& name) {
    if (name.empty() || name.size() > 127)
        throw std::runtime_error("name does not fit the binary form");
    bytes += static_cast<char>(name.size());
    bytes += name;
}

class BinarySections {
  public:
    void Section(const std::string& name) {
        FlushCount();
        PutName(body_, name);
        countAt_ = body_.size();
        body_ += std::string(2, '\0');
        values_ = 0;
        ++sections_;
    }
    void Ints(const std::string& name, const int32_t* elements, size_t count) {
        Value(1, name, count);
        for (size_t k = 0; k < count; ++k)
            for (int shift = 0; shift < 32; shift += 8)
                body_ += static_cast<char>((static_cast<uint32_t>(elements[k]) >> shift) & 0xFF);
    }
    void Int(const std::string& name, int32_t element) { Ints(name, &element, 1); }
    // Empty strings are passed over, as the text loader passes over a pair of quotes.
    void String(const std::string& name, const std::string& text) {
        if (text.empty())
            return;
        Value(5, name, text.size());
        body_ += text;
    }
    std::string Bytes() {
        FlushCount();
        std::string header = "INB";
        header += std::string("\x08\x0D\x01", 3);
        uint32_t size = static_cast<uint32_t>(32 + body_.size());
        for (int shift = 24; shift >= 0; shift -= 8)
            header += static_cast<char>((size >> shift) & 0xFF);
        header += std::string(2, '\0'); // tags 1 and 2
        PutBig16(header, 0);            // tag 3
        PutBig16(header, 1);            // version
        header += std::string(6, '\0'); // words 1 to 3
        PutBig16(header, sections_);
        header += std::string(8, '\0');
        return header + body_;
    }

  private:
    void Value(int type, const std::string& name, size_t count) {
        body_ += static_cast<char>(type);
        PutName(body_, name);
        PutBig16(body_, count);
        ++values_;
    }
    void FlushCount() {
        if (sections_ == 0)
            return;
        std::string count;
        PutBig16(count, values_);
        body_.replace(countAt_, 2, count);
    }

    std::string body_;
    size_t countAt_ = 0;
    size_t values_ = 0;
    size_t sections_ = 0;
};

void AppendBinaryHoop(BinarySections& out, const CatalogueRecipe& recipe, int position) {
    GeneratedHoop hoop = MakeHoop(recipe, position);
    std::string name = "hoops.hoop" + std::to_string(recipe.firstIndex + position);
    out.Section(name);
    out.String("description", hoop.description);
    out.String("shape", hoop.shape);
    if (recipe.pointsLines && !hoop.points.empty())
        out.Ints("points", hoop.points.data(), hoop.points.size());
    out.Section(name + ".sewfield");
    out.Ints("rect", hoop.sewField, 4);
    out.Section(name + ".innerdim");
    out.Ints("rect", hoop.innerDim, 4);
    out.Section(name + ".outerdim");
    out.Ints("rect", hoop.outerDim, 4);
    if (hoop.mounts.empty())
        return;
    out.Section(name + ".mounts");
    for (size_t j = 0; j < hoop.mounts.size(); ++j) {
        const GeneratedMount& m = hoop.mounts[j];
        out.Section(name + ".mounts.mount" + std::to_string(j));
        out.Int("id", m.id);
        out.String("label", m.label);
        out.Int("rotation", m.rotation);
        out.Ints("lowhighxy", m.limits, 4);
    }
}

} // namespace

GeneratedHoop MakeHoop(const CatalogueRecipe& recipe, int position) {
    Random random(recipe.seed * 0x100000001B3ull + static_cast<uint64_t>(position));
    GeneratedHoop hoop;
    int32_t halfWidth = random.Between(200, 2000), halfHeight = random.Between(200, 2000);
    hoop.description = std::string(random.Pick(kNames)) + " " + std::to_string(halfWidth / 5) + "x" +
                       std::to_string(halfHeight / 5) + " mm";
    hoop.shape = random.Pick(kShapes);
    SetRect(hoop.sewField, halfWidth, halfHeight);
    int32_t inner = random.Between(50, 200), outer = inner + random.Between(100, 300);
    SetRect(hoop.innerDim, halfWidth + inner, halfHeight + inner);
    SetRect(hoop.outerDim, halfWidth + outer, halfHeight + outer);
    for (int k = 0; k < recipe.points; ++k) {
        hoop.points.push_back(random.Between(-(halfWidth + outer), halfWidth + outer));
        hoop.points.push_back(random.Between(-(halfHeight + outer), halfHeight + outer));
    }
    for (int j = 0; j < recipe.mounts; ++j)
        hoop.mounts.push_back(MakeMount(random, j));
    return hoop;
}

std::string HoopText(const CatalogueRecipe& recipe, int position) {
    GeneratedHoop hoop = MakeHoop(recipe, position);
    int index = recipe.firstIndex + position;
    std::string text;
    AppendFormat(text, "[hoops.hoop%i]\r\ndescription=\"%s\"\r\nshape=\"%s\"\r\ntext=\"\"\r\n", index,
                 hoop.description.c_str(), hoop.shape.c_str());
    if (!recipe.pointsLines || hoop.points.empty()) {
        text += "\r\n";
    } else {
        text += "points=";
        for (size_t k = 0; k < hoop.points.size(); k += 2)
            AppendFormat(text, k == 0 ? "%d,%d" : ",%d,%d", hoop.points[k], hoop.points[k + 1]);
        text += "\r\n\r\n";
    }
    AppendRectSection(text, index, "sewfield", hoop.sewField);
    AppendRectSection(text, index, "innerdim", hoop.innerDim);
    AppendRectSection(text, index, "outerdim", hoop.outerDim);
    if (hoop.mounts.empty())
        return text;
    AppendFormat(text, "[hoops.hoop%i.mounts]\r\ntext=\"\"\r\n\r\n", index);
    for (size_t j = 0; j < hoop.mounts.size(); ++j) {
        const GeneratedMount& m = hoop.mounts[j];
        AppendFormat(text,
                     "[hoops.hoop%i.mounts.mount%i]\r\nid=%i\r\nlabel=\"%s\"\r\nrotation=%i\r\n"
                     "lowhighxy=%i,%i,%i,%i\r\ntext=\"\"\r\n\r\n",
                     index, static_cast<int>(j), m.id, m.label.c_str(), m.rotation, m.limits[0], m.limits[1],
                     m.limits[2], m.limits[3]);
    }
    return text;
}

std::string CatalogueText(const CatalogueRecipe& recipe) {
    std::string text = "[hoops]\r\ntext=\"\"\r\n\r\n";
    for (int position = 0; position < recipe.hoops; ++position)
        text += HoopText(recipe, position);
    return text;
}

std::string CatalogueBinary(const CatalogueRecipe& recipe) {
    BinarySections out;
    out.Section("hoops");
    for (int position = 0; position < recipe.hoops; ++position)
        AppendBinaryHoop(out, recipe, position);
    return out.Bytes();
}

int HoopsForSize(size_t bytes, const CatalogueRecipe& recipe) {
    size_t size = CatalogueText(CatalogueRecipe{0, 0, 0, 0, 0, true}).size();
    int hoops = 0;
    while (size < bytes)
        size += HoopText(recipe, hoops++).size();
    return hoops;
}
