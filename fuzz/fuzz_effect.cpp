// Effect files: parsed, and when accepted, made into an effect on the headless device whose techniques
// and passes are walked.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "graphics/GraphicsDevice.h"
#include "platform/fx/Effect.h"
#include "platform/fx/EffectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartHeadless();
    const fuzz::InFolder inContent(fuzz::GameDir());
    const std::string text(reinterpret_cast<const char*>(data), size);
    EffectSource source;
    std::string error;
    if (!ParseEffectFile(text, "fuzz.fx", source, error)) return 0;
    const std::string path = fuzz::ScratchDir() + "/effect.fx";
    fuzz::WriteBytes(path, data, size);
    ID3DXEffect* effect = nullptr;
    ID3DXBuffer* errors = nullptr;
    if (FAILED(D3DXCreateEffectFromFileA(GraphicsDevice::GetInstance().GetDevice(), path.c_str(), nullptr, nullptr, 0,
                                         nullptr, &effect, &errors))) {
        if (errors) errors->Release();
        return 0;
    }
    for (const EffectTechnique& technique : source.techniques) {
        effect->SetTechnique(effect->GetTechniqueByName(technique.name.c_str()));
        UINT passes = 0;
        effect->Begin(&passes, 0);
        for (UINT pass = 0; pass < passes; ++pass) {
            effect->BeginPass(pass);
            effect->EndPass();
        }
        effect->End();
    }
    effect->Release();
    return 0;
}
