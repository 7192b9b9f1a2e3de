// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string describe(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// The file a save really writes: the end of a chain of links, followed even
// when it leads nowhere yet. Empty, with `error` set, for a loop.
std::filesystem::path resolveTarget(std::filesystem::path path, int* error) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 256) + 1,
                           '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            *error = errno;
            return {};
        }
        target.resize(static_cast<std::size_t>(length));
        const std::filesystem::path next(target);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    *error = ELOOP;
    return {};
}

// A short name of its own, so it fits beside a target of any legal length.
int createTemporary(const std::filesystem::path& folder, std::string* temp) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".sanoria-";
        for (int i = 0; i < 8; ++i) {
            name += kLetters[random() % (sizeof kLetters - 1)];
        }
        *temp = (folder / name).string();
        const int fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, std::string_view content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string* error) {
    int linkError = 0;
    const std::filesystem::path targetPath = resolveTarget(path, &linkError);
    if (targetPath.empty()) {
        *error = describe(path.string(), linkError);
        return false;
    }
    const std::string target = targetPath.string();
    struct stat previous {};
    const bool hadPrevious = stat(target.c_str(), &previous) == 0;
    if (hadPrevious && S_ISDIR(previous.st_mode)) {
        *error = describe(target, EISDIR);
        return false;
    }
    if (hadPrevious && !S_ISREG(previous.st_mode)) {
        *error = target + ": is not a regular file, so it is not replaced";
        return false;
    }

    std::filesystem::path folder = targetPath.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string temp;
    const int fd = createTemporary(folder, &temp);
    if (fd < 0) {
        *error = describe("cannot create a file in " + folder.string(), errno);
        return false;
    }
    const auto fail = [&](const std::string& what, int code) {
        close(fd);
        unlink(temp.c_str());
        *error = describe(what, code);
        return false;
    };
    if (!writeAll(fd, content)) {
        return fail("cannot write " + target, errno);
    }
    if (hadPrevious && fchmod(fd, previous.st_mode & 0777) != 0) {
        return fail("cannot set the permissions of " + target, errno);
    }
    if (fsync(fd) != 0) {
        return fail("cannot write " + target, errno);
    }
    if (close(fd) != 0) {
        const int code = errno;
        unlink(temp.c_str());
        *error = describe("cannot write " + target, code);
        return false;
    }
    if (rename(temp.c_str(), target.c_str()) != 0) {
        const int code = errno;
        unlink(temp.c_str());
        *error = describe("cannot replace " + target, code);
        return false;
    }
    // The rename lasts only once the folder itself is on disk.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        const bool synced = fsync(folderFd) == 0 || errno == EINVAL;
        const int code = errno;
        close(folderFd);
        if (!synced) {
            *error = describe("cannot write " + folder.string(), code);
            return false;
        }
    }
    return true;
}
