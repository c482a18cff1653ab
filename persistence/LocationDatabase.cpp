// SPDX-License-Identifier: GPL-3.0-or-later
#include "persistence/LocationDatabase.h"

#include <algorithm>
#include <iterator>

#include "persistence/FileAccess.h"
#include "persistence/LinePieceReader.h"
#include "persistence/NaturalCompare.h"
#include "support/Windows1252.h"

namespace lumetra {
namespace {

// fgets with a buffer of kLocationLineBuffer bytes takes at most one byte less.
constexpr std::size_t kMaxPiece = kLocationLineBuffer - 1;

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

LocationList readAll(LinePieceReader& reader) {
    LocationList list;
    std::string_view piece;
    while (reader.next(piece)) {
        const std::string_view line = untilZeroByte(piece);
        if (isLocationCommentLine(line)) {
            continue;
        }
        LocationLine entry;
        entry.text = windows1252ToUtf8(line);
        // Sorting compares Windows-1252 bytes; a file saved as UTF-8 sorts the same way.
        entry.sortKey = utf8ToWindows1252(entry.text);
        list.push_back(std::move(entry));
    }
    // A stable sort keeps equal lines in file order, and it stays within bounds even for an
    // order that is not strictly weak, which natural comparison does not promise.
    std::stable_sort(list.begin(), list.end(), [](const LocationLine& a, const LocationLine& b) {
        return NaturalCompare(a.sortKey, b.sortKey) < 0;
    });
    return list;
}

}  // namespace

bool isLocationCommentLine(std::string_view bytes) {
    return bytes.empty() || bytes[0] == ';' || bytes[0] == '\r' || bytes[0] == '\n' ||
           bytes[0] == '\0';
}

LocationList readLocationList(std::string_view bytes) {
    LinePieceReader reader(bytes, kMaxPiece);
    return readAll(reader);
}

LocationList readLocationList(std::FILE* file, bool* readFailed) {
    LinePieceReader reader(file, kMaxPiece, kMaxReadFileSize);
    LocationList list = readAll(reader);
    if (readFailed != nullptr) {
        *readFailed = reader.failed() || reader.tooLarge();
    }
    return list;
}

std::vector<std::string_view> splitLocationFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t separator = line.find(';', start);
        if (separator == std::string_view::npos) {
            if (start < line.size() || fields.empty()) {
                fields.push_back(line.substr(start));
            }
            return fields;
        }
        fields.push_back(line.substr(start, separator - start));
        start = separator + 1;
    }
}

std::string placeName(std::string_view line) {
    std::string_view name = line.substr(0, std::min(line.size(), line.find(';')));
    // Cut to 255 characters, counting UTF-8 characters, never inside one.
    std::size_t characters = 0;
    std::size_t end = 0;
    while (end < name.size() && characters < kMaxPlaceNameLength) {
        ++end;
        while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) {
            ++end;
        }
        ++characters;
    }
    name = name.substr(0, end);
    while (!name.empty() && isWhiteSpace(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && isWhiteSpace(name.back())) {
        name.remove_suffix(1);
    }
    return std::string(name);
}

std::string placeSearchKey(std::string_view name) {
    while (!name.empty() && isWhiteSpace(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && isWhiteSpace(name.back())) {
        name.remove_suffix(1);
    }
    // The UTF-8 second bytes after 0xC3 of the letters spelt out.
    constexpr struct {
        unsigned char second;
        std::string_view spelt;
    } kSpeltOut[] = {{0x84, "ae"}, {0xA4, "ae"}, {0x96, "oe"}, {0xB6, "oe"},
                     {0x9C, "ue"}, {0xBC, "ue"}, {0x9F, "ss"}};
    constexpr std::string_view kCapitalSharpS = "\xE1\xBA\x9E";
    std::string key;
    key.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') {
            key += static_cast<char>(c - 'A' + 'a');
            continue;
        }
        if (c == 0xC3 && i + 1 < name.size()) {
            const auto second = static_cast<unsigned char>(name[i + 1]);
            const auto* spelt = std::find_if(std::begin(kSpeltOut), std::end(kSpeltOut),
                                             [&](const auto& s) { return s.second == second; });
            if (spelt != std::end(kSpeltOut)) {
                key += spelt->spelt;
                ++i;
                continue;
            }
            // The other Latin-1 capitals (U+00C0..U+00DE but the multiplication sign).
            if (second >= 0x80 && second <= 0x9E && second != 0x97) {
                key += static_cast<char>(c);
                key += static_cast<char>(second + 0x20);
                ++i;
                continue;
            }
        }
        if (name.substr(i, kCapitalSharpS.size()) == kCapitalSharpS) {
            key += "ss";
            i += kCapitalSharpS.size() - 1;
            continue;
        }
        key += static_cast<char>(c);
    }
    return key;
}

}  // namespace lumetra
