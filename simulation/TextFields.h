// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

namespace lumetra::simulation {

// The lines of a text (LF or CRLF; a last line without LF counts), without their line ends.
class TextLines {
  public:
    explicit TextLines(std::string_view text) : text_(text) {}

    class Iterator {
      public:
        Iterator(std::string_view rest, bool done) : rest_(rest), done_(done) { advance(); }
        std::string_view operator*() const { return line_; }
        Iterator& operator++() {
            advance();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return done_ != other.done_; }

      private:
        void advance();
        std::string_view rest_;
        std::string_view line_;
        bool done_;
    };

    Iterator begin() const { return Iterator(text_, false); }
    Iterator end() const { return Iterator({}, true); }

  private:
    std::string_view text_;
};

// An empty line or a comment line (beginning with ';'); a UTF-8 byte-order mark is ignored.
bool isSkippedLine(std::string_view line);

// The fields between separators, each without surrounding blanks.
std::vector<std::string_view> splitFields(std::string_view line, char separator);

// Each field as a finite decimal number (point as decimal separator, the whole field);
// false when one is not.
bool parseNumbers(const std::vector<std::string_view>& fields, std::vector<double>& numbers);

}  // namespace lumetra::simulation
