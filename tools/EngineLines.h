// A text file cut into lines the way the library's loader cuts it, with the line numbers an editor shows.
//
// The loader ends a line at every carriage return, line feed and byte 0xFF, so a CR LF pair ends a line and
// then an empty one: the k-th line of a CR LF file is the loader's line 2k - 1. An editor counts CR LF, a
// lone CR and a lone LF as one line break each and 0xFF as an ordinary character.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class EngineLines {
  public:
    explicit EngineLines(const std::string& bytes);

    // Number of lines the loader can read (a last line without a line end is not among them).
    int Count() const { return static_cast<int>(lines_.size()); }
    // The editor's line number of the loader's line `line` (counted from 1), or 0 when there is no such line.
    int EditorLine(int line) const;
    // The text of the loader's line `line`, or an empty text.
    std::string Text(int line) const;
    // The first loader line of at least `length` characters, or 0.
    int FirstLineOfLength(size_t length) const;
    // Whether the file ends in characters that no line end follows, and the editor line they are on.
    bool HasUnendedLastLine() const { return !tail_.empty(); }
    int UnendedLastLineEditorLine() const { return tailEditorLine_; }
    const std::string& UnendedLastLine() const { return tail_; }

  private:
    struct Line {
        size_t begin;
        size_t length;
        int editorLine;
    };
    std::string bytes_;
    std::vector<Line> lines_;
    std::string tail_;
    int tailEditorLine_ = 0;
};

// A line made fit for a terminal: control characters shown as \xNN, long lines cut.
std::string PrintableLine(const std::string& text, size_t maxLength = 160);
