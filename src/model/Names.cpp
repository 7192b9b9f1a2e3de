// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Names.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>

std::string canonicalName(std::string_view name) {
    if (isAscii(name)) {
        return std::string(name);
    }
    utf8proc_uint8_t* out = nullptr;
    const auto length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(name.data()),
                     static_cast<utf8proc_ssize_t>(name.size()), &out,
                     static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (length < 0) {
        return std::string(name);
    }
    std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owned(out, &std::free);
    return std::string(reinterpret_cast<const char*>(out), static_cast<std::size_t>(length));
}

bool namesEqual(std::string_view a, std::string_view b) {
    if (a == b) {
        return true;
    }
    // A plain ASCII name equals only itself, which keeps the common case cheap.
    if (isAscii(a) || isAscii(b)) {
        return false;
    }
    return canonicalName(a) == canonicalName(b);
}

std::string nameKey(std::string_view name) {
    // No UTF-8 text starts with 0xFF, so the two kinds of key never meet.
    if (isAscii(name)) {
        return std::string(name);
    }
    std::string key(1, '\xFF');
    key += canonicalName(name);
    return key;
}

bool nameLess(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b)) {
        return a < b;
    }
    const std::string ca = canonicalName(a);
    const std::string cb = canonicalName(b);
    if (ca != cb) {
        return ca < cb;
    }
    // Same text, but only one of them plain: not equal, so order them.
    return !namesEqual(a, b) && a < b;
}

bool isValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (end - p <= extra) {
            return false;
        }
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        p += extra + 1;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
