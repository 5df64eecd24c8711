#include "loading/SaveData.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "loading/TextData.h"
#include "platform/sys/Paths.h"
#include "platform/sys/PlayerData.h"

namespace {

// The first line of a number file that could be opened (reading stops there).
bool FirstLine(const std::string& path, bool& opened, std::string& line) {
    FILE* file = platform::OpenFile(path, "rb");
    opened = file != nullptr;
    if (!file) return false;
    line.clear();
    for (int c; (c = std::fgetc(file)) != EOF && c != '\n';) line.push_back(static_cast<char>(c));
    std::fclose(file);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

SyncCall syncCall = ::fsync;

// Flushes the folder's entries (a rename lives there) to the disk. Some file systems cannot sync a
// folder; the file is written all the same then.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    syncCall(fd);
    ::close(fd);
}

// Where a file written under the game's name lands: the existing file, or a new one in the folder the
// name resolves to.
std::string TargetPath(const std::string& path) {
    namespace fs = std::filesystem;
    std::string resolved = platform::ResolvePath(path);
    std::error_code ec;
    if (fs::exists(resolved, ec)) return resolved;
    const fs::path asWritten(resolved);
    const fs::path folder = asWritten.parent_path();
    if (folder.empty()) return resolved;
    return (fs::path(platform::ResolvePath(folder.string())) / asWritten.filename()).string();
}

}  // namespace

namespace {
std::optional<int> progressOverride;
}  // namespace

void OverrideProgress(std::optional<int> progress) { progressOverride = progress; }

int ReadProgress() {
    if (progressOverride) return *progressOverride;
    bool opened = false;
    std::string line;
    FirstLine(platform::PlayerFilePath(kSaveFile), opened, line);
    if (opened) {
        WriteNumberFile(kStageFallbackFile, 1);
    } else {
        FirstLine(platform::PlayerFilePath(kStageFallbackFile), opened, line);
    }
    if (!opened) return 1;
    int n = 1;
    // A damaged save (empty, text, a number beyond 32 bits, none or less progress than a new game's,
    // which would open no door) counts as a new game.
    return ParseIntStrict(line, n) && n >= 1 ? n : 1;
}

bool WriteProgress(int n) {
    if (!progressOverride) return WriteNumberFile(kSaveFile, n);
    progressOverride = n;
    return true;
}

bool WriteNumberFile(const char* path, int n) {
    namespace fs = std::filesystem;
    const std::string target = TargetPath(platform::PlayerFilePath(path));
    const std::string temporary = target + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const std::string text = std::to_string(n) + "\n";
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = syncCall(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ec;
    if (ok) fs::rename(temporary, target, ec);
    if (!ok || ec) {
        fs::remove(temporary, ec);
        return false;
    }
    SyncFolder(fs::path(target).parent_path().string());
    return true;
}

void SetSyncCall(SyncCall call) { syncCall = call ? call : ::fsync; }
