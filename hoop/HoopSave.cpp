// Writing a catalogue as INI text: every section followed by an empty line, every line ended by CR LF.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "hoop/HoopRecords.h"
#include "hoop/HoopRectangles.h"
#include "hoop/INIHoop.h"

namespace {

// Collects the formatted text in a fixed buffer and hands it to the file in large writes.
class HoopWriter {
  public:
    explicit HoopWriter(FILE* file) : file_(file) {}
    ~HoopWriter() { Flush(); }

    HoopWriter& operator<<(const char* text) {
        Put(text ? text : "", text ? std::strlen(text) : 0);
        return *this;
    }
    HoopWriter& operator<<(int32_t number) {
        if (sizeof buffer_ - used_ < 12)
            Flush();
        used_ = static_cast<size_t>(std::to_chars(buffer_ + used_, buffer_ + sizeof buffer_, number).ptr -
                                    buffer_);
        return *this;
    }
    // Four numbers separated by commas, as rectangles and mount limits are written.
    HoopWriter& Four(int32_t a, int32_t b, int32_t c, int32_t d) {
        return *this << a << "," << b << "," << c << "," << d;
    }

  private:
    void Put(const char* text, size_t length) {
        while (length > 0) {
            if (used_ == sizeof buffer_)
                Flush();
            size_t part = std::min(length, sizeof buffer_ - used_);
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
    size_t used_ = 0;
    char buffer_[32768];
};

void WriteRectangle(HoopWriter& out, int index, const char* name, const HoopRecord* hoop,
                    const HoopRectFields& edges) {
    out << "[hoops.hoop" << index << "." << name << "]\r\nrect=";
    out.Four(hoop->*edges.left, hoop->*edges.top, hoop->*edges.right, hoop->*edges.bottom)
        << "\r\ntext=\"\"\r\n\r\n";
}

void WriteHoop(HoopWriter& out, const HoopRecord* hoop, int index) {
    out << "[hoops.hoop" << index << "]\r\ndescription=\"" << hoop->caDescription << "\"\r\nshape=\""
        << hoop->caShape << "\"\r\ntext=\"\"\r\n";
    if (hoop->iPointCount > 0) {
        out << "points=";
        for (int32_t k = 0; k < hoop->iPointCount; ++k)
            out << (k ? "," : "") << hoop->opPoints[k].x << "," << hoop->opPoints[k].y;
        out << "\r\n";
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
        out << "[hoops.hoop" << index << ".mounts.mount" << j << "]\r\nid=" << mount->iID << "\r\nlabel=\""
            << mount->caLabel << "\"\r\nrotation=" << mount->iRotation << "\r\nlowhighxy=";
        out.Four(mount->iLowX, mount->iHighX, mount->iLowY, mount->iHighY) << "\r\ntext=\"\"\r\n\r\n";
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
