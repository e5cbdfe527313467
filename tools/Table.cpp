#include "Table.h"

#include <algorithm>

size_t DisplayWidth(const std::string& text) {
    size_t width = 0;
    for (unsigned char byte : text) {
        if ((byte & 0xC0) != 0x80)
            ++width;
    }
    return width;
}

Table::Table(std::vector<std::string> headings) : alignRight_(headings.size(), false) {
    rows_.push_back(std::move(headings));
}

void Table::AlignRight(size_t column) {
    if (column < alignRight_.size())
        alignRight_[column] = true;
}

void Table::AddRow(std::vector<std::string> cells) {
    cells.resize(alignRight_.size());
    rows_.push_back(std::move(cells));
}

void Table::Print(std::ostream& out) const {
    std::vector<size_t> widths(alignRight_.size(), 0);
    for (const auto& row : rows_) {
        for (size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
    for (const auto& row : rows_) {
        std::string line;
        for (size_t column = 0; column < row.size(); ++column) {
            std::string padding(widths[column] - DisplayWidth(row[column]), ' ');
            if (column > 0)
                line += "  ";
            line += alignRight_[column] ? padding + row[column] : row[column] + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}
