#pragma once
// Effects in the shape the game drives them: techniques and passes, parameters set by name.
#include <string>

#include "platform/d3d9/Device.h"
#include "platform/d3dx/Buffer.h"

class IDirect3DTexture9;

// A parameter or technique is named by its string; the handles the effect hands out are such strings.
typedef const char* D3DXHANDLE;

class ID3DXEffect : public Unknown {
public:
    // --- techniques and passes ---
    virtual D3DXHANDLE GetTechniqueByName(const char* name) = 0;
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) = 0;
    virtual HRESULT SetTechnique(D3DXHANDLE technique) = 0;
    virtual HRESULT Begin(UINT* passes, DWORD flags) = 0;
    virtual HRESULT BeginPass(UINT pass) = 0;
    virtual HRESULT CommitChanges() = 0;
    virtual HRESULT EndPass() = 0;
    virtual HRESULT End() = 0;

    // --- parameters (a name the file does not declare is ignored) ---
    virtual HRESULT SetMatrix(D3DXHANDLE name, const D3DXMATRIX* matrix) = 0;
    virtual HRESULT SetFloat(D3DXHANDLE name, float value) = 0;
    virtual HRESULT SetInt(D3DXHANDLE name, int value) = 0;
    virtual HRESULT SetVector(D3DXHANDLE name, const D3DXVECTOR4* vector) = 0;
    virtual HRESULT SetValue(D3DXHANDLE name, const void* data, UINT bytes) = 0;
    virtual HRESULT SetTexture(D3DXHANDLE name, IDirect3DTexture9* texture) = 0;

    virtual HRESULT GetMatrix(D3DXHANDLE name, D3DXMATRIX* matrix) = 0;
    virtual HRESULT GetFloat(D3DXHANDLE name, float* value) = 0;
    virtual HRESULT GetInt(D3DXHANDLE name, int* value) = 0;
    virtual HRESULT GetVector(D3DXHANDLE name, D3DXVECTOR4* vector) = 0;
    virtual HRESULT GetTexture(D3DXHANDLE name, IDirect3DTexture9** texture) = 0;
};

// Loads and compiles an effect file (through the case-insensitive path lookup). On failure returns an
// error and, when errors is given, a buffer holding the compiler's text. The four unused arguments
// keep the call's original shape.
HRESULT D3DXCreateEffectFromFileA(IDirect3DDevice9* device, const char* path, const void* defines,
                                  const void* include, DWORD flags, const void* pool, ID3DXEffect** effect,
                                  ID3DXBuffer** errors);
