// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

// A file opened for reading, closed when it goes out of scope.
class InputFile {
public:
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Whether the file opened; if not, errno still holds why.
    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    // Up to `size` bytes, read again when a signal interrupts: the count, 0 at
    // the end, or -1 with errno set.
    long read(char* into, std::size_t size);
    // The same from a given offset, leaving the file position alone; safe to
    // use from several threads at once.
    long readAt(char* into, std::size_t size, std::uint64_t offset);
    // Back to the start; false with errno set when the file cannot seek.
    bool rewind();

private:
    int fd_;
};

// A whole file's bytes.
struct FileBytes {
    std::unique_ptr<char[]> data; // not zeroed first: a large file is written once
    std::size_t size = 0;
    std::string_view view() const { return {data.get(), size}; }
};

// Which step of reading a file failed.
enum class ReadStep { Open, Read };

// Reads a whole file with ordinary reads, so a file that changes underneath
// gives whatever bytes were there, never a signal. On failure returns false
// and sets `error` (when given) to the errno value, a folder being EISDIR,
// and `failedAt` to the step.
bool readWholeFile(const std::filesystem::path& path, FileBytes* bytes, int* error,
                   ReadStep* failedAt = nullptr);
