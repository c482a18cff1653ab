// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra {

// One location line of the location database: "name;latitude;longitude;irradiation", further
// fields ignored.
struct LocationLine {
    std::string text;     // the whole line as read, line end included, UTF-8
    std::string sortKey;  // the same line as Windows-1252 bytes, for NaturalCompare
};

// The location lines of a database in their natural order.
using LocationList = std::vector<LocationLine>;

// Lines are read with a buffer of this size, so a line of more than 4094 characters arrives in
// pieces, each piece counting as a line.
inline constexpr std::size_t kLocationLineBuffer = 4096;
inline constexpr std::size_t kMaxPlaceNameLength = 255;  // characters

// Whether a line (piece) is a comment or an empty line: it begins with ";", a carriage return,
// a line feed or a zero byte. Every other line, one beginning with a blank included, is a place.
bool isLocationCommentLine(std::string_view bytes);

// Reads every location line of a database (bytes in memory or an open file) and sorts them
// ascending by NaturalCompare over the whole lines; lines that compare equal keep their order.
LocationList readLocationList(std::string_view bytes);
// `readFailed`, when given, tells whether reading the file failed part way or stopped at
// kMaxReadFileSize; the list then holds only what was read before. A UTF-8 byte-order mark at
// the very start is passed over.
LocationList readLocationList(std::FILE* file, bool* readFailed = nullptr);

// The fields of a line split at ";": empty fields between two separators are kept, but a ";"
// at the very end of the line gives no empty field after it. The last field keeps the line end.
std::vector<std::string_view> splitLocationFields(std::string_view line);

// The place name of a line: the text before its first ";" (the whole line when there is none),
// cut to 255 characters, without white space (blanks, tabs, carriage returns, line feeds) at
// either end.
std::string placeName(std::string_view line);

// A place name (UTF-8) as a search compares it: without white space at either end, letters in
// lower case (ASCII and Latin-1), and the German umlauts and sharp s spelt out ("ä" and "Ä" as
// "ae", "ö" as "oe", "ü" as "ue", "ß" as "ss"), so that "muenchen" finds "München".
std::string placeSearchKey(std::string_view name);

}  // namespace lumetra
