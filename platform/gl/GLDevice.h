#pragma once
// The device on OpenGL (core profile). Everything is drawn into frame-buffer objects stored top row
// first, as Direct3D stores its surfaces, so texture coordinates and render-target sampling need no
// flipping; Present copies the back buffer to the window upside down.
#include <epoxy/gl.h>

#include "platform/d3d9/StateDevice.h"

class IDirect3DBaseTexture9;
struct SDL_Window;
typedef void* SDL_GLContext;

// A surface backed by a GL texture (colour) or render buffer (depth-stencil).
class GLSurface : public IDirect3DSurface9 {
public:
    GLSurface(const D3DSURFACE_DESC& d, GLuint texture, GLuint renderBuffer)
        : IDirect3DSurface9(d), texture(texture), renderBuffer(renderBuffer) {}
    ~GLSurface() override;
    GLuint Texture() const { return texture; }
    GLuint RenderBuffer() const { return renderBuffer; }

private:
    GLuint texture;
    GLuint renderBuffer;
};

class GLDevice : public StateDevice {
public:
    GLDevice(const D3DPRESENT_PARAMETERS& params, D3DDEVTYPE type, SDL_Window* window, SDL_GLContext context);
    ~GLDevice() override;

    HRESULT Clear(DWORD count, const void* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;
    HRESULT Present(const void*, const void*, HWND, const void*) override;
    bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

    // Binds the current targets and applies the render states before a draw.
    void PrepareDraw();

    // --- effects ---
    // While an effect pass is active its program draws instead of the fixed-function one.
    void SetEffectProgram(GLuint program) { effectProgram = program; }
    GLuint EffectProgram() const { return effectProgram; }
    // Binds an effect's texture parameter to a unit with the sampler its file declares.
    void BindEffectTexture(GLint unit, IDirect3DBaseTexture9* texture, GLuint sampler);

protected:
    void OnTargetsChanged() override { targetsDirty = true; }

private:
    void BindTargets();
    void ApplyRenderStates();

    SDL_Window* window;
    SDL_GLContext context;
    GLuint framebuffer = 0;
    GLuint backBufferTexture = 0;
    bool targetsDirty = true;
    GLuint effectProgram = 0;
};

namespace platform::gl {
IDirect3D9* CreateDirect3D();
// The GL texture behind a texture interface (0 for none).
GLuint TextureName(IDirect3DBaseTexture9* texture);
}
