#pragma once
// File names as the game writes them: relative to the working directory, in any mix of upper and
// lower case, with '\' or '/' between the parts. One content tree on disk serves every spelling.
#include <cstdio>
#include <string>

namespace platform {

// The path on disk that the game's path names: as written when it exists (with '\' read as '/'),
// otherwise each component matched case-insensitively. A path that matches nothing comes back as
// written, with '/' separators, so that opening it fails the ordinary way.
std::string ResolvePath(const std::string& path);

// fopen through ResolvePath. Files being written are created under the spelling the resolution found
// for their folder.
FILE* OpenFile(const std::string& path, const char* mode);

// The largest file ReadFile takes: 256 MB.
constexpr unsigned long long kMaxReadBytes = 256ull << 20;

// The whole file through OpenFile, appended to bytes; false (bytes untouched) when it cannot be opened,
// is not a regular file (a device, a pipe, a folder) or holds more than kMaxReadBytes.
bool ReadFile(const std::string& path, std::string& bytes);

}  // namespace platform
