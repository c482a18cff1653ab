// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/LinePieceReader.h"

#include <algorithm>
#include <cstring>

namespace lumetra {
namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

LinePieceReader::LinePieceReader(std::FILE* file, std::size_t maxPiece, std::uintmax_t maxBytes)
    : file_(file), maxPiece_(std::max<std::size_t>(maxPiece, 1)), maxBytes_(maxBytes) {
    buffer_.resize(std::max(kBlockSize, 2 * maxPiece_));
}

LinePieceReader::LinePieceReader(std::string_view bytes, std::size_t maxPiece)
    : maxPiece_(std::max<std::size_t>(maxPiece, 1)), pending_(bytes), atEnd_(true) {}

void LinePieceReader::refill() {
    // Keeps the unread rest at the front of the buffer and fills the space behind it.
    const std::size_t kept = pending_.size();
    if (kept > 0 && pending_.data() != buffer_.data()) {
        std::memmove(buffer_.data(), pending_.data(), kept);
    }
    const std::size_t got = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, file_);
    if (got < buffer_.size() - kept) {
        atEnd_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    pending_ = std::string_view(buffer_.data(), kept + got);
    bytesRead_ += got;
    if (bytesRead_ > maxBytes_) {
        atEnd_ = true;
        tooLarge_ = true;
    }
}

void LinePieceReader::skipByteOrderMark() {
    atStart_ = false;
    if (pending_.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        pending_.remove_prefix(kUtf8ByteOrderMark.size());
    }
}

bool LinePieceReader::next(std::string_view& piece) {
    if (!atEnd_ && pending_.size() < maxPiece_ && pending_.find('\n') == std::string_view::npos) {
        refill();
    }
    if (atStart_) {
        skipByteOrderMark();
    }
    if (tooLarge_ || pending_.empty()) {
        return false;
    }
    const std::size_t window = std::min(pending_.size(), maxPiece_);
    const std::size_t lineFeed = pending_.substr(0, window).find('\n');
    const std::size_t length = lineFeed == std::string_view::npos ? window : lineFeed + 1;
    piece = pending_.substr(0, length);
    pending_.remove_prefix(length);
    return true;
}

std::string_view untilZeroByte(std::string_view piece) {
    return piece.substr(0, std::min(piece.size(), piece.find('\0')));
}

}  // namespace lumetra
