// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a profile. What reads is written back and must read back the
// same: the writer's text is a fixed point of reading and writing.
#include "profile/ProfileFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto text = decodeProfileBytes(bytes);
    if (!text) {
        return 0;
    }
    const auto list = parseProfileText(*text);
    if (!list) {
        return 0;
    }
    const std::string written = profileText(*list);
    const auto again = parseProfileText(written);
    if (!again || again->size() != list->size() || profileText(*again) != written) {
        std::abort();
    }
    for (std::size_t i = 0; i < list->size(); ++i) {
        if ((*again)[i]->name() != (*list)[i]->name()) {
            std::abort();
        }
    }
    return 0;
}
