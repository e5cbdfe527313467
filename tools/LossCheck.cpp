#include "LossCheck.h"

#include "Catalogue.h"
#include "EngineLines.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The loader reads lines into a buffer of this size; a longer line stops the load.
constexpr size_t kLoaderLineCapacity = 16384;
constexpr int kLastHoopIndex = 511;

// How the value of a line was written, decided by its first character as the loader decides it.
enum class ValueKind { String, Integers, Real, Character, Raw };

struct SourceValue {
    std::string name; // as written
    ValueKind kind = ValueKind::Integers;
    std::string text;                  // a string's characters; the whole value text otherwise
    std::vector<std::string> elements; // the elements of a list, each stripped
    int line = 0;
};

struct SourceSection {
    std::string name; // lower case
    std::string shownName;
    int line = 0;
    std::vector<SourceValue> values; // the values the reader would find, in order
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Strip(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> SplitElements(const std::string& text) {
    std::vector<std::string> elements;
    size_t begin = 0;
    for (;;) {
        size_t comma = text.find(',', begin);
        elements.push_back(
            Strip(text.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin)));
        if (comma == std::string::npos)
            return elements;
        begin = comma + 1;
    }
}

ValueKind KindOf(const std::string& value) {
    switch (value[0]) {
    case '"':
        return ValueKind::String;
    case '\'':
        return ValueKind::Character;
    case '.':
        return ValueKind::Real;
    case '$':
    case '%':
        return ValueKind::Integers;
    default:
        return value.find('.') != std::string::npos ? ValueKind::Real : ValueKind::Integers;
    }
}

std::string Shown(const std::string& text) {
    return PrintableLine(text, 60);
}

// The document as the reader builds it, and what is lost on the way there.
class TextScanner {
  public:
    TextScanner(const std::map<int, std::string>& faultyLines, std::vector<Loss>& losses)
        : faultyLines_(faultyLines), losses_(losses) {}

    std::vector<SourceSection> Scan(const std::string& bytes) {
        EngineLines lines(bytes);
        for (int line = 1; line <= lines.Count(); ++line) {
            std::string text = lines.Text(line);
            int editorLine = lines.EditorLine(line);
            if (text.size() >= kLoaderLineCapacity) {
                Add(editorLine, LossKind::Unread,
                    "the line is longer than " + std::to_string(kLoaderLineCapacity - 1) +
                        " characters; the loader stops here, so it and every later line are lost");
                return std::move(sections_);
            }
            ScanLine(line, editorLine, text);
        }
        if (lines.HasUnendedLastLine() && !Strip(lines.UnendedLastLine()).empty())
            Add(lines.UnendedLastLineEditorLine(), LossKind::Unread,
                "the last line has no line end, so the loader does not read it: end it with a line break");
        return std::move(sections_);
    }

  private:
    void Add(int line, LossKind kind, const std::string& what) { losses_.push_back({line, kind, what}); }

    void ScanLine(int loaderLine, int line, std::string text) {
        size_t nul = text.find('\0');
        if (nul != std::string::npos) {
            Add(line, LossKind::Ignored,
                "the line holds a NUL byte; the loader does not read what follows it");
            text.resize(nul);
        }
        text = Strip(text);
        if (text.empty())
            return;
        auto faulty = faultyLines_.find(loaderLine);
        if (faulty != faultyLines_.end()) {
            Add(line, LossKind::FaultyLine, "the loader skips this faulty line: " + faulty->second);
            return;
        }
        if (text[0] == ';') {
            Add(line, LossKind::Comment, "the comment \"" + Shown(text) + "\" is not kept");
            return;
        }
        if (text[0] == '[') {
            ScanSection(line, text);
            return;
        }
        ScanValue(line, text);
    }

    void ScanSection(int line, const std::string& text) {
        std::string header = text;
        size_t comment = header.find(';');
        if (comment != std::string::npos) {
            Add(line, LossKind::Comment, "the comment \"" + Shown(header.substr(comment)) + "\" is not kept");
            header = Strip(header.substr(0, comment));
        }
        std::string shown = Strip(header.substr(1, header.size() - 2));
        std::string name = Lower(shown);
        for (size_t index = 0; index < sections_.size(); ++index) {
            if (sections_[index].name == name) {
                Add(line, LossKind::DuplicateSection,
                    "the section [" + shown + "] is given again (first on line " +
                        std::to_string(sections_[index].line) + "); its values join the first");
                current_ = static_cast<int>(index);
                return;
            }
        }
        sections_.push_back({name, shown, line, {}});
        current_ = static_cast<int>(sections_.size()) - 1;
    }

    // Cuts a trailing comment the way the loader does: at each last ';' until the value ends in a quote.
    std::string CutComment(int line, std::string value) {
        size_t cut = std::string::npos;
        size_t semicolon = value.rfind(';');
        while (semicolon != std::string::npos && value.back() != '"' && value.back() != '\'') {
            cut = semicolon;
            value.resize(semicolon);
            if (value.empty())
                break;
            semicolon = value.rfind(';');
        }
        if (cut != std::string::npos)
            Add(line, LossKind::Comment, "the comment after the value is not kept");
        return Strip(value);
    }

    void ScanValue(int line, const std::string& text) {
        size_t equals = text.find('=');
        SourceValue value;
        value.name = Strip(text.substr(0, equals));
        value.line = line;
        std::string written = CutComment(line, Strip(text.substr(equals + 1)));
        if (equals == std::string::npos || written.empty())
            return;
        if (current_ < 0) {
            Add(line, LossKind::Ignored, "the value " + value.name + " stands before the first section");
            return;
        }
        value.kind = KindOf(written);
        if (value.kind == ValueKind::String) {
            if (written.size() == 2)
                return; // an empty string stores nothing
            value.text = written.substr(1, written.size() - 2);
        } else if (value.kind == ValueKind::Character && written.size() == 2) {
            return;
        } else {
            value.text = written;
            value.elements = SplitElements(written);
        }
        Store(std::move(value));
    }

    void Store(SourceValue value) {
        std::vector<SourceValue>& values = sections_[static_cast<size_t>(current_)].values;
        std::string key = Lower(value.name);
        for (auto earlier = values.begin(); earlier != values.end(); ++earlier) {
            if (Lower(earlier->name) != key)
                continue;
            std::string again = value.name + " is given again on line " + std::to_string(value.line);
            if (earlier->text == value.text && earlier->kind == value.kind)
                Add(earlier->line, LossKind::DuplicateKey, again + " with the same value");
            else
                Add(earlier->line, LossKind::Replaced, again + ", which replaces this value");
            values.erase(earlier);
            break;
        }
        values.push_back(std::move(value));
    }

    const std::map<int, std::string>& faultyLines_;
    std::vector<Loss>& losses_;
    std::vector<SourceSection> sections_;
    int current_ = -1;
};

// ---- The hoop schema ----

// A section name split into the hoop schema: "hoops.hoop3.mounts.mount1" is hoop 3, part "mount", mount 1.
struct SchemaName {
    enum class Part { Root, Hoop, Rect, Mounts, Mount, Unknown };
    Part part = Part::Unknown;
    long long hoop = -1;
    long long mount = -1;
};

// A number as the reader's section names print it: decimal digits without leading zeros. -1 otherwise.
long long IndexNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
        (text.size() > 1 && text[0] == '0'))
        return -1;
    return std::stoll(text);
}

bool StartsWith(const std::string& text, const char* prefix, std::string& rest) {
    size_t length = std::strlen(prefix);
    if (text.compare(0, length, prefix) != 0)
        return false;
    rest = text.substr(length);
    return true;
}

SchemaName ParseSchemaName(const std::string& name) {
    SchemaName schema;
    if (name == "hoops") {
        schema.part = SchemaName::Part::Root;
        return schema;
    }
    std::string rest;
    if (!StartsWith(name, "hoops.hoop", rest))
        return schema;
    size_t dot = rest.find('.');
    schema.hoop = IndexNumber(rest.substr(0, dot));
    if (schema.hoop < 0)
        return schema;
    if (dot == std::string::npos) {
        schema.part = SchemaName::Part::Hoop;
        return schema;
    }
    std::string sub = rest.substr(dot + 1);
    if (sub == "sewfield" || sub == "innerdim" || sub == "outerdim") {
        schema.part = SchemaName::Part::Rect;
    } else if (sub == "mounts") {
        schema.part = SchemaName::Part::Mounts;
    } else if (StartsWith(sub, "mounts.mount", rest)) {
        schema.mount = IndexNumber(rest);
        if (schema.mount >= 0)
            schema.part = SchemaName::Part::Mount;
    }
    return schema;
}

// The keys of a section part: name, and for a list of whole numbers the number of values (0: even and more
// than 0; -1: a string).
struct SchemaKey {
    const char* name;
    int count;
};

std::vector<SchemaKey> KeysOf(SchemaName::Part part) {
    switch (part) {
    case SchemaName::Part::Hoop:
        return {{"description", -1}, {"shape", -1}, {"points", 0}};
    case SchemaName::Part::Rect:
        return {{"rect", 4}};
    case SchemaName::Part::Mount:
        return {{"id", 1}, {"label", -1}, {"rotation", 1}, {"lowhighxy", 4}};
    default:
        return {};
    }
}

// What the reader makes of a decimal element, when that is not what it says; an empty text otherwise.
std::string DecimalProblem(const std::string& element) {
    size_t digits = element[0] == '-' ? 1 : 0;
    std::string magnitude = element.substr(digits);
    if (magnitude.empty() || magnitude.find_first_not_of("0123456789") != std::string::npos) {
        long long read = std::strtoll(element.c_str(), nullptr, 0);
        if (magnitude.empty() || !std::isdigit(static_cast<unsigned char>(magnitude[0])))
            return "holds no number";
        return "reads as " + std::to_string(read);
    }
    if (magnitude.size() > 1 && magnitude[0] == '0')
        return "starts with 0, so it reads as the octal number " +
               std::to_string(std::strtoll(element.c_str(), nullptr, 0)) + " (or not at all)";
    long long value = std::stoll(element);
    if (value < INT32_MIN || value > INT32_MAX)
        return "lies beyond the 32-bit range, where the reader's value is not defined";
    return {};
}

class SchemaCheck {
  public:
    SchemaCheck(const std::vector<SourceSection>& sections, std::vector<Loss>& losses)
        : sections_(sections), losses_(losses) {
        for (const SourceSection& section : sections_) {
            SchemaName name = ParseSchemaName(section.name);
            if (name.part == SchemaName::Part::Hoop && name.hoop <= kLastHoopIndex)
                hoops_.push_back(name.hoop);
        }
    }

    void Run() {
        for (const SourceSection& section : sections_)
            CheckSection(section);
    }

  private:
    void Add(int line, LossKind kind, const std::string& what) { losses_.push_back({line, kind, what}); }

    bool HasHoop(long long hoop) const {
        for (long long known : hoops_) {
            if (known == hoop)
                return true;
        }
        return false;
    }

    // Why the reader never reads the section, or an empty text.
    std::string Unread(const SourceSection& section, const SchemaName& name) const {
        std::string shown = "[" + section.shownName + "]";
        if (name.part == SchemaName::Part::Unknown)
            return "the section " + shown + " is not part of a hoop catalogue; the reader passes over it";
        if (name.hoop > kLastHoopIndex)
            return "the section " + shown +
                   " is numbered outside 0 to 511, where the reader never looks: the hoop is lost";
        if (name.part != SchemaName::Part::Root && name.part != SchemaName::Part::Hoop &&
            name.part != SchemaName::Part::Mounts && !HasHoop(name.hoop))
            return "the section " + shown + " belongs to no hoop: there is no [hoops.hoop" +
                   std::to_string(name.hoop) + "]";
        if (name.part == SchemaName::Part::Mount && name.mount >= static_cast<long long>(sections_.size()))
            return "the section " + shown + " is not read: in a file of " + std::to_string(sections_.size()) +
                   " sections the reader looks for mounts 0 to " + std::to_string(sections_.size() - 1) +
                   "; number the mounts from 0";
        return {};
    }

    void CheckSection(const SourceSection& section) {
        SchemaName name = ParseSchemaName(section.name);
        std::string unread = Unread(section, name);
        if (!unread.empty()) {
            Add(section.line, LossKind::Ignored, unread);
            return;
        }
        std::vector<SchemaKey> keys = KeysOf(name.part);
        for (const SourceValue& value : section.values)
            CheckValue(section, keys, value);
    }

    void CheckValue(const SourceSection& section, const std::vector<SchemaKey>& keys,
                    const SourceValue& value) {
        std::string key = Lower(value.name);
        if (key == "text") {
            Add(value.line, LossKind::Text,
                "the text value " + Shown("\"" + value.text + "\"") +
                    " is not kept (the writer writes text=\"\")");
            return;
        }
        for (const SchemaKey& known : keys) {
            if (key == known.name) {
                CheckType(known, value);
                return;
            }
        }
        Add(value.line, LossKind::Ignored,
            "the key " + value.name + " is not part of [" + section.shownName +
                "]; the reader passes over it");
    }

    void CheckType(const SchemaKey& key, const SourceValue& value) {
        if (key.count < 0) {
            if (value.kind != ValueKind::String)
                Add(value.line, LossKind::Ignored,
                    value.name + " must be a text in double quotes; the reader passes over this value");
            return;
        }
        if (value.kind != ValueKind::Integers) {
            Add(value.line, LossKind::Ignored,
                value.name + " must be whole numbers; the reader passes over this value");
            return;
        }
        size_t count = value.elements.size();
        if (key.count > 0 && count != static_cast<size_t>(key.count)) {
            Add(value.line, LossKind::Ignored,
                value.name + " has " + std::to_string(count) + (count == 1 ? " value" : " values") +
                    "; the reader takes it only with exactly " + std::to_string(key.count) +
                    ", so it passes over it");
            return;
        }
        if (key.count == 0 && count % 2 != 0) {
            Add(value.line, LossKind::Ignored,
                value.name + " has " + std::to_string(count) +
                    " values, an odd number; the reader takes x,y pairs only, so it passes over it");
            return;
        }
        for (const std::string& element : value.elements) {
            if (element[0] == '$' || element[0] == '%')
                continue;
            std::string problem = DecimalProblem(element);
            if (!problem.empty())
                Add(value.line, LossKind::Number,
                    "the number " + Shown(element) + " in " + value.name + " " + problem);
        }
    }

    const std::vector<SourceSection>& sections_;
    std::vector<Loss>& losses_;
    std::vector<long long> hoops_;
};

// ---- The binary form ----

class BinaryReader {
  public:
    explicit BinaryReader(const std::string& bytes) : bytes_(bytes) {}
    bool Skip(size_t count) {
        if (bytes_.size() - at_ < count)
            return false;
        at_ += count;
        return true;
    }
    bool Unsigned(size_t size, uint32_t& value) {
        if (bytes_.size() - at_ < size)
            return false;
        value = 0;
        for (size_t index = 0; index < size; ++index)
            value = (value << 8) | static_cast<unsigned char>(bytes_[at_++]);
        return true;
    }
    bool Text(size_t size, std::string& text) {
        if (bytes_.size() - at_ < size)
            return false;
        text = bytes_.substr(at_, size);
        at_ += size;
        return true;
    }
    bool Element(int32_t& value) {
        if (bytes_.size() - at_ < 4)
            return false;
        uint32_t raw = 0;
        for (size_t index = 0; index < 4; ++index)
            raw |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[at_++])) << (8 * index);
        value = static_cast<int32_t>(raw);
        return true;
    }

  private:
    const std::string& bytes_;
    size_t at_ = 0;
};

size_t ElementSize(uint32_t type) {
    return type == 2 || type == 5 ? 1 : 4;
}

bool ReadBinaryValue(BinaryReader& reader, SourceValue& value) {
    uint32_t type = 0;
    uint32_t length = 0;
    uint32_t count = 0;
    if (!reader.Unsigned(1, type) || !reader.Unsigned(1, length) || !reader.Text(length, value.name) ||
        !reader.Unsigned(2, count))
        return false;
    if (type == 5)
        value.kind = ValueKind::String;
    else if (type == 1)
        value.kind = ValueKind::Integers;
    else
        value.kind = type == 2 ? ValueKind::Character : type == 3 ? ValueKind::Real : ValueKind::Raw;
    if (type != 1)
        return reader.Text(count * ElementSize(type), value.text);
    for (uint32_t index = 0; index < count; ++index) {
        int32_t element = 0;
        if (!reader.Element(element))
            return false;
        value.elements.push_back(std::to_string(element));
    }
    if (count == 0) // the document stores a value of no elements as one element
        value.elements.push_back("0");
    return true;
}

std::vector<SourceSection> ReadBinarySections(const std::string& bytes) {
    std::vector<SourceSection> sections;
    BinaryReader reader(bytes);
    uint32_t count = 0;
    if (!reader.Skip(22) || !reader.Unsigned(2, count) || !reader.Skip(8))
        return sections;
    for (uint32_t index = 0; index < count; ++index) {
        SourceSection section;
        uint32_t length = 0;
        uint32_t values = 0;
        if (!reader.Unsigned(1, length) || !reader.Text(length, section.shownName) ||
            !reader.Unsigned(2, values))
            return sections;
        section.name = Lower(section.shownName);
        for (uint32_t value = 0; value < values; ++value) {
            section.values.emplace_back();
            if (!ReadBinaryValue(reader, section.values.back()))
                return sections;
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

} // namespace

bool LosesData(LossKind kind) {
    return kind != LossKind::DuplicateSection && kind != LossKind::DuplicateKey;
}

std::vector<Loss> FindTextLosses(const std::string& bytes, const std::map<int, std::string>& faultyLines) {
    std::vector<Loss> losses;
    std::vector<SourceSection> sections = TextScanner(faultyLines, losses).Scan(bytes);
    SchemaCheck(sections, losses).Run();
    std::stable_sort(losses.begin(), losses.end(),
                     [](const Loss& a, const Loss& b) { return a.line < b.line; });
    return losses;
}

std::vector<Loss> FindBinaryLosses(const std::string& bytes) {
    std::vector<Loss> losses;
    std::vector<SourceSection> sections = ReadBinarySections(bytes);
    SchemaCheck(sections, losses).Run();
    return losses;
}

std::vector<Loss> FindLosses(const CatalogueInput& input) {
    if (input.binary)
        return FindBinaryLosses(input.bytes);
    std::map<int, std::string> faultyLines;
    for (const EngineMessage& message : input.report.messages) {
        if (message.kind == EngineMessage::Kind::FaultyLine)
            faultyLines[message.line] = message.text;
    }
    return FindTextLosses(input.bytes, faultyLines);
}
