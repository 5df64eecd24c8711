#pragma once
// A block of bytes handed out by a D3DX call (adjacency, materials); released by whoever receives it.
#include <vector>

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/Unknown.h"

class ID3DXBuffer : public Unknown {
public:
    explicit ID3DXBuffer(size_t size) : bytes(size) {}
    void* GetBufferPointer() { return bytes.data(); }
    DWORD GetBufferSize() const { return static_cast<DWORD>(bytes.size()); }

private:
    std::vector<unsigned char> bytes;
};
