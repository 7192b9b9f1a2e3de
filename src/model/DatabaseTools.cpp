// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DatabaseTools.h"

#include "model/CatalogueBuilder.h"
#include "model/Names.h"
#include "model/PlistReaders.h"
#include "model/ResourcePaths.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <unordered_set>

std::filesystem::path DatabaseTools::defaultCataloguePath() {
    return resourceDirectory() / "Database.plist";
}

DiseaseList DatabaseTools::loadDiseases() {
    return loadDiseases(defaultCataloguePath());
}

namespace {

DiseaseList parse(std::string_view bytes, const std::string& origin,
                  std::function<void(std::size_t)> inputConsumed) {
    CatalogueBuilder builder(origin);
    if (bytes.substr(0, 6) == "bplist") {
        readBinaryCatalogue(bytes, builder);
    } else {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
            if (inputConsumed) {
                inputConsumed = [whole = std::move(inputConsumed)](std::size_t offset) {
                    whole(offset + 3);
                };
            }
        }
        builder.onInputConsumed(std::move(inputConsumed));
        readXmlCatalogue(bytes, builder);
    }
    return builder.take();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// A regular file mapped read-only. Pages the reader has left behind are
// dropped from this process as it goes, so a large catalogue is never resident
// in full beside the records built from it. The file still backs them: an
// error message that counts lines from the start reads them back in.
class MappedFile {
public:
    MappedFile(void* base, std::size_t size) : base_(static_cast<char*>(base)), size_(size) {
        ::madvise(base_, size_, MADV_SEQUENTIAL);
    }
    ~MappedFile() { ::munmap(base_, size_); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view bytes() const { return {base_, size_}; }

    void releaseBefore(std::size_t offset) {
        static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        // In steps of a few megabytes: one call per disease would cost more
        // than it saves.
        constexpr std::size_t kStep = std::size_t{4} << 20;
        const std::size_t end = offset / page * page;
        if (end >= released_ + kStep) {
            ::madvise(base_ + released_, end - released_, MADV_DONTNEED);
            released_ = end;
        }
    }

private:
    char* base_;
    std::size_t size_;
    std::size_t released_ = 0;
};

} // namespace

DiseaseList DatabaseTools::loadDiseases(const std::filesystem::path& file) {
    const std::string origin = file.string();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        throw CatalogueError(origin + ": the catalogue file is missing");
    }
    if (std::filesystem::is_directory(file, ec)) {
        throw CatalogueError(origin + ": is a folder, not a catalogue file");
    }
    const auto unreadable = [&origin](int error) {
        return CatalogueError(origin + ": cannot be read (" + std::strerror(error) + ")");
    };
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        throw unreadable(errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
        void* base = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd.get(), 0);
        if (base != MAP_FAILED) {
            MappedFile mapped(base, size);
            return parse(mapped.bytes(), origin,
                         [&mapped](std::size_t offset) { mapped.releaseBefore(offset); });
        }
    }
    // Pipes, empty files and whatever cannot be mapped are read whole.
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw unreadable(errno);
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return parse(bytes, origin, nullptr);
}

DiseaseList DatabaseTools::parseDiseases(std::string_view bytes, const std::string& origin) {
    return parse(bytes, origin, nullptr);
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
            if (taken.insert(nameKey(symptom->name)).second) {
                names.push_back(symptom->name);
            }
        }
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return nameLess(a, b); });
    return names;
}
