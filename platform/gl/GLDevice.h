#pragma once
// The device on OpenGL (core profile). Everything is drawn into frame-buffer objects stored top row
// first, as Direct3D stores its surfaces, so texture coordinates and render-target sampling need no
// flipping; Present copies the back buffer to the window upside down.
#include <epoxy/gl.h>

#include <map>
#include <memory>

#include "platform/d3d9/StateDevice.h"
#include "platform/gl/FixedFunction.h"

class ID3DXMesh;
struct D3DXATTRIBUTERANGE;
struct SDL_Window;
typedef void* SDL_GLContext;

// A surface backed by a GL texture (colour) or render buffer (depth-stencil).
class GLSurface : public IDirect3DSurface9 {
public:
    // owns: the surface deletes its GL objects (false for a level of a texture, which keeps them).
    GLSurface(const D3DSURFACE_DESC& d, GLuint texture, GLuint renderBuffer, bool owns = true)
        : IDirect3DSurface9(d), texture(texture), renderBuffer(renderBuffer), owns(owns) {}
    ~GLSurface() override;
    GLuint Texture() const { return texture; }
    GLuint RenderBuffer() const { return renderBuffer; }

private:
    GLuint texture;
    GLuint renderBuffer;
    bool owns;
};

class GLDevice : public StateDevice {
public:
    GLDevice(const D3DPRESENT_PARAMETERS& params, D3DDEVTYPE type, SDL_Window* window, SDL_GLContext context);
    ~GLDevice() override;

    HRESULT BeginScene() override;
    HRESULT Clear(DWORD count, const void* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;
    HRESULT Present(const void*, const void*, HWND, const void*) override;
    bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture9** texture, void* sharedHandle) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                      DWORD quality, BOOL discard, IDirect3DSurface9** surface,
                                      void* sharedHandle) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;
    HRESULT StretchRect(IDirect3DSurface9* source, const void* sourceRect, IDirect3DSurface9* dest,
                        const void* destRect, D3DTEXTUREFILTERTYPE filter) override;
    void AttachToThread() override;
    void DetachFromThread() override;
    void Finish() override { glFinish(); }
    std::string RendererName() const override;

    // Binds the current targets and applies the render states before a draw.
    void PrepareDraw();
    void OnlyFirstTarget();

    // --- meshes ---
    // One subset of a mesh: its vertices and indices go to the GPU on first use and again whenever the
    // CPU copy has changed (skinning), then the subset's triangles are drawn.
    HRESULT DrawMesh(const ID3DXMesh& mesh, const D3DXATTRIBUTERANGE& range);

    // --- effects ---
    // While an effect pass is active its program draws instead of the fixed-function one.
    void SetEffectProgram(GLuint program) { effectProgram = program; }
    GLuint EffectProgram() const { return effectProgram; }
    // Binds an effect's texture parameter to a unit with the sampler its file declares. A texture that
    // is also one of the current render targets is sampled through a copy of its contents at this
    // moment (what was drawn so far): GL leaves reading a target while drawing into it undefined.
    void BindEffectTexture(GLint unit, IDirect3DTexture9* texture, GLuint sampler);

protected:
    void OnTargetsChanged() override { targetsDirty = true; }

private:
    void BindTargets();
    void ApplyRenderStates();
    FixedDrawState DrawState() const;
    bool IsCurrentTarget(GLuint texture) const;
    void BindBackBufferForReading();
    // A copy of a target texture's level 0, made now; one copy texture is kept per target.
    GLuint SnapshotOf(GLuint texture);

    SDL_Window* window;
    SDL_GLContext context;
    GLuint framebuffer = 0;
    GLuint backBufferTexture = 0;
    GLuint readFramebuffer = 0;
    bool targetsDirty = true;
    bool discardingPixels = false;
    std::unique_ptr<FixedFunction> fixedFunction = std::make_unique<FixedFunction>();
    GLuint effectProgram = 0;
    struct Snapshot {
        GLuint copy = 0;
        GLint width = 0, height = 0, format = 0;
    };
    std::map<GLuint, Snapshot> snapshots;
};

namespace platform::gl {
IDirect3D9* CreateDirect3D();
}
