#pragma once

#include <filesystem>

// The directory that holds the program's shipped files: "share/sanoria" beside
// "bin" both in the build tree and in an installed tree.
std::filesystem::path resourceDirectory();
std::filesystem::path executableDirectory();
