// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/LargeBlocks.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void* allocateLargeBlock(std::size_t bytes) {
    // From half a large page up, the rounding wastes at most half.
    if (bytes < kLargePage / 2) {
        if (void* block = std::malloc(bytes == 0 ? 1 : bytes)) {
            return block;
        }
        throw std::bad_alloc();
    }
    if (bytes > SIZE_MAX - kLargePage) {
        throw std::bad_alloc();
    }
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* block = std::aligned_alloc(kLargePage, rounded);
    if (!block) {
        throw std::bad_alloc();
    }
#if defined(MADV_HUGEPAGE)
    // Advice only: where large pages are off, small ones serve as before.
    madvise(block, rounded, MADV_HUGEPAGE);
#endif
    return block;
}

void freeLargeBlock(void* block) noexcept {
    std::free(block);
}
