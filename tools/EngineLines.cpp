#include "EngineLines.h"

#include <cstdio>

namespace {
bool EndsLoaderLine(unsigned char byte) {
    return byte == '\r' || byte == '\n' || byte == 0xFF;
}
} // namespace

EngineLines::EngineLines(const std::string& bytes) : bytes_(bytes) {
    int editorLine = 1;
    size_t begin = 0;
    int beginEditorLine = 1;
    for (size_t at = 0; at < bytes_.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(bytes_[at]);
        if (!EndsLoaderLine(byte))
            continue;
        lines_.push_back({begin, at - begin, beginEditorLine});
        bool secondHalfOfCrLf = byte == '\n' && at > 0 && bytes_[at - 1] == '\r';
        if ((byte == '\r' || byte == '\n') && !secondHalfOfCrLf)
            ++editorLine;
        begin = at + 1;
        beginEditorLine = editorLine;
    }
    if (begin < bytes_.size()) {
        tail_ = bytes_.substr(begin);
        tailEditorLine_ = beginEditorLine;
    }
}

int EngineLines::EditorLine(int line) const {
    if (line < 1 || line > Count())
        return 0;
    return lines_[static_cast<size_t>(line - 1)].editorLine;
}

std::string EngineLines::Text(int line) const {
    if (line < 1 || line > Count())
        return {};
    const Line& found = lines_[static_cast<size_t>(line - 1)];
    return bytes_.substr(found.begin, found.length);
}

int EngineLines::FirstLineOfLength(size_t length) const {
    for (size_t index = 0; index < lines_.size(); ++index) {
        if (lines_[index].length >= length)
            return static_cast<int>(index) + 1;
    }
    return 0;
}

std::string PrintableLine(const std::string& text, size_t maxLength) {
    std::string shown;
    for (size_t at = 0; at < text.size(); ++at) {
        if (shown.size() >= maxLength) {
            shown += " ... (" + std::to_string(text.size()) + " characters)";
            break;
        }
        unsigned char byte = static_cast<unsigned char>(text[at]);
        if ((byte >= 0x20 && byte != 0x7F) || byte == '\t') {
            shown += static_cast<char>(byte);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        shown += escaped;
    }
    return shown;
}
