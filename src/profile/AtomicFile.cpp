// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string describe(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// The file a save really replaces: the target of a link, when there is one.
std::string resolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved)) {
            return resolved;
        }
    }
    return path;
}

mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                         std::string* error) {
    const std::string target = resolveTarget(path.string());
    struct stat previous {};
    const bool hadPrevious = stat(target.c_str(), &previous) == 0;
    if (hadPrevious && S_ISDIR(previous.st_mode)) {
        *error = describe(target, EISDIR);
        return false;
    }

    const std::filesystem::path targetPath(target);
    std::string tempName(1, '.');
    tempName += targetPath.filename().string();
    tempName += ".XXXXXX";
    std::string temp = (targetPath.parent_path() / tempName).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        *error = describe("cannot create a file in " + targetPath.parent_path().string(), errno);
        return false;
    }
    const auto fail = [&](const std::string& what, int code) {
        close(fd);
        unlink(temp.c_str());
        *error = describe(what, code);
        return false;
    };

    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail("cannot write " + target, errno);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (fchmod(fd, hadPrevious ? (previous.st_mode & 07777) : newFileMode()) != 0) {
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
    return true;
}
