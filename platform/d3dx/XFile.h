#pragma once
// Loading .x model files (text or binary) as D3DX does: coordinates, texture coordinates and face
// winding exactly as written (left-handed), one subset per material in the file's material order.
// Paths follow the game's rules (any case, '\' or '/').
#include "platform/d3dx/AnimationController.h"
#include "platform/d3dx/Buffer.h"
#include "platform/d3dx/Hierarchy.h"

// Every mesh of the file, moved by its frames, merged into one. materials receives an array of
// D3DXMATERIAL whose texture names point into the same buffer. effects is not supported (must be null).
HRESULT D3DXLoadMeshFromXA(const char* file, DWORD options, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                           ID3DXBuffer** materials, ID3DXBuffer** effects, DWORD* numMaterials,
                           ID3DXMesh** mesh);

// The frame hierarchy, one mesh container per frame that holds meshes, and an animation controller
// with two tracks and the file's animation sets (the last set of the file has index 0, as in D3DX).
// userDataLoader is not supported (must be null).
HRESULT D3DXLoadMeshHierarchyFromXA(const char* file, DWORD options, IDirect3DDevice9* device,
                                    ID3DXAllocateHierarchy* allocator, void* userDataLoader,
                                    D3DXFRAME** rootFrame, ID3DXAnimationController** controller);
