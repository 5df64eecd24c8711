#pragma once
// Records shared by the D3DX mesh, skin and file-loading calls.
#include <cstdint>

#include "platform/d3d9/D3D9Types.h"

// --- materials ---
// A material as a .x file gives it: the colours and the texture file name as written (or null).
struct D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    char* pTextureFilename;
};

// Effect instances are never produced by our loader; the type exists for the call shapes.
struct D3DXEFFECTINSTANCE {
    char* pEffectFilename;
    DWORD NumDefaults;
    void* pDefaults;
};

// One subset of a mesh: the faces and the vertices of one material.
struct D3DXATTRIBUTERANGE {
    DWORD AttribId;
    DWORD FaceStart;
    DWORD FaceCount;
    DWORD VertexStart;
    DWORD VertexCount;
};

// --- vertex layout ---
// Every mesh we load holds position, normal and one texture coordinate pair: 32 bytes per vertex.
struct MeshVertex {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    float u, v;
};
constexpr DWORD D3DXMESH_VERTEX_FVF = 0x112;  // XYZ | NORMAL | TEX1

// --- options and flags ---
constexpr DWORD D3DXMESH_32BIT = 0x001;
constexpr DWORD D3DXMESH_MANAGED = 0x220;
constexpr DWORD D3DLOCK_READONLY = 0x10;
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr DWORD UNUSED32 = 0xFFFFFFFFu;
