#pragma once
// The fixed-function pipeline of Direct3D 9 as one GLSL program: vertices of a flexible vertex format,
// either pre-transformed (screen pixels) or through world × view × projection, and texture stage 0
// combining texture and diffuse colour as its colour and alpha operations say, with the alpha test.
// Untransformed vertices with normals are lit per vertex by light 0 on the material when lighting is on.
#include <epoxy/gl.h>

#include <array>
#include <cstdint>

#include "platform/d3d9/D3D9Types.h"

class GLTexture;

// What one draw reads of the device state.
struct FixedDrawState {
    DWORD fvf = 0;
    D3DXMATRIX worldViewProj;
    D3DVIEWPORT9 viewport{};
    GLTexture* texture = nullptr;                        // stage 0
    std::array<DWORD, 6> stage0{};                       // colour op, arg1, arg2, alpha op, arg1, arg2
    std::array<DWORD, D3DSAMP_COUNT> sampler0{};
    bool alphaTest = false;
    DWORD alphaFunc = D3DCMP_ALWAYS;
    DWORD alphaRef = 0;
    // While an effect pass is active: its program, which draws instead of the fixed pipeline (the
    // effect binds its own textures and parameters).
    GLuint effectProgram = 0;
    // Light 0 on the material (untransformed vertices with normals, lighting render state on).
    bool lighting = false;
    D3DXMATRIX world;
    D3DLIGHT9 light{};
    D3DMATERIAL9 material{};
    DWORD ambient = 0;
};

// Where a mesh's vertices and indices wait on the GPU, with the vertex version they were copied at.
struct GLMeshBuffers {
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    uint32_t version = 0;
};

class FixedFunction {
public:
    ~FixedFunction();
    // Draws from memory; false when the program could not be built or the format has no position.
    bool Draw(const FixedDrawState& state, D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
              UINT stride);
    // Draws indexed triangles from buffers already on the GPU (16-bit indices).
    bool DrawIndexed(const FixedDrawState& state, const GLMeshBuffers& buffers, UINT stride, UINT firstIndex,
                     UINT indexCount);

private:
    bool Build();
    void SetUniforms(const FixedDrawState& state);
    void BindTexture(const FixedDrawState& state);
    void SetVertexLayout(DWORD fvf, UINT stride);
    // The program that draws, with its uniforms set.
    void UseProgram(const FixedDrawState& state);

    GLuint program = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    bool failed = false;
};
