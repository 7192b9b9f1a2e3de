// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DatabaseTools.h"

#include "model/CatalogueBuilder.h"
#include "model/Names.h"
#include "model/PlistReaders.h"
#include "model/ReadFile.h"
#include "model/ResourcePaths.h"

#include <sched.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <unordered_set>

std::filesystem::path DatabaseTools::defaultCataloguePath() {
    return resourceDirectory() / "Database.plist";
}

DiseaseList DatabaseTools::loadDiseases() {
    return loadDiseases(defaultCataloguePath());
}

namespace {

bool isBinary(std::string_view bytes) {
    return bytes.substr(0, 6) == "bplist";
}

DiseaseList parse(std::string_view bytes, const std::string& origin) {
    CatalogueBuilder builder(origin);
    if (isBinary(bytes)) {
        readBinaryCatalogue(bytes, builder);
    } else {
        readXmlCatalogue(bytes, builder);
    }
    return builder.take();
}

} // namespace

namespace {

// Larger pieces parse no faster, and each is fresh memory to fault in.
constexpr std::size_t kChunkSize = std::size_t{1} << 18;

unsigned availableCores() {
#if defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        return static_cast<unsigned>(CPU_COUNT(&set));
    }
#endif
    return std::thread::hardware_concurrency();
}

// Whether the root dictionary sits inside <plist>, judged from the file's
// first bytes; nothing when the head is anything but the usual prologue.
std::optional<bool> rootIsWrapped(std::string_view head) {
    if (head.substr(0, 3) == "\xEF\xBB\xBF") {
        head.remove_prefix(3);
    }
    for (;;) {
        while (!head.empty() && isXmlSpace(head.front())) {
            head.remove_prefix(1);
        }
        std::string_view end;
        if (head.substr(0, 2) == "<?") {
            end = "?>";
        } else if (head.substr(0, 4) == "<!--") {
            end = "-->";
        } else if (head.substr(0, 9) == "<!DOCTYPE") {
            end = ">";
            // An internal subset may declare what changes the rest of the
            // file: such a file is read in one piece.
            if (head.substr(0, head.find('>')).find('[') != std::string_view::npos) {
                return std::nullopt;
            }
        } else if (head.substr(0, 7) == "<plist>" || head.substr(0, 7) == "<plist ") {
            return true;
        } else if (head.substr(0, 6) == "<dict>") {
            return false;
        } else {
            return std::nullopt;
        }
        const std::size_t at = head.find(end);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        head.remove_prefix(at + end.size());
    }
}

// Where a disease's key follows right after the end of the disease before
// it, in a window of the file's bytes.
std::optional<std::size_t> findCut(std::string_view window) {
    for (std::size_t at = window.find("</dict>"); at != std::string_view::npos;
         at = window.find("</dict>", at + 1)) {
        std::size_t next = at + 7;
        while (next < window.size() && isXmlSpace(window[next])) {
            ++next;
        }
        if (window.substr(next, 5) == "<key>") {
            return next;
        }
    }
    return std::nullopt;
}

// A large XML catalogue read as two halves at once, on two cores. The cut
// is a guess from the bytes; it counts only when the first half's reader,
// fed up to it, stands exactly between two diseases of the root dictionary
// (not inside a comment, a section or a tag). The second half is read as the
// rest of a document opened the same way. Any doubt or fault gives nothing,
// and the caller reads the file again in one piece, which also gives a fault
// its exact message.
// `head` is the file's first bytes, as read already.
std::optional<DiseaseList> readInTwoHalves(InputFile& input, std::uint64_t size,
                                           std::string_view head, const std::string& origin) {
    const auto wrapped = rootIsWrapped(head);
    std::string window(std::size_t{1} << 16, '\0');
    const long windowSize = input.readAt(window.data(), window.size(), size / 2);
    const auto offset =
        windowSize > 0
            ? findCut(std::string_view(window).substr(0, static_cast<std::size_t>(windowSize)))
            : std::nullopt;
    if (!wrapped || !offset) {
        return std::nullopt;
    }
    const std::uint64_t cut = size / 2 + *offset;

    std::atomic<bool> stop{false};
    // Feeds the bytes from `from` on, up to `to` or the end of the file, and
    // says where it stopped.
    const auto feedRange = [&input, &stop](XmlCatalogueReader& reader, std::uint64_t from,
                                           std::uint64_t to) {
        const auto piece = std::make_unique_for_overwrite<char[]>(kChunkSize);
        while (from < to && !stop) {
            const long n = input.readAt(
                piece.get(),
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize, to - from)), from);
            if (n < 0) {
                throw std::system_error(errno, std::generic_category());
            }
            if (n == 0) {
                break;
            }
            reader.feed(std::string_view(piece.get(), static_cast<std::size_t>(n)), false);
            from += static_cast<std::uint64_t>(n);
        }
        return from;
    };
    // Made before the second thread starts: the first reader sets up the XML
    // library, which two threads must not do at once.
    CatalogueBuilder first(origin);
    XmlCatalogueReader firstReader(first);
    std::future<std::unique_ptr<CatalogueBuilder>> second;
    try {
        second = std::async(std::launch::async, [&]() -> std::unique_ptr<CatalogueBuilder> {
            auto builder = std::make_unique<CatalogueBuilder>(origin);
            XmlCatalogueReader reader(*builder);
            reader.feed(*wrapped ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist><dict>"
                                 : "<?xml version=\"1.0\" encoding=\"UTF-8\"?><dict>",
                        false);
            feedRange(reader, cut, std::numeric_limits<std::uint64_t>::max());
            if (stop) {
                return nullptr;
            }
            reader.feed({}, true);
            return builder;
        });
    } catch (const std::system_error&) {
        return std::nullopt; // no thread to be had
    }
    bool clean = false;
    try {
        clean = feedRange(firstReader, 0, cut) == cut && firstReader.atRootEntry(*wrapped);
    } catch (...) {
        clean = false;
    }
    stop = !clean;
    std::unique_ptr<CatalogueBuilder> rest;
    try {
        rest = second.get();
    } catch (...) {
        return std::nullopt;
    }
    if (!clean || !rest || !first.append(std::move(*rest))) {
        return std::nullopt;
    }
    return first.take();
}

} // namespace

DiseaseList DatabaseTools::loadDiseases(const std::filesystem::path& file) {
    return loadDiseases(file, CatalogueLoading{});
}

DiseaseList DatabaseTools::loadDiseases(const std::filesystem::path& file,
                                        const CatalogueLoading& how) {
    const std::string origin = file.string();
    const auto unreadable = [&origin](int error) {
        return CatalogueError(origin + ": cannot be read (" + std::strerror(error) + ")");
    };
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            throw CatalogueError(origin + ": the catalogue file is missing");
        }
        throw unreadable(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        throw CatalogueError(origin + ": is a folder, not a catalogue file");
    }
    InputFile input(file);
    if (!input.isOpen()) {
        throw unreadable(errno);
    }

    // Ordinary reads: a file cut short underneath gives a parse error, never
    // a signal. XML is parsed as it arrives and never held whole.
    auto chunk = std::make_unique_for_overwrite<char[]>(kChunkSize);
    const auto readChunk = [&](std::size_t from) {
        const long n = input.read(chunk.get() + from, kChunkSize - from);
        if (n < 0) {
            throw unreadable(errno);
        }
        return from + static_cast<std::size_t>(n);
    };
    const auto readHead = [&] {
        std::size_t filled = 0;
        while (filled < 6) {
            const std::size_t now = readChunk(filled);
            if (now == filled) {
                break;
            }
            filled = now;
        }
        return filled;
    };
    std::size_t filled = readHead();
    CatalogueBuilder builder(origin);
    if (isBinary(std::string_view(chunk.get(), filled))) {
        // The binary form refers back and forth across the file: read it whole.
        std::string bytes(chunk.get(), filled);
        for (;;) {
            filled = readChunk(0);
            if (filled == 0) {
                break;
            }
            bytes.append(chunk.get(), filled);
        }
        chunk.reset();
        readBinaryCatalogue(bytes, builder);
        return builder.take();
    }
    if (how.readInTwoHalves) {
        *how.readInTwoHalves = false;
    }
    if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) >= how.twoHalvesFrom &&
        (how.cores ? how.cores : availableCores()) >= 2) {
        if (auto diseases = readInTwoHalves(input, static_cast<std::uint64_t>(info.st_size),
                                            std::string_view(chunk.get(), filled), origin)) {
            if (how.readInTwoHalves) {
                *how.readInTwoHalves = true;
            }
            return std::move(*diseases);
        }
        if (!input.rewind()) {
            throw unreadable(errno);
        }
        filled = readHead();
    }
    XmlCatalogueReader reader(builder);
    for (;;) {
        if (filled == 0) {
            reader.feed({}, true);
            break;
        }
        reader.feed(std::string_view(chunk.get(), filled), false);
        filled = readChunk(0);
    }
    return builder.take();
}

DiseaseList DatabaseTools::parseDiseases(std::string_view bytes, const std::string& origin) {
    return parse(bytes, origin);
}

std::vector<std::string> DatabaseTools::symptomsForOrgan(const DiseaseList& diseases,
                                                         std::string_view organ) {
    std::vector<std::string> names;
    std::unordered_set<std::string> taken;
    for (const auto& disease : diseases) {
        if (!namesEqual(disease->organ, organ)) {
            continue;
        }
        for (const auto& symptom : disease->symptoms) {
            if (taken.insert(nameKey(symptom->name())).second) {
                names.push_back(symptom->name());
            }
        }
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return nameLess(a, b); });
    return names;
}
