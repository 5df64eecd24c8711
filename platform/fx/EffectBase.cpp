#include "platform/fx/EffectBase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

EffectBase::EffectBase(IDirect3DDevice9* dev, EffectSource src) : device(dev), source(std::move(src)) {
    for (const auto& decl : source.params) params.push_back(EffectParam{decl});
}

EffectBase::~EffectBase() = default;

EffectParam* EffectBase::Find(D3DXHANDLE name) {
    if (!name) return nullptr;
    // Literals lie packed a few bytes apart: a multiplicative hash spreads them over the slots, and a
    // name looks at a few slots from its own before it takes one.
    const uint64_t hash = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(name)) * 0x9E3779B97F4A7C15ull;
    const size_t home = static_cast<size_t>(hash >> 57);
    Lookup* free = nullptr;
    for (size_t probe = 0; probe < kLookupProbes; ++probe) {
        Lookup& lookup = lookups[(home + probe) % kLookups];
        if (lookup.key == name) {
            if (std::strcmp(lookup.name, name) == 0)
                return lookup.index < 0 ? nullptr : &params[static_cast<size_t>(lookup.index)];
            free = &lookup;  // the address now holds another name
            break;
        }
        if (!lookup.key) {
            free = &lookup;
            break;
        }
    }
    long found = -1;
    for (size_t i = 0; i < params.size(); ++i) {
        if (params[i].decl.name == name) {
            found = static_cast<long>(i);
            break;
        }
    }
    const size_t length = std::strlen(name);
    if (length < sizeof(Lookup::name)) {
        Lookup& lookup = free ? *free : lookups[home];
        lookup.key = name;
        lookup.index = found;
        std::memcpy(lookup.name, name, length + 1);
    }
    return found < 0 ? nullptr : &params[static_cast<size_t>(found)];
}

const EffectPass* EffectBase::ActivePass() const {
    if (activePass < 0) return nullptr;
    return &source.techniques[technique].passes[static_cast<size_t>(activePass)];
}

D3DXHANDLE EffectBase::GetTechniqueByName(const char* name) {
    for (const auto& t : source.techniques) {
        if (name && t.name == name) return t.name.c_str();
    }
    return nullptr;
}

D3DXHANDLE EffectBase::GetParameterByName(D3DXHANDLE, const char* name) {
    EffectParam* param = Find(name);
    return param ? param->decl.name.c_str() : nullptr;
}

namespace {

// The integer view of a float parameter; a value an int cannot hold (NaN, out of range) reads as 0.
int WholePart(float value) {
    return std::isfinite(value) && std::fabs(value) < 2.0e9f ? static_cast<int>(value) : 0;
}

}  // namespace

HRESULT EffectBase::SetTechnique(D3DXHANDLE name) {
    OnCall("SetTechnique", name, 0);
    for (size_t i = 0; i < source.techniques.size(); ++i) {
        if (name && source.techniques[i].name == name) {
            technique = i;
            return D3D_OK;
        }
    }
    return D3DERR_INVALIDCALL;
}

HRESULT EffectBase::Begin(UINT* passes, DWORD) {
    OnCall("Begin", nullptr, 0);
    if (passes) *passes = static_cast<UINT>(source.techniques[technique].passes.size());
    begun = true;
    return D3D_OK;
}

HRESULT EffectBase::BeginPass(UINT pass) {
    OnCall("BeginPass", nullptr, pass);
    if (!begun || pass >= source.techniques[technique].passes.size()) return D3DERR_INVALIDCALL;
    activePass = static_cast<long>(pass);
    for (const auto& [state, value] : ActivePass()->states) {
        const auto at = std::lower_bound(savedStates.begin(), savedStates.end(), state,
                                         [](const auto& saved, D3DRENDERSTATETYPE s) { return saved.first < s; });
        if (at == savedStates.end() || at->first != state) {
            DWORD previous = 0;
            device->GetRenderState(state, &previous);
            savedStates.insert(at, {state, previous});
        }
        device->SetRenderState(state, value);
    }
    OnBeginPass(technique, pass);
    OnCommit();
    return D3D_OK;
}

HRESULT EffectBase::CommitChanges() {
    OnCall("CommitChanges", nullptr, 0);
    if (activePass >= 0) OnCommit();
    return D3D_OK;
}

HRESULT EffectBase::EndPass() {
    OnCall("EndPass", nullptr, 0);
    if (activePass < 0) return D3DERR_INVALIDCALL;
    OnEndPass();
    activePass = -1;
    return D3D_OK;
}

HRESULT EffectBase::End() {
    OnCall("End", nullptr, 0);
    if (activePass >= 0) EndPass();
    for (const auto& [state, value] : savedStates) device->SetRenderState(state, value);
    savedStates.clear();
    begun = false;
    return D3D_OK;
}

HRESULT EffectBase::SetMatrix(D3DXHANDLE name, const D3DXMATRIX* matrix) {
    OnCall("SetMatrix", name, 0);
    EffectParam* param = Find(name);
    if (!param || !matrix) return D3D_OK;  // unknown parameters are ignored
    std::memcpy(param->values, &matrix->m[0][0], sizeof param->values);
    return D3D_OK;
}

HRESULT EffectBase::SetFloat(D3DXHANDLE name, float value) {
    OnCall("SetFloat", name, 0);
    EffectParam* param = Find(name);
    if (!param) return D3D_OK;
    if (param->decl.type == EffectParamType::Int) param->intValue = WholePart(value);
    param->values[0] = value;
    return D3D_OK;
}

HRESULT EffectBase::SetInt(D3DXHANDLE name, int value) {
    OnCall("SetInt", name, 0);
    EffectParam* param = Find(name);
    if (!param) return D3D_OK;
    param->intValue = value;
    param->values[0] = static_cast<float>(value);
    return D3D_OK;
}

HRESULT EffectBase::SetVector(D3DXHANDLE name, const D3DXVECTOR4* vector) {
    OnCall("SetVector", name, 0);
    EffectParam* param = Find(name);
    if (!param || !vector) return D3D_OK;
    const float v[4] = {vector->x, vector->y, vector->z, vector->w};
    std::memcpy(param->values, v, sizeof v);
    param->intValue = WholePart(v[0]);
    return D3D_OK;
}

HRESULT EffectBase::SetValue(D3DXHANDLE name, const void* data, UINT bytes) {
    OnCall("SetValue", name, 0);
    EffectParam* param = Find(name);
    if (!param || !data) return D3D_OK;
    if (param->decl.type == EffectParamType::Int) {
        std::memcpy(&param->intValue, data, std::min<size_t>(bytes, sizeof(int)));
        return D3D_OK;
    }
    std::memcpy(param->values, data, std::min<size_t>(bytes, sizeof param->values));
    return D3D_OK;
}

HRESULT EffectBase::SetTexture(D3DXHANDLE name, IDirect3DTexture9* texture) {
    OnCall("SetTexture", name, 0);
    EffectParam* param = Find(name);
    if (param && param->decl.type == EffectParamType::Texture) param->texture = texture;
    return D3D_OK;
}

HRESULT EffectBase::GetMatrix(D3DXHANDLE name, D3DXMATRIX* matrix) {
    EffectParam* param = Find(name);
    if (!param || !matrix) return D3DERR_INVALIDCALL;
    std::memcpy(&matrix->m[0][0], param->values, sizeof(float) * 16);
    return D3D_OK;
}

HRESULT EffectBase::GetFloat(D3DXHANDLE name, float* value) {
    EffectParam* param = Find(name);
    if (!param || !value) return D3DERR_INVALIDCALL;
    *value = param->values[0];
    return D3D_OK;
}

HRESULT EffectBase::GetInt(D3DXHANDLE name, int* value) {
    EffectParam* param = Find(name);
    if (!param || !value) return D3DERR_INVALIDCALL;
    *value = param->intValue;
    return D3D_OK;
}

HRESULT EffectBase::GetVector(D3DXHANDLE name, D3DXVECTOR4* vector) {
    EffectParam* param = Find(name);
    if (!param || !vector) return D3DERR_INVALIDCALL;
    *vector = D3DXVECTOR4(param->values[0], param->values[1], param->values[2], param->values[3]);
    return D3D_OK;
}

HRESULT EffectBase::GetTexture(D3DXHANDLE name, IDirect3DTexture9** texture) {
    EffectParam* param = Find(name);
    if (!param || !texture) return D3DERR_INVALIDCALL;
    *texture = param->texture;
    return D3D_OK;
}
