#pragma once
// What every effect keeps whatever it draws with: its parameters' values, the technique and pass in
// use, and the render states its passes changed (given back at End).
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "platform/fx/Effect.h"
#include "platform/fx/EffectFile.h"

struct EffectParam {
    EffectParamDecl decl;
    float values[16] = {};               // floats, vectors and matrices (row-major, as D3DX keeps them)
    int intValue = 0;
    IDirect3DTexture9* texture = nullptr;  // not owned: textures belong to their creators
};

class EffectBase : public ID3DXEffect {
public:
    EffectBase(IDirect3DDevice9* device, EffectSource source);

    D3DXHANDLE GetTechniqueByName(const char* name) override;
    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) override;
    HRESULT SetTechnique(D3DXHANDLE technique) override;
    HRESULT Begin(UINT* passes, DWORD flags) override;
    HRESULT BeginPass(UINT pass) override;
    HRESULT CommitChanges() override;
    HRESULT EndPass() override;
    HRESULT End() override;

    HRESULT SetMatrix(D3DXHANDLE name, const D3DXMATRIX* matrix) override;
    HRESULT SetFloat(D3DXHANDLE name, float value) override;
    HRESULT SetInt(D3DXHANDLE name, int value) override;
    HRESULT SetVector(D3DXHANDLE name, const D3DXVECTOR4* vector) override;
    HRESULT SetValue(D3DXHANDLE name, const void* data, UINT bytes) override;
    HRESULT SetTexture(D3DXHANDLE name, IDirect3DTexture9* texture) override;

    HRESULT GetMatrix(D3DXHANDLE name, D3DXMATRIX* matrix) override;
    HRESULT GetFloat(D3DXHANDLE name, float* value) override;
    HRESULT GetInt(D3DXHANDLE name, int* value) override;
    HRESULT GetVector(D3DXHANDLE name, D3DXVECTOR4* vector) override;
    HRESULT GetTexture(D3DXHANDLE name, IDirect3DTexture9** texture) override;

    const EffectSource& Source() const { return source; }
    // The pass being drawn, or null outside BeginPass/EndPass.
    const EffectPass* ActivePass() const;

protected:
    ~EffectBase() override;

    // Back-end hooks: a pass begins (its states are already set), the parameters are to reach the
    // pass's program, the pass ends.
    virtual void OnBeginPass(size_t technique, size_t pass) = 0;
    virtual void OnCommit() = 0;
    virtual void OnEndPass() = 0;
    // Every call of the game on the effect, for back ends that keep a record (name: the parameter or
    // technique named, if any; index: the pass of BeginPass).
    virtual void OnCall(const char* call, D3DXHANDLE name, UINT index) {
        (void)call, (void)name, (void)index;
    }

    EffectParam* Find(D3DXHANDLE name);
    std::vector<EffectParam>& Params() { return params; }
    IDirect3DDevice9* Device() const { return device; }

private:
    IDirect3DDevice9* device;  // not owned
    EffectSource source;
    std::vector<EffectParam> params;
    // Recent lookups by the address of the name the game passed (its string literals stay put), each
    // checked against a copy of the name before it is trusted; index -1 remembers a name the file does
    // not declare. Saves the walk over every parameter name for the dozens of sets of each draw.
    struct Lookup {
        const char* key = nullptr;
        long index = -1;
        char name[40] = {};
    };
    static constexpr size_t kLookups = 128;  // a name's first slot is the top 7 bits of a hash
    static constexpr size_t kLookupProbes = 4;
    std::array<Lookup, kLookups> lookups{};
    size_t technique = 0;
    long activePass = -1;
    bool begun = false;
    // The states the passes changed and their values before, in state order; cleared (not freed) at
    // End, so a frame of draws reuses it.
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> savedStates;
};
