// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Memory for the large, long-lived arrays of a loaded catalogue. Blocks of
// half a large page or more are rounded up to whole large pages, aligned, and
// offered to the kernel as
// candidates for large pages: on a virtual machine each small-page fault is
// costly, and a big catalogue touches tens of thousands of them. Smaller
// blocks come from the ordinary heap.
inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

void* allocateLargeBlock(std::size_t bytes);
void freeLargeBlock(void* block) noexcept;

template <typename T> struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocateLargeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { freeLargeBlock(p); }
    friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator&) { return true; }
};
