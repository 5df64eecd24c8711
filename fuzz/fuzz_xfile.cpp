// .x models: loaded through the mesh cache as the game loads them, once as a static mesh and once as a
// skinned mesh with its frame hierarchy and animations, on the headless device.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartHeadless();
    const fuzz::InFolder inContent(fuzz::GameDir());
    // Two names, so that the two caches each load the file.
    const std::string still = fuzz::ScratchDir() + "/still.x", skinned = fuzz::ScratchDir() + "/skinned.x";
    fuzz::WriteBytes(still, data, size);
    fuzz::WriteBytes(skinned, data, size);
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    MeshManager::GetInstance().GetMesh(device, still);
    MeshManager::GetInstance().GetSkinnedMesh(device, skinned);
    fuzz::ReleaseCaches();
    return 0;
}
