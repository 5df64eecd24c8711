#include "platform/sys/Paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    // Only regular files of a sane size: a device or a pipe may never end (or, opened, wait for a
    // writer), and a file beyond the limit is no mesh or effect the game could use. O_NONBLOCK keeps
    // the open of a pipe from waiting; regular files read as usual with it.
    const int fd = ::open(ResolvePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > kMaxReadBytes) {
        ::close(fd);
        return false;
    }
    std::string read;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        // A read error, or a file that grew past the limit while it was read.
        ok = n > 0 && read.size() + static_cast<size_t>(n) <= kMaxReadBytes;
        if (!ok) break;
        read.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (ok) bytes += read;
    return ok;
}

}  // namespace platform
