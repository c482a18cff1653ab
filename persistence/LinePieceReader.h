// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace lumetra {

// Reads a text file as lines in bounded memory, the way a fixed line buffer does: a piece
// ends after a line feed or after `maxPiece` bytes, whichever comes first, so a longer line
// arrives in several pieces (each counting as a line of its own). The line end stays in the
// piece. Nothing but one block of the file is ever held. A UTF-8 byte-order mark at the very
// start is no part of the first line and is passed over. A file that turns out longer than
// `maxBytes` is read no further.
class LinePieceReader {
  public:
    // Reads from an open file (which stays the caller's).
    LinePieceReader(std::FILE* file, std::size_t maxPiece, std::uintmax_t maxBytes = UINTMAX_MAX);
    // Reads from bytes in memory (which must outlive the reader).
    LinePieceReader(std::string_view bytes, std::size_t maxPiece);

    // The next piece, valid until the next call; false at the end or on a read error.
    bool next(std::string_view& piece);

    // Whether reading the file failed (not only ended).
    bool failed() const { return failed_; }
    // Whether reading stopped because the file holds more than `maxBytes`.
    bool tooLarge() const { return tooLarge_; }

  private:
    void refill();
    void skipByteOrderMark();

    std::FILE* file_ = nullptr;
    std::size_t maxPiece_;
    std::uintmax_t maxBytes_ = UINTMAX_MAX;
    std::uintmax_t bytesRead_ = 0;
    std::vector<char> buffer_;
    std::string_view pending_;  // unread bytes
    bool atEnd_ = false;
    bool failed_ = false;
    bool tooLarge_ = false;
    bool atStart_ = true;
};

// The part of a piece before its first zero byte: the readers treat a line as a C string.
std::string_view untilZeroByte(std::string_view piece);

}  // namespace lumetra
