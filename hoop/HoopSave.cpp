// Writing a catalogue as INI text: every section followed by an empty line, every line ended by CR LF.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "hoop/HoopFiles.h"
#include "hoop/HoopRecords.h"
#include "hoop/HoopRectangles.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include <brevant/INIHoop.h>

namespace {

// The numbers 0 to 9999 as four digits each, with leading zeros.
struct FourDigits {
    char digits[10000][4]{};
    constexpr FourDigits() {
        for (int n = 0; n < 10000; ++n) {
            digits[n][0] = static_cast<char>('0' + n / 1000);
            digits[n][1] = static_cast<char>('0' + n / 100 % 10);
            digits[n][2] = static_cast<char>('0' + n / 10 % 10);
            digits[n][3] = static_cast<char>('0' + n % 10);
        }
    }
};
constexpr FourDigits kFourDigits; // made by the compiler: loading the library runs no code

char* FormatLargeNumber(char* out, uint32_t magnitude);

// Writes a number as "%i" does at `out` and answers the end of the text; `out` needs room for 16 bytes
// although at most 11 remain written. Coordinates are mostly below 10000 in magnitude and of random sign, so
// the common case is written without branches on the sign or the length.
inline char* FormatNumber(char* out, int32_t number) {
    uint32_t magnitude = number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
    *out = '-';
    out += number < 0;
    if (magnitude >= 10000)
        return FormatLargeNumber(out, magnitude);
    int digits = 1 + (magnitude >= 10) + (magnitude >= 100) + (magnitude >= 1000);
    std::memcpy(out, &kFourDigits.digits[0][0] + magnitude * 4 + 4 - digits, 4);
    return out + digits;
}

// A magnitude of 10000 or more: its leading part as above, then groups of four digits.
char* FormatLargeNumber(char* out, uint32_t magnitude) {
    uint32_t low = magnitude % 10000, middle = magnitude / 10000 % 10000, high = magnitude / 100000000;
    if (high > 0) {
        out = FormatNumber(out, static_cast<int32_t>(high));
        std::memcpy(out, kFourDigits.digits[middle], 4);
        out += 4;
    } else {
        out = FormatNumber(out, static_cast<int32_t>(middle));
    }
    std::memcpy(out, kFourDigits.digits[low], 4);
    return out + 4;
}

// A stretch of the writer's buffer with room reserved, filled through a cursor that lives in a register.
struct Stretch {
    char* at;

    template <size_t N> Stretch& operator<<(const char (&literal)[N]) {
        std::memcpy(at, literal, N - 1);
        at += N - 1;
        return *this;
    }
    Stretch& operator<<(int32_t number) {
        at = FormatNumber(at, number);
        return *this;
    }
};

// Collects the formatted text in one large buffer and hands it to the file in few large writes.
class HoopWriter {
  public:
    // Room for any one stretch of fixed text and numbers between two stored texts.
    static const size_t kStretchRoom = 256;

    explicit HoopWriter(HoopTextOutput& out) : out_(out) {
        buffer_ = static_cast<char*>(MemAlloc(kLargeBuffer));
        capacity_ = buffer_ ? kLargeBuffer : sizeof fallback_;
        if (!buffer_)
            buffer_ = fallback_;
    }
    HoopWriter(const HoopWriter&) = delete;
    ~HoopWriter() {
        Flush();
        if (buffer_ != fallback_)
            MemFreeSized(buffer_, kLargeBuffer);
    }

    Stretch Begin() {
        Reserve(kStretchRoom);
        return Stretch{buffer_ + used_};
    }
    void End(const Stretch& stretch) { used_ = static_cast<size_t>(stretch.at - buffer_); }

    // A stored text; a null text is written as the empty one.
    void Text(const char* text) {
        for (size_t length = text ? std::strlen(text) : 0; length > 0;) {
            if (used_ == capacity_)
                Flush();
            size_t part = std::min(length, capacity_ - used_);
            std::memcpy(buffer_ + used_, text, part);
            used_ += part;
            text += part;
            length -= part;
        }
    }

    // Points as "x,y,x,y,...", as many to a reservation as the buffer takes.
    void Points(const POINT* points, int32_t count) {
        for (int32_t k = 0; k < count;) {
            Reserve(2 * kNumberRoom);
            char* out = buffer_ + used_;
            size_t room = (capacity_ - used_) / (2 * kNumberRoom);
            for (int32_t end = static_cast<int32_t>(std::min<size_t>(room, size_t(count - k))) + k; k < end;
                 ++k) {
                out = FormatNumber(out, points[k].x);
                *out++ = ',';
                out = FormatNumber(out, points[k].y);
                *out++ = ',';
            }
            used_ = static_cast<size_t>(out - buffer_);
        }
        used_ -= count > 0; // the comma after the last point
    }

  private:
    static const size_t kLargeBuffer = 1 << 20;
    static const size_t kNumberRoom = 17; // a comma and what FormatNumber may touch

    void Reserve(size_t bytes) {
        if (capacity_ - used_ < bytes)
            Flush();
    }
    void Flush() {
        if (used_ > 0)
            out_.Write(buffer_, used_);
        used_ = 0;
    }

    HoopTextOutput& out_;
    char* buffer_;
    size_t capacity_;
    size_t used_ = 0;
    char fallback_[4096];
};

template <size_t N>
void WriteRectangle(HoopWriter& out, int index, const char (&name)[N], const HoopRecord* hoop,
                    const HoopRectFields& edges) {
    Stretch line = out.Begin();
    line << "[hoops.hoop" << index << "." << name << "]\r\nrect=" << hoop->*edges.left << ","
         << hoop->*edges.top << "," << hoop->*edges.right << "," << hoop->*edges.bottom
         << "\r\ntext=\"\"\r\n\r\n";
    out.End(line);
}

void WriteMount(HoopWriter& out, int index, int j, const MountRecord* mount) {
    Stretch head = out.Begin();
    head << "[hoops.hoop" << index << ".mounts.mount" << j << "]\r\nid=" << mount->iID << "\r\nlabel=\"";
    out.End(head);
    out.Text(mount->caLabel);
    Stretch tail = out.Begin();
    tail << "\"\r\nrotation=" << mount->iRotation << "\r\nlowhighxy=" << mount->iLowX << "," << mount->iHighX
         << "," << mount->iLowY << "," << mount->iHighY << "\r\ntext=\"\"\r\n\r\n";
    out.End(tail);
}

void WriteHoop(HoopWriter& out, const HoopRecord* hoop, int index) {
    Stretch head = out.Begin();
    head << "[hoops.hoop" << index << "]\r\ndescription=\"";
    out.End(head);
    out.Text(hoop->caDescription);
    Stretch shape = out.Begin();
    shape << "\"\r\nshape=\"";
    out.End(shape);
    out.Text(hoop->caShape);
    Stretch text = out.Begin();
    text << "\"\r\ntext=\"\"\r\n";
    if (hoop->iPointCount > 0)
        text << "points=";
    out.End(text);
    out.Points(hoop->opPoints, hoop->iPointCount);
    Stretch rest = out.Begin();
    if (hoop->iPointCount > 0)
        rest << "\r\n"; // the end of the points line
    rest << "\r\n";
    out.End(rest);
    WriteRectangle(out, index, "sewfield", hoop, kSewFieldEdges);
    WriteRectangle(out, index, "innerdim", hoop, kInnerDimEdges);
    WriteRectangle(out, index, "outerdim", hoop, kOuterDimEdges);
    if (!hoop->opFirstMount)
        return;
    Stretch mounts = out.Begin();
    mounts << "[hoops.hoop" << index << ".mounts]\r\ntext=\"\"\r\n\r\n";
    out.End(mounts);
    int j = 0;
    for (const MountRecord* mount = hoop->opFirstMount; mount; mount = mount->opNext)
        WriteMount(out, index, j++, mount);
}

// The file as SaveAs writes it: what a write or the close reports is not looked at.
class UncheckedFileOutput : public HoopTextOutput {
  public:
    explicit UncheckedFileOutput(FILE* file) : file_(file) {}
    void Write(const char* bytes, size_t size) override { std::fwrite(bytes, 1, size, file_); }

  private:
    FILE* file_;
};

} // namespace

void HoopWriteCatalogue(const HoopCatalogue* catalogue, HoopTextOutput& output) {
    HoopWriter out(output);
    Stretch first = out.Begin();
    first << "[hoops]\r\ntext=\"\"\r\n\r\n";
    out.End(first);
    int index = 0;
    for (const HoopRecord* hoop = catalogue->opFirstHoop; hoop; hoop = hoop->opNext)
        WriteHoop(out, hoop, index++);
}

int CINIHoop::SaveAs(const char* path) {
    if (!opCatalogue || !path)
        return 0;
    FILE* file = FileOpenForWriting(path, PathEncoding::system);
    if (!file)
        return 0;
    UncheckedFileOutput output(file);
    HoopWriteCatalogue(opCatalogue, output);
    std::fclose(file);
    return 1;
}
