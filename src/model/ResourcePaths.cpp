// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ResourcePaths.h"

#include <cstdint>
#include <system_error>

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#include <vector>
#endif

std::filesystem::path executableDirectory() {
#if defined(__APPLE__)
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> buffer(size + 1);
    if (_NSGetExecutablePath(buffer.data(), &size) == 0) {
        std::error_code ec;
        const auto path = std::filesystem::canonical(buffer.data(), ec);
        if (!ec) {
            return path.parent_path();
        }
    }
    return std::filesystem::current_path();
#else
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : path.parent_path();
#endif
}

#ifndef SANORIA_RESOURCE_RELDIR
#define SANORIA_RESOURCE_RELDIR "../share/sanoria"
#endif

std::filesystem::path resourceDirectory() {
    return (executableDirectory() / SANORIA_RESOURCE_RELDIR).lexically_normal();
}
