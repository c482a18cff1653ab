// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace lumetra {

// One argument of formatText: an integer, a floating-point number or a text.
using FormatArg = std::variant<long long, double, std::string_view>;

// printf-style formatting, independent of the C library's locale.
//
// Conversions: "%s", "%i"/"%d" (flags "-", "0", "+", " "; width), "%f" (width, precision,
// default 6), "%g", "%%", and "%F": like "%f", then the digits of the integer part are grouped
// in threes with one blank ("%.0F" of 1234567 gives "1 234 567").
// "f" and "F" round by adding 0.499999999999 units of the last printed digit to the magnitude
// and cutting off, so an exact half rounds toward zero ("%.0f" of 2.5 gives "2").
// A value that is not finite prints as "1.#INF" or "1.#NAN" after its sign.
// An argument of the wrong kind for its conversion is converted (an integer for "%f" is
// printed as a double); a missing argument prints nothing. Width counts characters.
std::string formatText(std::string_view format, std::span<const FormatArg> args);

namespace detail {
template <class T>
FormatArg toFormatArg(const T& value) {
    if constexpr (std::same_as<T, bool>) {
        return static_cast<long long>(value);
    } else if constexpr (std::integral<T>) {
        return static_cast<long long>(value);
    } else if constexpr (std::floating_point<T>) {
        return static_cast<double>(value);
    } else {
        return std::string_view(value);
    }
}
}  // namespace detail

// Type-safe front end: formatString("%.2F %s ", 5.0, "m") gives "5.00 m ".
template <class... Args>
std::string formatString(std::string_view format, const Args&... args) {
    const FormatArg list[] = {detail::toFormatArg(args)..., FormatArg{0LL}};
    return formatText(format, std::span<const FormatArg>(list, sizeof...(Args)));
}

}  // namespace lumetra
