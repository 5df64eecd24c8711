#include "loading/SaveData.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "loading/TextData.h"
#include "platform/sys/AtomicFile.h"
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
    return platform::WriteFileAtomically(TargetPath(platform::PlayerFilePath(path)), std::to_string(n) + "\n");
}

void SetSyncCall(SyncCall call) { platform::SetSyncCall(call); }
