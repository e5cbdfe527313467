// Writing a catalogue as INI text: every section followed by an empty line, every line ended by CR LF.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "hoop/HoopRecords.h"
#include "hoop/HoopRectangles.h"
#include "hoop/INIHoop.h"
#include "platform/Memory.h"

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

// Collects the formatted text in one large buffer and hands it to the file in few large writes.
class HoopWriter {
  public:
    explicit HoopWriter(FILE* file) : file_(file) {
        buffer_ = static_cast<char*>(MemAlloc(kLargeBuffer));
        capacity_ = buffer_ ? kLargeBuffer : sizeof fallback_;
        if (!buffer_)
            buffer_ = fallback_;
    }
    HoopWriter(const HoopWriter&) = delete;
    ~HoopWriter() {
        Flush();
        if (buffer_ != fallback_)
            MemFree(buffer_);
    }

    template <size_t N> HoopWriter& operator<<(const char (&literal)[N]) {
        if (capacity_ - used_ < N - 1)
            Flush();
        std::memcpy(buffer_ + used_, literal, N - 1); // literals are far shorter than any buffer
        used_ += N - 1;
        return *this;
    }
    // A stored text; a null text is written as the empty one.
    HoopWriter& Text(const char* text) {
        if (text)
            Put(text, std::strlen(text));
        return *this;
    }
    HoopWriter& operator<<(int32_t number) {
        Reserve(kNumberRoom);
        used_ = static_cast<size_t>(FormatNumber(buffer_ + used_, number) - buffer_);
        return *this;
    }
    // Numbers separated by commas, as rectangles, mount limits and points are written.
    HoopWriter& List(std::initializer_list<int32_t> numbers) {
        Reserve(kNumberRoom * numbers.size());
        char* out = buffer_ + used_;
        for (int32_t number : numbers) {
            if (out != buffer_ + used_)
                *out++ = ',';
            out = FormatNumber(out, number);
        }
        used_ = static_cast<size_t>(out - buffer_);
        return *this;
    }

    // Points as "x,y,x,y,...", as many to a reservation as the buffer takes.
    HoopWriter& Points(const POINT* points, int32_t count) {
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
        return *this;
    }

  private:
    static const size_t kLargeBuffer = 1 << 20;
    static const size_t kNumberRoom = 17; // a comma and what FormatNumber may touch

    void Reserve(size_t bytes) {
        if (capacity_ - used_ < bytes)
            Flush();
    }
    void Put(const char* text, size_t length) {
        while (length > 0) {
            if (used_ == capacity_)
                Flush();
            size_t part = std::min(length, capacity_ - used_);
            std::memcpy(buffer_ + used_, text, part);
            used_ += part;
            text += part;
            length -= part;
        }
    }
    void Flush() {
        if (used_ > 0)
            std::fwrite(buffer_, 1, used_, file_);
        used_ = 0;
    }

    FILE* file_;
    char* buffer_;
    size_t capacity_;
    size_t used_ = 0;
    char fallback_[4096];
};

void WriteRectangle(HoopWriter& out, int index, const char* name, const HoopRecord* hoop,
                    const HoopRectFields& edges) {
    out << "[hoops.hoop" << index << ".";
    out.Text(name) << "]\r\nrect=";
    out.List({hoop->*edges.left, hoop->*edges.top, hoop->*edges.right, hoop->*edges.bottom})
        << "\r\ntext=\"\"\r\n\r\n";
}

void WriteHoop(HoopWriter& out, const HoopRecord* hoop, int index) {
    out << "[hoops.hoop" << index << "]\r\ndescription=\"";
    out.Text(hoop->caDescription) << "\"\r\nshape=\"";
    out.Text(hoop->caShape) << "\"\r\ntext=\"\"\r\n";
    if (hoop->iPointCount > 0) {
        out << "points=";
        out.Points(hoop->opPoints, hoop->iPointCount) << "\r\n";
    }
    out << "\r\n";
    WriteRectangle(out, index, "sewfield", hoop, kSewFieldEdges);
    WriteRectangle(out, index, "innerdim", hoop, kInnerDimEdges);
    WriteRectangle(out, index, "outerdim", hoop, kOuterDimEdges);
    if (!hoop->opFirstMount)
        return;
    out << "[hoops.hoop" << index << ".mounts]\r\ntext=\"\"\r\n\r\n";
    int j = 0;
    for (const MountRecord* mount = hoop->opFirstMount; mount; mount = mount->opNext, ++j) {
        out << "[hoops.hoop" << index << ".mounts.mount" << j << "]\r\nid=" << mount->iID << "\r\nlabel=\"";
        out.Text(mount->caLabel) << "\"\r\nrotation=" << mount->iRotation << "\r\nlowhighxy=";
        out.List({mount->iLowX, mount->iHighX, mount->iLowY, mount->iHighY}) << "\r\ntext=\"\"\r\n\r\n";
    }
}

} // namespace

int CINIHoop::SaveAs(const char* path) {
    if (!opCatalogue || !path)
        return 0;
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return 0;
    {
        HoopWriter out(file);
        out << "[hoops]\r\ntext=\"\"\r\n\r\n";
        int index = 0;
        for (const HoopRecord* hoop = opCatalogue->opFirstHoop; hoop; hoop = hoop->opNext)
            WriteHoop(out, hoop, index++);
    }
    std::fclose(file);
    return 1;
}
