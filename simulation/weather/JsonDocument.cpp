// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/JsonDocument.h"

#include <charconv>
#include <cmath>

#include "simulation/weather/WeatherRows.h"

namespace lumetra::simulation {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> document(std::string* error) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            position_ = 3;
        }
        JsonValue root;
        if (!value(root, 0)) {
            return fail(error);
        }
        skipBlanks();
        if (position_ != text_.size()) {
            problem_ = "Text nach dem Ende des JSON-Dokuments";
            return fail(error);
        }
        return root;
    }

  private:
    std::optional<JsonValue> fail(std::string* error) const {
        if (error != nullptr) {
            *error = lineError(line_, problem_.empty() ? "kein gültiges JSON" : problem_);
        }
        return std::nullopt;
    }

    void skipBlanks() {
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++position_;
        }
    }

    bool expect(char c) {
        skipBlanks();
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        problem_ = std::string("erwartet \"") + c + "\"";
        return false;
    }

    bool literal(std::string_view word) {
        if (text_.substr(position_, word.size()) == word) {
            position_ += word.size();
            return true;
        }
        problem_ = "unbekanntes Wort";
        return false;
    }

    bool value(JsonValue& out, int depth) {
        if (depth > kMaxDepth) {
            problem_ = "zu tief verschachtelt";
            return false;
        }
        skipBlanks();
        out.line = line_;
        if (position_ >= text_.size()) {
            problem_ = "unerwartetes Ende";
            return false;
        }
        switch (text_[position_]) {
            case '{':
                out.kind = JsonValue::Kind::Object;
                return object(out, depth);
            case '[':
                out.kind = JsonValue::Kind::Array;
                return array(out, depth);
            case '"':
                out.kind = JsonValue::Kind::String;
                return string(out.text);
            case 't':
                out.kind = JsonValue::Kind::Boolean;
                out.boolean = true;
                return literal("true");
            case 'f':
                out.kind = JsonValue::Kind::Boolean;
                return literal("false");
            case 'n':
                return literal("null");
            default:
                out.kind = JsonValue::Kind::Number;
                return number(out.number);
        }
    }

    bool object(JsonValue& out, int depth) {
        ++position_;
        skipBlanks();
        if (position_ < text_.size() && text_[position_] == '}') {
            ++position_;
            return true;
        }
        while (true) {
            skipBlanks();
            std::string key;
            if (position_ >= text_.size() || text_[position_] != '"') {
                problem_ = "erwartet einen Namen in Anführungszeichen";
                return false;
            }
            if (!string(key) || !expect(':')) {
                return false;
            }
            out.names.push_back(std::move(key));
            out.items.emplace_back();
            if (!value(out.items.back(), depth + 1)) {
                return false;
            }
            skipBlanks();
            if (position_ < text_.size() && text_[position_] == ',') {
                ++position_;
                continue;
            }
            return expect('}');
        }
    }

    bool array(JsonValue& out, int depth) {
        ++position_;
        skipBlanks();
        if (position_ < text_.size() && text_[position_] == ']') {
            ++position_;
            return true;
        }
        while (true) {
            out.items.emplace_back();
            if (!value(out.items.back(), depth + 1)) {
                return false;
            }
            skipBlanks();
            if (position_ < text_.size() && text_[position_] == ',') {
                ++position_;
                continue;
            }
            return expect(']');
        }
    }

    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }

    bool hex4(unsigned& code) {
        if (text_.size() - position_ < 4) {
            problem_ = "unvollständiges \\u";
            return false;
        }
        const char* first = text_.data() + position_;
        const auto [end, ec] = std::from_chars(first, first + 4, code, 16);
        if (ec != std::errc() || end != first + 4) {
            problem_ = "ungültiges \\u";
            return false;
        }
        position_ += 4;
        return true;
    }

    bool string(std::string& out) {
        ++position_;  // the opening quote
        while (position_ < text_.size()) {
            const char c = text_[position_++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                problem_ = "Steuerzeichen in einer Zeichenkette";
                return false;
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (position_ >= text_.size()) {
                break;
            }
            const char escaped = text_[position_++];
            switch (escaped) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(escaped);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    unsigned code = 0;
                    if (!hex4(code)) {
                        return false;
                    }
                    // A surrogate pair makes one character; a lone half is replaced.
                    if (code >= 0xD800 && code < 0xDC00 && text_.substr(position_, 2) == "\\u") {
                        position_ += 2;
                        unsigned low = 0;
                        if (!hex4(low)) {
                            return false;
                        }
                        code = low >= 0xDC00 && low < 0xE000
                                   ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)
                                   : 0xFFFD;
                    } else if (code >= 0xD800 && code < 0xE000) {
                        code = 0xFFFD;
                    }
                    appendUtf8(out, code);
                    break;
                }
                default:
                    problem_ = "ungültiges Escape-Zeichen";
                    return false;
            }
        }
        problem_ = "Zeichenkette ohne Ende";
        return false;
    }

    bool number(double& out) {
        const std::size_t start = position_;
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' ||
                c == 'E') {
                ++position_;
            } else {
                break;
            }
        }
        const char* first = text_.data() + start;
        const char* last = text_.data() + position_;
        const auto [end, ec] = std::from_chars(first, last, out);
        if (first == last || ec != std::errc() || end != last || !std::isfinite(out) ||
            *first == '+') {
            problem_ = "keine Zahl";
            return false;
        }
        return true;
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 1;
    std::string problem_;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
    if (kind != Kind::Object) {
        return nullptr;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == key) {
            return &items[i];
        }
    }
    return nullptr;
}

std::optional<JsonValue> parseJson(std::string_view text, std::string* error) {
    return Parser(text).document(error);
}

}  // namespace lumetra::simulation
