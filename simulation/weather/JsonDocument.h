// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::simulation {

// A JSON value (RFC 8259) with the line it begins on, for the weather file reader. Numbers
// are read as doubles, strings with their escapes resolved (\u as UTF-8).
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    int line = 1;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;    // of an array, or the values of an object's members
    std::vector<std::string> names;  // of an object's members, in file order

    // The first member of an object named `key`; nothing for another kind.
    const JsonValue* member(std::string_view key) const;
};

// Parses a whole document. Nesting deeper than 64 levels is refused, so that a hostile file
// cannot exhaust the stack. Nothing, and "Zeile N: ..." in `error`, for a malformed text.
std::optional<JsonValue> parseJson(std::string_view text, std::string* error);

}  // namespace lumetra::simulation
