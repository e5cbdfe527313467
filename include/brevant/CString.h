// A growable single-byte text, standing in for the framework's string class.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

class CString {
  public:
    CString() = default;
    CString(const char* text) : text_(text ? text : "") {}
    CString(const std::string& text) : text_(text) {}

    // printf-style formatting that replaces the content; "%s" takes its text literally.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        va_list args;
        va_start(args, format);
        FormatV(format, args);
        va_end(args);
    }

    void FormatV(const char* format, va_list args) {
        va_list measure;
        va_copy(measure, args);
        int length = std::vsnprintf(nullptr, 0, format, measure);
        va_end(measure);
        if (length < 0) {
            text_.clear();
            return;
        }
        text_.resize(static_cast<size_t>(length));
        std::vsnprintf(&text_[0], static_cast<size_t>(length) + 1, format, args);
    }

    CString& operator=(const char* text) {
        text_.assign(text ? text : "");
        return *this;
    }
    CString& operator+=(const CString& other) {
        text_ += other.text_;
        return *this;
    }
    CString& operator+=(const char* text) {
        if (text)
            text_ += text;
        return *this;
    }
    CString& operator+=(char c) {
        text_ += c;
        return *this;
    }

    int GetLength() const { return static_cast<int>(text_.size()); }
    const char* GetString() const { return text_.c_str(); }
    operator const char*() const { return text_.c_str(); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const std::string& str() const { return text_; }

    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const char* b) { return a.text_ == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }

  private:
    std::string text_;
};
