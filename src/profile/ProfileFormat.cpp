// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/ProfileFormat.h"

#include "model/Names.h"
#include "model/NumberText.h"
#include "model/ReadFile.h"
#include "profile/AtomicFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
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
        text += s->name();
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

std::string withExtension(std::string path, std::string_view extension) {
    std::string suffix = ".";
    suffix += extension;
    if (!path.ends_with(suffix)) {
        path += suffix;
    }
    return path;
}

std::string withProfileExtension(std::string path) {
    return withExtension(std::move(path), kProfileExtension);
}

std::optional<SymptomList> parseProfileText(std::string_view text, std::string* error) {
    // A count of the separators first, so that a file without its last
    // intensity line is reported as such whatever else is wrong in it.
    std::size_t separators = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = separatorAt(text, i);
        separators += length != 0;
        i += length ? length : 1;
    }
    if (separators % 2 != 0) {
        setError(error, "The last symptom has no intensity line.");
        return std::nullopt;
    }
    if (separators / 2 > kMaxProfileSymptoms) {
        setError(error,
                 "The file holds more than " + std::to_string(kMaxProfileSymptoms) + " symptoms.");
        return std::nullopt;
    }
    // Then the pieces one at a time: no list of them all, which for a large
    // file of short lines would cost several times the file.
    std::size_t pos = 0;
    const auto nextPiece = [&](std::string_view* piece) {
        for (std::size_t i = pos; i < text.size(); ++i) {
            if (const std::size_t length = separatorAt(text, i)) {
                *piece = text.substr(pos, i - pos);
                pos = i + length;
                return true;
            }
        }
        return false; // only the text after the last separator is left
    };
    std::vector<Symptom> symptoms;
    symptoms.reserve(separators / 2);
    std::string_view name;
    std::string_view number;
    while (nextPiece(&name) && nextPiece(&number)) {
        const auto intensity = parseProfileNumber(number);
        if (!intensity) {
            setError(error, "Line " + std::to_string(2 * symptoms.size() + 2) +
                                " should hold an intensity, a number such as 60.0.");
            return std::nullopt;
        }
        symptoms.emplace_back(std::string(name), *intensity);
    }
    return shareEach(std::move(symptoms));
}

namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be };

// The encoding the first bytes announce, and how many bytes announce it.
std::pair<Encoding, std::size_t> detectEncoding(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        return {Encoding::Utf16Le, 2};
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        return {Encoding::Utf16Be, 2};
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return {Encoding::Utf8, 3};
    }
    return {Encoding::Utf8, 0};
}

} // namespace

std::optional<std::string> decodeProfileBytes(std::string_view bytes) {
    const auto [encoding, mark] = detectEncoding(bytes);
    bytes.remove_prefix(mark);
    if (encoding != Encoding::Utf8) {
        return decodeUtf16(bytes, encoding == Encoding::Utf16Be);
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
    FileBytes file;
    int code = 0;
    ReadStep failedAt = ReadStep::Open;
    if (!readWholeFile(path, &file, &code, &failedAt)) {
        setError(error, failedAt == ReadStep::Open
                            ? std::string("The file cannot be opened: ") + std::strerror(code) + "."
                            : std::string("The file could not be read to "
                                          "its end."));
        return std::nullopt;
    }
    const std::string_view bytes = file.view();
    const auto [encoding, mark] = detectEncoding(bytes);
    if (encoding != Encoding::Utf8) {
        const auto text = decodeUtf16(bytes.substr(mark), encoding == Encoding::Utf16Be);
        if (!text) {
            setError(error, "The file is not UTF-8 or UTF-16 text.");
            return std::nullopt;
        }
        return parseProfileText(*text, error);
    }
    // UTF-8 is checked where it lies, without a second copy of the file.
    const std::string_view text = bytes.substr(mark);
    if (!isValidUtf8(text)) {
        setError(error, "The file is not UTF-8 or UTF-16 text.");
        return std::nullopt;
    }
    return parseProfileText(text, error);
}

SaveResult saveProfileFile(const std::filesystem::path& path, const SymptomList& symptoms,
                           std::ostream& out) {
    // A line break inside a name would shift every line after it: the file
    // would not read back as written, so it is not written at all.
    // Nor is a name the reader would refuse or change.
    for (const auto& s : symptoms) {
        if (!isValidUtf8(s->name())) {
            return {false, "a symptom name is not UTF-8 text"};
        }
        if (s->name().rfind("\xEF\xBB\xBF", 0) == 0) {
            return {false,
                    "the symptom name \"" + s->name().substr(3) + "\" begins with a byte-order mark"};
        }
        if (holdsLineBreak(s->name())) {
            return {false, "the symptom name \"" + s->name() + "\" holds a line break"};
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
