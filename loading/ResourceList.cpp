#include "loading/ResourceList.h"

#include <vector>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "loading/LoadPacing.h"
#include "loading/TextData.h"
#include "sound/SoundManager.h"

ResourceRecord ParseResourceRecord(const std::string& line) {
    ResourceRecord record;
    std::vector<std::string> fields;
    Split(line, ",", fields);
    if (fields.size() < 3) return record;
    const std::string& kind = fields[0];
    const std::string& second = fields[1];
    if (kind == "0") {
        if (second == "0") record.action = ResourceAction::StaticMesh;
        else if (second == "1") record.action = ResourceAction::SkinnedMesh;
    } else if (kind == "1") {
        record.action = ResourceAction::Texture;
    } else if (kind == "2") {
        record.soundSlot = ParseIntLenient(second);
        // Only slots 0 to 49 exist; anything else would write outside the slot table.
        if (record.soundSlot >= 0 && record.soundSlot < kSoundSlotCount) record.action = ResourceAction::Sound;
    }
    if (record.action != ResourceAction::None) record.path = fields[2];
    return record;
}

void LoadResource(const ResourceRecord& record) {
    switch (record.action) {
        case ResourceAction::Texture:
            TextureManager::GetInstance().GetTexture(record.path);
            break;
        case ResourceAction::StaticMesh:
            MeshManager::GetInstance().GetMesh(GraphicsDevice::GetInstance().GetDevice(), record.path);
            break;
        case ResourceAction::SkinnedMesh:
            MeshManager::GetInstance().GetSkinnedMesh(GraphicsDevice::GetInstance().GetDevice(), record.path);
            break;
        case ResourceAction::Sound:
            SoundManager::GetInstance().LoadSound(record.soundSlot, record.path);
            break;
        case ResourceAction::None:
            break;
    }
}

void LoadResourceList(const std::string& path, std::atomic<uint32_t>& total, std::atomic<uint32_t>& progress) {
    const std::vector<std::string> lines = ReadLines(path);
    total.store(static_cast<uint32_t>(lines.size()));
    progress.store(0);
    LoadPacing& pacing = CurrentLoadPacing();
    pacing.ListRead(static_cast<uint32_t>(lines.size()));
    for (const std::string& line : lines) {
        pacing.BeforeLine();
        LoadResource(ParseResourceRecord(line));
        progress.fetch_add(1);
        pacing.AfterLine();
    }
}
