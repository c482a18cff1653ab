// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TextFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "support/CharClass.h"

namespace lumetra {

namespace {

struct Conversion {
    bool leftAlign = false;
    bool zeroPad = false;
    bool plusSign = false;
    bool spaceSign = false;
    int width = 0;
    int precision = -1;  // -1: none given
    char conversion = 0;
};

// Beyond this many fraction digits a double has nothing left to show; larger precisions are
// padded with zeros instead of asking the converter for them.
constexpr int kMaxExactFractionDigits = 1100;
constexpr int kMaxFieldWidth = 4096;

int utf8Length(std::string_view text) {
    int count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

// The first `characters` UTF-8 characters of `text`.
std::string_view utf8Prefix(std::string_view text, int characters) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == characters) {
                return text.substr(0, i);
            }
            ++count;
        }
    }
    return text;
}

void appendPadded(std::string& out, std::string_view sign, std::string_view body,
                  const Conversion& conversion, bool zeroPadAllowed) {
    const int length = utf8Length(sign) + utf8Length(body);
    const int padding = conversion.width > length ? conversion.width - length : 0;
    if (conversion.leftAlign) {
        out += sign;
        out += body;
        out.append(static_cast<std::size_t>(padding), ' ');
    } else if (conversion.zeroPad && zeroPadAllowed) {
        out += sign;
        out.append(static_cast<std::size_t>(padding), '0');
        out += body;
    } else {
        out.append(static_cast<std::size_t>(padding), ' ');
        out += sign;
        out += body;
    }
}

std::string_view signText(bool negative, const Conversion& conversion) {
    if (negative) {
        return "-";
    }
    if (conversion.plusSign) {
        return "+";
    }
    if (conversion.spaceSign) {
        return " ";
    }
    return {};
}

long long toInteger(const FormatArg& arg) {
    if (const auto* i = std::get_if<long long>(&arg)) {
        return *i;
    }
    if (const auto* d = std::get_if<double>(&arg)) {
        // Cut toward zero as a C cast does, but without its undefined cases.
        if (std::isnan(*d)) {
            return 0;
        }
        if (*d >= 9.2233720368547758e18) {
            return std::numeric_limits<long long>::max();
        }
        if (*d <= -9.2233720368547758e18) {
            return std::numeric_limits<long long>::min();
        }
        return static_cast<long long>(*d);
    }
    return 0;
}

double toDouble(const FormatArg& arg) {
    if (const auto* d = std::get_if<double>(&arg)) {
        return *d;
    }
    if (const auto* i = std::get_if<long long>(&arg)) {
        return static_cast<double>(*i);
    }
    return 0.0;
}

void formatInteger(std::string& out, long long value, const Conversion& conversion) {
    const bool negative = value < 0;
    // The magnitude as unsigned, so that the smallest long long has one too.
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    std::array<char, 32> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude);
    std::string_view body(digits.data(), static_cast<std::size_t>(result.ptr - digits.data()));
    std::string zeros;
    if (conversion.precision >= 0) {
        // A precision is the minimum number of digits; with it the 0 flag is ignored, as in C.
        if (conversion.precision == 0 && magnitude == 0) {
            body = {};
        } else if (static_cast<std::size_t>(conversion.precision) > body.size()) {
            zeros.assign(static_cast<std::size_t>(conversion.precision) - body.size(), '0');
            zeros += body;
            body = zeros;
        }
    }
    appendPadded(out, signText(negative, conversion), body, conversion, conversion.precision < 0);
}

void formatNonFinite(std::string& out, double value, const Conversion& conversion) {
    appendPadded(out, signText(std::signbit(value), conversion),
                 std::isnan(value) ? "1.#NAN" : "1.#INF", conversion, false);
}

// Digits of `magnitude` (finite, >= 0) cut, not rounded, after `precision` fraction digits.
// The decimal expansion of a double is finite, so asking the converter for every digit it has
// and dropping the surplus cuts exactly.
std::string cutFixed(double magnitude, int precision) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    // magnitude = m * 2^(exponent - 53) with an integer m: that many fraction digits are exact.
    int exactDigits = 53 - exponent;
    if (exactDigits < 0) {
        exactDigits = 0;
    }
    if (exactDigits > kMaxExactFractionDigits) {
        exactDigits = kMaxExactFractionDigits;
    }
    std::array<char, 320 + kMaxExactFractionDigits + 8> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, exactDigits);
    auto length = static_cast<std::size_t>(result.ptr - buffer.data());
    if (exactDigits > precision) {
        // Drop the surplus digits; with precision 0 the point goes too.
        length -= static_cast<std::size_t>(exactDigits - precision) + (precision == 0 ? 1 : 0);
    }
    std::string text(std::string_view(buffer.data(), length));
    if (exactDigits < precision) {
        if (exactDigits == 0) {
            text += '.';
        }
        text.append(static_cast<std::size_t>(precision - exactDigits), '0');
    }
    return text;
}

double powerOfTen(int exponent) {
    static constexpr std::array<double, 23> kPowers = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (exponent >= 0 && exponent < static_cast<int>(kPowers.size())) {
        return kPowers[static_cast<std::size_t>(exponent)];
    }
    return std::pow(10.0, exponent);
}

void groupIntegerDigits(std::string& text) {
    const std::size_t point = text.find('.');
    const std::size_t integerDigits = point == std::string::npos ? text.size() : point;
    if (integerDigits <= 3) {
        return;
    }
    std::string grouped;
    grouped.reserve(text.size() + integerDigits / 3);
    for (std::size_t i = 0; i < integerDigits; ++i) {
        if (i > 0 && (integerDigits - i) % 3 == 0) {
            grouped += ' ';
        }
        grouped += text[i];
    }
    grouped.append(text, integerDigits, std::string::npos);
    text = std::move(grouped);
}

void formatFixed(std::string& out, double value, const Conversion& conversion, bool grouped) {
    if (!std::isfinite(value)) {
        formatNonFinite(out, value, conversion);
        return;
    }
    const int precision = conversion.precision < 0 ? 6 : conversion.precision;
    // An exact half rounds toward zero: 0.499999999999 units of the last digit, then cut.
    const double magnitude = std::fabs(value) + 0.499999999999 / powerOfTen(precision);
    std::string body = cutFixed(magnitude, precision);
    if (grouped) {
        groupIntegerDigits(body);
    }
    appendPadded(out, signText(std::signbit(value) && value != 0.0, conversion), body, conversion,
                 true);
}

void formatFloat(std::string& out, double value, const Conversion& conversion) {
    if (!std::isfinite(value)) {
        formatNonFinite(out, value, conversion);
        return;
    }
    int precision = conversion.precision < 0 ? 6 : conversion.precision;
    const std::chars_format format = conversion.conversion == 'g' || conversion.conversion == 'G'
                                         ? std::chars_format::general
                                         : std::chars_format::scientific;
    if (format == std::chars_format::general && precision == 0) {
        precision = 1;
    }
    if (precision > kMaxExactFractionDigits) {
        precision = kMaxExactFractionDigits;
    }
    std::array<char, 320 + kMaxExactFractionDigits + 16> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), format, precision);
    std::string body(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    if (conversion.conversion == 'G' || conversion.conversion == 'E') {
        for (char& c : body) {
            if (c == 'e') {
                c = 'E';
            }
        }
    }
    appendPadded(out, signText(std::signbit(value) && value != 0.0, conversion), body, conversion,
                 true);
}

void formatText(std::string& out, const FormatArg& arg, const Conversion& conversion) {
    std::string converted;
    std::string_view text;
    if (const auto* s = std::get_if<std::string_view>(&arg)) {
        text = *s;
    } else if (const auto* i = std::get_if<long long>(&arg)) {
        formatInteger(converted, *i, Conversion{});
        text = converted;
    } else {
        Conversion general;
        general.conversion = 'g';
        formatFloat(converted, std::get<double>(arg), general);
        text = converted;
    }
    if (conversion.precision >= 0) {
        text = utf8Prefix(text, conversion.precision);
    }
    appendPadded(out, {}, text, conversion, false);
}

// Reads a decimal number of a width or precision; caps it so that nothing explodes.
int readNumber(std::string_view format, std::size_t& i) {
    int number = 0;
    while (i < format.size() && isDigit(format[i])) {
        if (number < kMaxFieldWidth) {
            number = number * 10 + (format[i] - '0');
        }
        ++i;
    }
    return number < kMaxFieldWidth ? number : kMaxFieldWidth;
}

}  // namespace

std::string formatText(std::string_view format, std::span<const FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        const std::size_t start = i;
        ++i;
        Conversion conversion;
        for (; i < format.size(); ++i) {
            const char flag = format[i];
            if (flag == '-') {
                conversion.leftAlign = true;
            } else if (flag == '0') {
                conversion.zeroPad = true;
            } else if (flag == '+') {
                conversion.plusSign = true;
            } else if (flag == ' ') {
                conversion.spaceSign = true;
            } else if (flag != '#') {
                break;
            }
        }
        conversion.width = readNumber(format, i);
        if (i < format.size() && format[i] == '.') {
            ++i;
            conversion.precision = readNumber(format, i);
        }
        // Length modifiers carry no meaning here: every argument knows its own type.
        while (i < format.size() && (format[i] == 'l' || format[i] == 'h' || format[i] == 'L' ||
                                     format[i] == 'z' || format[i] == 'j' || format[i] == 't')) {
            ++i;
        }
        if (i >= format.size()) {
            out.append(format, start, std::string_view::npos);
            break;
        }
        conversion.conversion = format[i];
        ++i;
        if (conversion.conversion == '%') {
            out += '%';
            continue;
        }
        const bool known =
            std::string_view("sdiufFgGeEc").find(conversion.conversion) != std::string_view::npos;
        if (!known) {
            // An unknown conversion stands as written.
            out.append(format, start, i - start);
            continue;
        }
        if (next >= args.size()) {
            continue;  // a missing argument prints nothing
        }
        const FormatArg& arg = args[next++];
        if (conversion.conversion == 's' || std::holds_alternative<std::string_view>(arg)) {
            formatText(out, arg, conversion);
            continue;
        }
        switch (conversion.conversion) {
            case 'd':
            case 'i':
            case 'u':
                formatInteger(out, toInteger(arg), conversion);
                break;
            case 'c': {
                const char character = static_cast<char>(toInteger(arg));
                Conversion plain = conversion;
                plain.precision = -1;
                appendPadded(out, {}, std::string_view(&character, 1), plain, false);
                break;
            }
            case 'f':
                formatFixed(out, toDouble(arg), conversion, false);
                break;
            case 'F':
                formatFixed(out, toDouble(arg), conversion, true);
                break;
            default:
                formatFloat(out, toDouble(arg), conversion);
                break;
        }
    }
    return out;
}

}  // namespace lumetra
