// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/ProfileFormat.h"

#include "model/Names.h"
#include "model/NumberText.h"
#include "profile/AtomicFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sys/stat.h>

std::string profileNumberText(float value) {
    if (!std::isfinite(value)) {
        return formatShortest(value);
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 6);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

std::optional<float> parseProfileNumber(std::string_view piece) {
    for (unsigned char c : piece) {
        if (c == ' ' || (c >= '\t' && c <= '\r') || c >= 0x80) {
            return std::nullopt;
        }
    }
    return parseCFloat(piece);
}

std::string profileText(const SymptomList& symptoms) {
    std::string text;
    for (const auto& s : symptoms) {
        text += s->name;
        text += '\n';
        text += profileNumberText(s->intensity);
        text += '\n';
    }
    return text;
}

namespace {

// The length of the line separator at `i`, or 0: LF, VT, FF, CR, NEL, LS, PS.
std::size_t separatorAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= '\n' && c <= '\r') {
        return 1;
    }
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x85) {
        return 2;
    }
    if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
        (static_cast<unsigned char>(text[i + 2]) == 0xA8 ||
         static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
        return 3;
    }
    return 0;
}

std::optional<std::string> decodeUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>((hi << 8) | lo);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 3 >= bytes.size()) {
                return std::nullopt;
            }
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(out, cp);
    }
    return out;
}

void setError(std::string* error, std::string text) {
    if (error) {
        *error = std::move(text);
    }
}

} // namespace

bool holdsLineBreak(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (separatorAt(text, i)) {
            return true;
        }
    }
    return false;
}

std::string withProfileExtension(std::string path) {
    const std::string suffix = "." + std::string(kProfileExtension);
    if (!path.ends_with(suffix)) {
        path += suffix;
    }
    return path;
}

std::optional<SymptomList> parseProfileText(std::string_view text, std::string* error) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = separatorAt(text, i)) {
            pieces.push_back(text.substr(start, i - start));
            i += length;
            start = i;
        } else {
            ++i;
        }
    }
    pieces.push_back(text.substr(start));

    // The text after the last separator is never read; a whole file has pairs before it.
    if ((pieces.size() - 1) % 2 != 0) {
        setError(error, "The last symptom has no intensity line.");
        return std::nullopt;
    }
    SymptomList symptoms;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        const auto intensity = parseProfileNumber(pieces[i + 1]);
        if (!intensity) {
            setError(error, "Line " + std::to_string(i + 2) +
                                " should hold an intensity, a number such as 60.0.");
            return std::nullopt;
        }
        symptoms.push_back(makeSymptom(std::string(pieces[i]), *intensity));
    }
    return symptoms;
}

std::optional<std::string> decodeProfileBytes(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        return decodeUtf16(bytes.substr(2), false);
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        return decodeUtf16(bytes.substr(2), true);
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    if (!isValidUtf8(bytes)) {
        return std::nullopt;
    }
    return std::string(bytes);
}

std::optional<SymptomList> readProfileFile(const std::filesystem::path& path, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        setError(error, "It is a folder, not a file.");
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int code = errno;
        setError(error, code
                            ? std::string("The file cannot be opened: ") + std::strerror(code) + "."
                            : std::string("The file cannot be opened."));
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        setError(error, "The file could not be read to its end.");
        return std::nullopt;
    }
    const auto text = decodeProfileBytes(bytes);
    if (!text) {
        setError(error, "The file is not UTF-8 or UTF-16 text.");
        return std::nullopt;
    }
    return parseProfileText(*text, error);
}

SaveResult saveProfileFile(const std::filesystem::path& path, const SymptomList& symptoms,
                           std::ostream& out) {
    // A line break inside a name would shift every line after it: the file
    // would not read back as written, so it is not written at all.
    for (const auto& s : symptoms) {
        if (holdsLineBreak(s->name)) {
            return {false, "the symptom name \"" + s->name + "\" holds a line break"};
        }
    }
    // The previous file is replaced only once the new one is complete; the
    // line about a missing previous file is kept for those who watch for it.
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        out << "Remove failed: " << path.string() << ": " << std::strerror(errno) << std::endl;
    }
    SaveResult result;
    result.ok = writeFileAtomically(path, profileText(symptoms), &result.error);
    return result;
}
