// Rows of text printed in aligned columns under a header line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class Table {
  public:
    explicit Table(std::vector<std::string> headings);
    // Numbers read best aligned to the right.
    void AlignRight(size_t column);
    void AddRow(std::vector<std::string> cells);
    void Print(std::ostream& out) const;

  private:
    std::vector<std::vector<std::string>> rows_;
    std::vector<bool> alignRight_;
};

// The number of characters a terminal shows for a UTF-8 text (continuation bytes take no room).
size_t DisplayWidth(const std::string& text);
