// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The one rule for comparing symptom names and organ keys: equal when the
// bytes are equal, or when both hold characters beyond ASCII and are
// canonically equivalent Unicode text. Nothing is trimmed or case-folded.

// Eight bytes at a time: the diagnosis asks this of every catalogue symptom.
inline bool isAscii(std::string_view text) {
    const char* p = text.data();
    std::size_t left = text.size();
    std::uint64_t any = 0;
    for (; left >= 8; p += 8, left -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        any |= word;
    }
    for (; left > 0; ++p, --left) {
        any |= static_cast<unsigned char>(*p);
    }
    return (any & 0x8080808080808080ULL) == 0;
}

// The NFC form of a name, the name itself when it is plain ASCII. Text that is
// not valid UTF-8 is returned unchanged, so it only ever equals itself.
std::string canonicalName(std::string_view name);

bool namesEqual(std::string_view a, std::string_view b);

// A key that two names share exactly when namesEqual holds for them, for sets
// and maps of names.
std::string nameKey(std::string_view name);

// Ascending order: plain ASCII by character code (a prefix first); other names
// by the code points of their NFC form, so equivalent names compare equal.
bool nameLess(std::string_view a, std::string_view b);

// Whether the bytes are well-formed UTF-8 (no overlongs, surrogates or values
// beyond U+10FFFF).
bool isValidUtf8(std::string_view text);

// Appends one code point (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);
