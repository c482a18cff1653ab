// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace lumetra {

// Conversion between the Windows-1252 bytes of our text files and the UTF-8 texts in memory.

// Decodes file bytes. A byte sequence that is a valid UTF-8 multi-byte character (shortest
// form, no surrogate, at most U+10FFFF) is taken as that character, so that a file a modern
// editor saved as UTF-8 reads correctly; every other byte is a Windows-1252 character. The
// five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// control characters of the same number, so that encoding gives the byte back.
std::string windows1252ToUtf8(std::string_view bytes);

// Encodes a UTF-8 text as Windows-1252 bytes. A character that Windows-1252 cannot hold, and
// every byte that is not part of a valid UTF-8 character, is written as "?".
std::string utf8ToWindows1252(std::string_view text);

}  // namespace lumetra
