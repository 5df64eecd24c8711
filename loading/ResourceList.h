#pragma once
// Resource lists: one comma-separated record per line naming a mesh, a texture or a sound to load into
// its cache.
#include <atomic>
#include <cstdint>
#include <string>

// What one record asks for.
enum class ResourceAction {
    None,          // unknown kind, unknown mesh variant, too few fields or a sound slot out of range
    StaticMesh,    // "0,0,path"
    SkinnedMesh,   // "0,1,path"
    Texture,       // "1,anything,path"
    Sound,         // "2,slot,path"
};

struct ResourceRecord {
    ResourceAction action = ResourceAction::None;
    int soundSlot = 0;
    std::string path;
};

constexpr int kSoundSlotCount = 50;

// Reads one line of a resource list. Kind and mesh variant are compared as whole texts.
ResourceRecord ParseResourceRecord(const std::string& line);
// Loads what the record names into its cache.
void LoadResource(const ResourceRecord& record);

// Runs a whole list: publishes the number of lines as total, then progress 0, then loads line by line,
// adding one to progress after each line whatever it caused.
void LoadResourceList(const std::string& path, std::atomic<uint32_t>& total, std::atomic<uint32_t>& progress);
