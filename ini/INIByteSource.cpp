#include "ini/INIByteSource.h"

#include <climits>
#include <cstring>

size_t INIByteSource::Read(void* into, size_t count) {
    if (stream_)
        return std::fread(into, 1, count, stream_);
    size_t left = size_ - position_;
    if (count >= left) {
        metEnd_ = count > left || left == 0;
        count = left;
    }
    if (count > 0)
        std::memcpy(into, bytes_ + position_, count);
    position_ += count;
    return count;
}

bool INIByteSource::AtEnd() const {
    return stream_ ? std::feof(stream_) != 0 : metEnd_;
}

long INIByteSource::Position() const {
    if (stream_)
        return std::ftell(stream_);
    return position_ <= size_t(LONG_MAX) ? static_cast<long>(position_) : -1;
}

bool INIByteSource::Seek(long position) {
    if (stream_)
        return std::fseek(stream_, position, SEEK_SET) == 0;
    if (position < 0 || static_cast<size_t>(position) > size_)
        return false;
    position_ = static_cast<size_t>(position);
    metEnd_ = false;
    return true;
}

long INIByteSource::Size() {
    if (!stream_)
        return size_ <= size_t(LONG_MAX) ? static_cast<long>(size_) : -1;
    long position = std::ftell(stream_);
    if (position < 0 || std::fseek(stream_, 0, SEEK_END) != 0)
        return -1;
    long size = std::ftell(stream_);
    if (std::fseek(stream_, position, SEEK_SET) != 0)
        return -1;
    return size;
}
