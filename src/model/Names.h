#pragma once

#include <string>
#include <string_view>

// The one rule for comparing symptom names and organ keys: equal when the
// bytes are equal, or when the two are canonically equivalent Unicode text.
// Nothing is trimmed or case-folded.

bool isAscii(std::string_view text);

// The NFC form of a name, the name itself when it is plain ASCII. Text that is
// not valid UTF-8 is returned unchanged, so it only ever equals itself.
std::string canonicalName(std::string_view name);

bool namesEqual(std::string_view a, std::string_view b);

// Ascending order: plain ASCII by character code (a prefix first); other names
// by the code points of their NFC form, so equivalent names compare equal.
bool nameLess(std::string_view a, std::string_view b);

// Whether the bytes are well-formed UTF-8 (no overlongs, surrogates or values
// beyond U+10FFFF).
bool isValidUtf8(std::string_view text);
