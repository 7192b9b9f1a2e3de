// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ReadFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool readWholeFile(const std::filesystem::path& path, std::string* bytes, int* error) {
    const auto failed = [error](int code) {
        if (error) {
            *error = code;
        }
        return false;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return failed(errno);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return failed(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return failed(EISDIR);
    }
    // Room for what the file says it holds and one byte more, to see its end
    // without growing; a pipe, or a file that grows meanwhile, gets more.
    const std::size_t expected =
        S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    bytes->assign(expected + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes->size()) {
            bytes->resize(used + std::max<std::size_t>(65536, used / 2));
        }
        const ssize_t n = ::read(fd, bytes->data() + used, bytes->size() - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int code = errno;
            bytes->clear();
            return failed(code);
        }
        if (n == 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    bytes->resize(used);
    return true;
}
