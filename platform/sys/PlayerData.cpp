#include "platform/sys/PlayerData.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace platform {

std::string PlayerDataFolder() {
    char* path = SDL_GetPrefPath("", "veldorin");
    if (!path) return {};
    std::string folder = path;
    SDL_free(path);
    return folder;
}

std::string PlayerFilePath(const std::string& gamePath) {
    if (::access(".", W_OK) == 0) return gamePath;
    const std::string folder = PlayerDataFolder();
    if (folder.empty()) return gamePath;
    std::string relative = gamePath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path target = std::filesystem::path(folder) / relative;
    std::error_code ec;
    std::filesystem::create_directories(target.parent_path(), ec);
    return target.string();
}

}  // namespace platform
