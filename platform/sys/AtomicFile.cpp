#include "platform/sys/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace platform {

namespace {

SyncCall syncCall = ::fsync;

// Flushes the folder's entries (a rename lives there) to the disk. Some file systems cannot sync a
// folder; the file is written all the same then.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    syncCall(fd);
    ::close(fd);
}

}  // namespace

void SetSyncCall(SyncCall call) { syncCall = call ? call : ::fsync; }

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = syncCall(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ec;
    if (ok) fs::rename(temporary, path, ec);
    if (!ok || ec) {
        fs::remove(temporary, ec);
        return false;
    }
    SyncFolder(fs::path(path).parent_path().string());
    return true;
}

}  // namespace platform
