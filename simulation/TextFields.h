// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
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

// The fields between separators, each without surrounding blanks. The second form reuses
// `fields`' storage, so that a reader of many lines allocates once.
std::vector<std::string_view> splitFields(std::string_view line, char separator);
void splitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);

// Each field as a finite decimal number (point as decimal separator, the whole field);
// false when one is not.
bool parseNumbers(std::span<const std::string_view> fields, std::vector<double>& numbers);

// The numbers in the fields after the first one of a separated line, read in one pass (the
// load profile has thousands); false unless there are exactly `count`, each a finite decimal
// number with at most blanks around it.
bool parseNumbersAfterFirstField(std::string_view line, char separator, std::size_t count,
                                 std::vector<double>& numbers);

}  // namespace lumetra::simulation
