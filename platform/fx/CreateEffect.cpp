#include <cstring>
#include <filesystem>
#include <sstream>

#include "platform/fx/Effect.h"
#include "platform/fx/GLEffect.h"
#include "platform/fx/HeadlessEffect.h"
#include "platform/gl/GLDevice.h"
#include "platform/sys/Paths.h"

namespace {

// The error text as the compiler hands it out: a buffer holding a C string.
HRESULT Fail(ID3DXBuffer** errors, const std::string& text) {
    if (errors) {
        *errors = new ID3DXBuffer(text.size() + 1);
        std::memcpy((*errors)->GetBufferPointer(), text.c_str(), text.size() + 1);
    }
    return E_FAIL;
}

}  // namespace

HRESULT D3DXCreateEffectFromFileA(IDirect3DDevice9* device, const char* path, const void*, const void*, DWORD,
                                  const void*, ID3DXEffect** effect, ID3DXBuffer** errors) {
    if (errors) *errors = nullptr;
    if (!device || !path || !effect) return D3DERR_INVALIDCALL;
    *effect = nullptr;
    std::string text;
    if (!platform::ReadFile(path, text)) return Fail(errors, std::string(path) + ": cannot open the effect file");

    EffectSource source;
    std::string error;
    if (!ParseEffectFile(text, path, source, error)) return Fail(errors, error);

    if (HeadlessDevice* headless = HeadlessDevice::From(device)) {
        *effect = new HeadlessEffect(headless, std::move(source), std::filesystem::path(path).stem().string());
        return D3D_OK;
    }
    auto* gl = dynamic_cast<GLDevice*>(device);
    if (!gl) return Fail(errors, "no device to compile the effect for");
    *effect = GLEffect::Create(gl, std::move(source), path, error);
    return *effect ? D3D_OK : Fail(errors, error);
}
