#include "platform/sys/Paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The entry of the folder whose name matches, preferring the exact spelling.
bool FindEntry(const fs::path& folder, const std::string& name, fs::path& found) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) {
        found = folder / name;
        return true;
    }
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (SameIgnoringCase(entry, name)) {
            found = folder / entry;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
    std::string written = path;
    std::replace(written.begin(), written.end(), '\\', '/');
    std::error_code ec;
    if (written.empty() || fs::exists(written, ec)) return written;

    const fs::path asWritten(written);
    fs::path resolved = asWritten.root_path();
    for (const fs::path& part : asWritten.relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            resolved /= name;
            continue;
        }
        fs::path next;
        if (!FindEntry(resolved, name, next)) return written;
        resolved = next;
    }
    return resolved.string();
}

FILE* OpenFile(const std::string& path, const char* mode) {
    std::string resolved = ResolvePath(path);
    const bool writing = mode && (mode[0] == 'w' || mode[0] == 'a');
    if (writing) {
        std::error_code ec;
        if (!fs::exists(resolved, ec)) {
            // A new file: resolve its folder, keep its own name as written.
            std::string written = path;
            std::replace(written.begin(), written.end(), '\\', '/');
            const fs::path asWritten(written);
            const fs::path folder = asWritten.parent_path();
            const fs::path onDisk = folder.empty() ? fs::path() : fs::path(ResolvePath(folder.string()));
            resolved = (onDisk / asWritten.filename()).string();
        }
    }
    return std::fopen(resolved.c_str(), mode);
}

bool ReadFile(const std::string& path, std::string& bytes) {
    FILE* file = OpenFile(path, "rb");
    if (!file) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
    return true;
}

}  // namespace platform
