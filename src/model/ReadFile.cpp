// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ReadFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

InputFile::InputFile(const std::filesystem::path& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

long InputFile::read(char* into, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd_, into, size);
        if (n >= 0 || errno != EINTR) {
            return static_cast<long>(n);
        }
    }
}

long InputFile::readAt(char* into, std::size_t size, std::uint64_t offset) {
    for (;;) {
        const ssize_t n = ::pread(fd_, into, size, static_cast<off_t>(offset));
        if (n >= 0 || errno != EINTR) {
            return static_cast<long>(n);
        }
    }
}

bool InputFile::rewind() {
    return ::lseek(fd_, 0, SEEK_SET) == 0;
}

bool readWholeFile(const std::filesystem::path& path, FileBytes* bytes, int* error,
                   ReadStep* failedAt) {
    ReadStep step = ReadStep::Open;
    const auto failed = [&](int code) {
        if (error) {
            *error = code;
        }
        if (failedAt) {
            *failedAt = step;
        }
        return false;
    };
    InputFile file(path);
    if (!file.isOpen()) {
        return failed(errno);
    }
    struct stat info {};
    if (::fstat(file.descriptor(), &info) != 0) {
        return failed(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return failed(EISDIR);
    }
    step = ReadStep::Read;
    // Room for what the file says it holds and one byte more, to see its end
    // without growing; a pipe, or a file that grows meanwhile, gets more.
    const std::size_t expected =
        S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    std::size_t capacity = expected + 1;
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t used = 0;
    for (;;) {
        if (used == capacity) {
            const std::size_t larger = used + std::max<std::size_t>(65536, used / 2);
            auto grown = std::make_unique_for_overwrite<char[]>(larger);
            std::copy(buffer.get(), buffer.get() + used, grown.get());
            buffer = std::move(grown);
            capacity = larger;
        }
        const long n = file.read(buffer.get() + used, capacity - used);
        if (n < 0) {
            return failed(errno);
        }
        if (n == 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    bytes->data = std::move(buffer);
    bytes->size = used;
    return true;
}
