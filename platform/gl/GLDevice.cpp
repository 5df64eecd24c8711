#include "platform/gl/GLDevice.h"

#include <SDL.h>

#include <algorithm>

#include "platform/Platform.h"
#include "platform/gl/GLTexture.h"
#include "platform/image/Screenshots.h"
#include "platform/d3dx/Mesh.h"
#include "platform/sys/WindowInternal.h"

namespace {

GLenum BlendFactor(DWORD blend) {
    switch (blend) {
        case D3DBLEND_ZERO: return GL_ZERO;
        case D3DBLEND_ONE: return GL_ONE;
        case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
        default: return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op) {
    switch (op) {
        case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
        case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
        case D3DBLENDOP_MIN: return GL_MIN;
        case D3DBLENDOP_MAX: return GL_MAX;
        default: return GL_FUNC_ADD;
    }
}

GLenum CompareFunc(DWORD cmp) {
    switch (cmp) {
        case D3DCMP_NEVER: return GL_NEVER;
        case D3DCMP_LESS: return GL_LESS;
        case D3DCMP_EQUAL: return GL_EQUAL;
        case D3DCMP_LESSEQUAL: return GL_LEQUAL;
        case D3DCMP_GREATER: return GL_GREATER;
        case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
        default: return GL_ALWAYS;
    }
}

GLenum StencilOp(DWORD op) {
    switch (op) {
        case D3DSTENCILOP_ZERO: return GL_ZERO;
        case D3DSTENCILOP_REPLACE: return GL_REPLACE;
        case D3DSTENCILOP_INCRSAT: return GL_INCR;
        case D3DSTENCILOP_DECRSAT: return GL_DECR;
        case D3DSTENCILOP_INVERT: return GL_INVERT;
        case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
        case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
        default: return GL_KEEP;
    }
}

GLSurface* MakeColourSurface(D3DFORMAT format, UINT width, UINT height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return new GLSurface(D3DSURFACE_DESC{format, width, height}, texture, 0);
}

GLSurface* MakeDepthSurface(D3DFORMAT format, UINT width, UINT height) {
    GLuint buffer = 0;
    glGenRenderbuffers(1, &buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(width),
                          static_cast<GLsizei>(height));
    return new GLSurface(D3DSURFACE_DESC{format, width, height}, 0, buffer);
}

// Makes a core-profile context on the window, newest first. The back buffer is our own frame-buffer
// object, so the window's default frame buffer needs no depth or stencil.
SDL_GLContext CreateContext(SDL_Window* window) {
    static const int kVersions[][2] = {{4, 5}, {3, 3}};
    for (const auto& version : kVersions) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, version[0]);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, version[1]);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        if (SDL_GLContext context = SDL_GL_CreateContext(window)) return context;
    }
    return nullptr;
}

}  // namespace

GLSurface::~GLSurface() {
    if (!owns) return;
    if (texture) glDeleteTextures(1, &texture);
    if (renderBuffer) glDeleteRenderbuffers(1, &renderBuffer);
}

GLDevice::GLDevice(const D3DPRESENT_PARAMETERS& params, D3DDEVTYPE type, SDL_Window* win, SDL_GLContext ctx)
    : StateDevice(params, MakeColourSurface(params.BackBufferFormat, params.BackBufferWidth, params.BackBufferHeight),
                  params.EnableAutoDepthStencil
                      ? MakeDepthSurface(params.AutoDepthStencilFormat, params.BackBufferWidth, params.BackBufferHeight)
                      : nullptr,
                  type),
      window(win),
      context(ctx) {
    backBufferTexture = static_cast<GLSurface*>(renderTargets[0])->Texture();
    glGenFramebuffers(1, &framebuffer);
    // Direct3D's depth range (0 to 1) and its top-down row order.
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    // Direct3D treats clockwise triangles as front faces.
    glFrontFace(GL_CW);
    SDL_GL_SetSwapInterval(0);  // presenting is immediate; the main loop paces the frames
    BindTargets();
}

std::string GLDevice::RendererName() const {
    const GLubyte* name = glGetString(GL_RENDERER);
    return name ? reinterpret_cast<const char*>(name) : "";
}

GLDevice::~GLDevice() {
    // Surfaces hold GL objects: they go while the context is still alive.
    ReleaseSurfaces();
    for (auto& [target, snapshot] : snapshots) glDeleteTextures(1, &snapshot.copy);
    fixedFunction.reset();
    platform::gl::FlushDeletedTextures();
    glDeleteFramebuffers(1, &framebuffer);
    if (readFramebuffer) glDeleteFramebuffers(1, &readFramebuffer);
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
}

void GLDevice::BindTargets() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    GLenum buffers[kMaxRenderTargets];
    for (int i = 0; i < kMaxRenderTargets; ++i) {
        auto* surface = static_cast<GLSurface*>(renderTargets[i]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D,
                               surface ? surface->Texture() : 0, 0);
        buffers[i] = surface && surface->Texture() ? GL_COLOR_ATTACHMENT0 + i : GL_NONE;
    }
    glDrawBuffers(kMaxRenderTargets, buffers);
    // A depth surface is a render buffer (depth and stencil) or a level of a depth texture (depth only).
    auto* depth = static_cast<GLSurface*>(depthStencil);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depth ? depth->RenderBuffer() : 0);
    if (depth && depth->Texture()) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth->Texture(), 0);
    }
    targetsDirty = false;
}

void GLDevice::ApplyRenderStates() {
    const auto& rs = renderStates;
    glViewport(static_cast<GLint>(viewport.X), static_cast<GLint>(viewport.Y),
               static_cast<GLsizei>(viewport.Width), static_cast<GLsizei>(viewport.Height));
    glDepthRangef(viewport.MinZ, viewport.MaxZ);

    const bool depthTest = rs[D3DRS_ZENABLE] != D3DZB_FALSE && depthStencil;
    if (depthTest) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
    glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    glDepthFunc(CompareFunc(rs[D3DRS_ZFUNC]));

    if (rs[D3DRS_ALPHABLENDENABLE]) glEnable(GL_BLEND); else glDisable(GL_BLEND);
    const bool separate = rs[D3DRS_SEPARATEALPHABLENDENABLE] != FALSE;
    glBlendFuncSeparate(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]),
                        BlendFactor(separate ? rs[D3DRS_SRCBLENDALPHA] : rs[D3DRS_SRCBLEND]),
                        BlendFactor(separate ? rs[D3DRS_DESTBLENDALPHA] : rs[D3DRS_DESTBLEND]));
    glBlendEquationSeparate(BlendEquation(rs[D3DRS_BLENDOP]),
                            BlendEquation(separate ? rs[D3DRS_BLENDOPALPHA] : rs[D3DRS_BLENDOP]));

    switch (rs[D3DRS_CULLMODE]) {
        case D3DCULL_NONE: glDisable(GL_CULL_FACE); break;
        case D3DCULL_CW: glEnable(GL_CULL_FACE); glCullFace(GL_FRONT); break;
        default: glEnable(GL_CULL_FACE); glCullFace(GL_BACK); break;
    }

    // A stencil test that always passes and keeps every value can change nothing: it stays off, which
    // spares a software rasterizer the stencil reads of every fragment.
    const bool stencilWrites = rs[D3DRS_STENCILWRITEMASK] != 0 && (rs[D3DRS_STENCILZFAIL] != D3DSTENCILOP_KEEP ||
                                                                    rs[D3DRS_STENCILPASS] != D3DSTENCILOP_KEEP);
    const bool stencilActs = rs[D3DRS_STENCILFUNC] != D3DCMP_ALWAYS || stencilWrites;
    if (rs[D3DRS_STENCILENABLE] && stencilActs && depthStencil) glEnable(GL_STENCIL_TEST);
    else glDisable(GL_STENCIL_TEST);
    glStencilFunc(CompareFunc(rs[D3DRS_STENCILFUNC]), static_cast<GLint>(rs[D3DRS_STENCILREF]),
                  rs[D3DRS_STENCILMASK]);
    glStencilOp(StencilOp(rs[D3DRS_STENCILFAIL]), StencilOp(rs[D3DRS_STENCILZFAIL]),
                StencilOp(rs[D3DRS_STENCILPASS]));
    glStencilMask(rs[D3DRS_STENCILWRITEMASK]);

    const DWORD mask = rs[D3DRS_COLORWRITEENABLE];
    glColorMask(mask & 1, mask & 2, mask & 4, mask & 8);
    glPolygonMode(GL_FRONT_AND_BACK, rs[D3DRS_FILLMODE] == D3DFILL_WIREFRAME ? GL_LINE : GL_FILL);
}

// The fixed pipeline has one colour output: with several targets bound (the scene pass) it writes the
// first alone and leaves the others (depth, normals) as the effects drew them.
void GLDevice::OnlyFirstTarget() {
    for (GLuint i = 1; i < kMaxRenderTargets; ++i) glColorMaski(i, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
}

void GLDevice::PrepareDraw() {
    platform::gl::FlushDeletedTextures();
    if (targetsDirty) BindTargets();
    glDisable(GL_SCISSOR_TEST);
    ApplyRenderStates();
}

HRESULT GLDevice::Clear(DWORD, const void*, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) {
    if (targetsDirty) BindTargets();
    // A clear fills the viewport whatever the write masks say.
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(viewport.X), static_cast<GLint>(viewport.Y), static_cast<GLsizei>(viewport.Width),
              static_cast<GLsizei>(viewport.Height));
    GLbitfield bits = 0;
    if (flags & D3DCLEAR_TARGET) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f, (colour & 0xFF) / 255.0f,
                     ((colour >> 24) & 0xFF) / 255.0f);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_ZBUFFER) && depthStencil) {
        glDepthMask(GL_TRUE);
        glClearDepthf(z);
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_STENCIL) && depthStencil) {
        glStencilMask(0xFF);
        glClearStencil(static_cast<GLint>(stencil));
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    glClear(bits);
    glDisable(GL_SCISSOR_TEST);
    return D3D_OK;
}

// The back buffer's colour on its own frame buffer, for presenting and for screenshots.
void GLDevice::BindBackBufferForReading() {
    if (!readFramebuffer) {
        glGenFramebuffers(1, &readFramebuffer);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backBufferTexture, 0);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer);
}

// The rasteriser is turned off, not the draws: buffers, textures and programs go through the same
// calls, so a frame drawn after discarded ones is the frame it would have been.
HRESULT GLDevice::BeginScene() {
    const bool discard = !platform::GetSettings().drawPixels;
    if (discard != discardingPixels) {
        if (discard) glEnable(GL_RASTERIZER_DISCARD);
        else glDisable(GL_RASTERIZER_DISCARD);
        discardingPixels = discard;
    }
    return StateDevice::BeginScene();
}

HRESULT GLDevice::Present(const void*, const void*, HWND, const void*) {
    if (discardingPixels) {
        targetsDirty = true;
        return D3D_OK;
    }
    int drawableW = 0, drawableH = 0;
    SDL_GL_GetDrawableSize(window, &drawableW, &drawableH);
    const auto w = static_cast<GLint>(presentParams.BackBufferWidth);
    const auto h = static_cast<GLint>(presentParams.BackBufferHeight);
    // Fit the back buffer into the window keeping its shape, bars filling the rest: the window may
    // have any size (resized, maximised, full screen on the desktop).
    const float scale = std::min(drawableW / static_cast<float>(w), drawableH / static_cast<float>(h));
    const auto outW = static_cast<GLint>(w * scale), outH = static_cast<GLint>(h * scale);
    const GLint x0 = (drawableW - outW) / 2, y0 = (drawableH - outH) / 2;

    platform::SaveRequestedScreenshot(*this);
    BindBackBufferForReading();
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Rows are stored top first; the window's frame buffer counts from the bottom.
    glBlitFramebuffer(0, 0, w, h, x0, y0 + outH, x0 + outW, y0, GL_COLOR_BUFFER_BIT,
                      scale == 1.0f ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(window);
    targetsDirty = true;
    return D3D_OK;
}

bool GLDevice::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
    width = static_cast<int>(presentParams.BackBufferWidth);
    height = static_cast<int>(presentParams.BackBufferHeight);
    rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    BindBackBufferForReading();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    targetsDirty = true;
    // The window shows the back buffer without alpha.
    for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    return true;
}

namespace {

// The GPU side of a mesh. Deleted with the mesh; when no context is current (a mesh freed off the
// drawing thread) the buffers go with the context instead.
class GLMeshCopy : public MeshDeviceCopy {
public:
    GLMeshBuffers buffers;
    ~GLMeshCopy() override {
        if (!SDL_GL_GetCurrentContext()) return;
        glDeleteBuffers(1, &buffers.vertexBuffer);
        glDeleteBuffers(1, &buffers.indexBuffer);
        glDeleteVertexArrays(1, &buffers.vertexArray);
    }
};

}  // namespace

HRESULT GLDevice::DrawMesh(const ID3DXMesh& mesh, const D3DXATTRIBUTERANGE& range) {
    auto* copy = dynamic_cast<GLMeshCopy*>(mesh.DeviceCopy());
    if (!copy) {
        auto fresh = std::make_unique<GLMeshCopy>();
        copy = fresh.get();
        glGenVertexArrays(1, &copy->buffers.vertexArray);
        glGenBuffers(1, &copy->buffers.vertexBuffer);
        glGenBuffers(1, &copy->buffers.indexBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, copy->buffers.indexBuffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.Indices().size() * sizeof(uint16_t)),
                     mesh.Indices().data(), GL_STATIC_DRAW);
        mesh.SetDeviceCopy(std::move(fresh));
    }
    if (copy->buffers.version != mesh.VertexVersion()) {
        glBindBuffer(GL_ARRAY_BUFFER, copy->buffers.vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.Vertices().size() * sizeof(MeshVertex)),
                     mesh.Vertices().data(), GL_DYNAMIC_DRAW);
        copy->buffers.version = mesh.VertexVersion();
    }
    PrepareDraw();
    FixedDrawState state = DrawState();
    if (!state.effectProgram) OnlyFirstTarget();
    state.fvf = mesh.GetFVF();
    state.lighting = renderStates[D3DRS_LIGHTING] != FALSE;
    return fixedFunction->DrawIndexed(state, copy->buffers, sizeof(MeshVertex), range.FaceStart * 3,
                                      range.FaceCount * 3)
               ? D3D_OK
               : D3DERR_INVALIDCALL;
}

HRESULT GLDevice::StretchRect(IDirect3DSurface9* source, const void* sourceRect, IDirect3DSurface9* dest,
                              const void* destRect, D3DTEXTUREFILTERTYPE) {
    auto* from = static_cast<GLSurface*>(source);
    auto* to = static_cast<GLSurface*>(dest);
    D3DSURFACE_DESC a{}, b{};
    if (!from || !to || sourceRect || destRect || !from->Texture() || !to->Texture()) return D3DERR_INVALIDCALL;
    from->GetDesc(&a);
    to->GetDesc(&b);
    if (a.Width != b.Width || a.Height != b.Height || a.Format != b.Format) return D3DERR_INVALIDCALL;
    glCopyImageSubData(from->Texture(), GL_TEXTURE_2D, 0, 0, 0, 0, to->Texture(), GL_TEXTURE_2D, 0, 0, 0, 0,
                       static_cast<GLsizei>(a.Width), static_cast<GLsizei>(a.Height), 1);
    return D3D_OK;
}

bool GLDevice::IsCurrentTarget(GLuint texture) const {
    for (int i = 0; i < kMaxRenderTargets; ++i) {
        const auto* surface = static_cast<const GLSurface*>(renderTargets[i]);
        if (surface && surface->Texture() == texture) return true;
    }
    return false;
}

GLuint GLDevice::SnapshotOf(GLuint texture) {
    GLint width = 0, height = 0, format = 0;
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_WIDTH, &width);
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTextureLevelParameteriv(texture, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    Snapshot& s = snapshots[texture];
    if (!s.copy || s.width != width || s.height != height || s.format != format) {
        if (s.copy) glDeleteTextures(1, &s.copy);
        glCreateTextures(GL_TEXTURE_2D, 1, &s.copy);
        glTextureStorage2D(s.copy, 1, static_cast<GLenum>(format), width, height);
        s.width = width;
        s.height = height;
        s.format = format;
    }
    glCopyImageSubData(texture, GL_TEXTURE_2D, 0, 0, 0, 0, s.copy, GL_TEXTURE_2D, 0, 0, 0, 0, width, height, 1);
    return s.copy;
}

void GLDevice::BindEffectTexture(GLint unit, IDirect3DTexture9* texture, GLuint sampler) {
    GLuint name = texture ? static_cast<GLTexture*>(texture)->Prepare() : 0;
    if (name && IsCurrentTarget(name)) name = SnapshotOf(name);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(GL_TEXTURE_2D, name);
    glBindSampler(static_cast<GLuint>(unit), sampler);
    glActiveTexture(GL_TEXTURE0);
}

HRESULT GLDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                IDirect3DTexture9** texture, void*) {
    if (!texture || width == 0 || height == 0) return D3DERR_INVALIDCALL;
    // Render targets and depth textures need their GL storage now, which only the thread holding the
    // context can make.
    if ((usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) && SDL_GL_GetCurrentContext() != context) {
        return D3DERR_INVALIDCALL;
    }
    *texture = new GLTexture(width, height, levels, usage, format, pool);
    return D3D_OK;
}

HRESULT GLDevice::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE, DWORD,
                                            BOOL, IDirect3DSurface9** surface, void*) {
    if (!surface || width == 0 || height == 0 || SDL_GL_GetCurrentContext() != context) return D3DERR_INVALIDCALL;
    *surface = MakeDepthSurface(format, width, height);
    return D3D_OK;
}

FixedDrawState GLDevice::DrawState() const {
    FixedDrawState state;
    state.fvf = fvf;
    D3DXMATRIX worldView;
    D3DXMatrixMultiply(&worldView, &world, &view);
    D3DXMatrixMultiply(&state.worldViewProj, &worldView, &projection);
    state.viewport = viewport;
    state.texture = static_cast<GLTexture*>(textures[0]);
    const auto& ts = stageStates[0];
    state.stage0 = {ts[D3DTSS_COLOROP], ts[D3DTSS_COLORARG1], ts[D3DTSS_COLORARG2],
                    ts[D3DTSS_ALPHAOP], ts[D3DTSS_ALPHAARG1], ts[D3DTSS_ALPHAARG2]};
    state.sampler0 = samplerStates[0];
    state.alphaTest = renderStates[D3DRS_ALPHATESTENABLE] != FALSE;
    state.alphaFunc = renderStates[D3DRS_ALPHAFUNC];
    state.alphaRef = renderStates[D3DRS_ALPHAREF];
    state.effectProgram = effectProgram;
    state.world = world;
    state.lighting = renderStates[D3DRS_LIGHTING] != FALSE && (fvf & D3DFVF_NORMAL) != 0;
    if (lightEnabled[0]) state.light = lights[0];
    state.material = material;
    state.ambient = renderStates[D3DRS_AMBIENT];
    return state;
}

HRESULT GLDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) {
    if (!vertices || stride == 0) return D3DERR_INVALIDCALL;
    PrepareDraw();
    const FixedDrawState state = DrawState();
    if (!state.effectProgram) OnlyFirstTarget();
    return fixedFunction->Draw(state, type, primitiveCount, vertices, stride) ? D3D_OK : D3DERR_INVALIDCALL;
}

// Binding state (frame buffers, vertex arrays) is per context but the context is shared, so the
// receiving thread only needs to make it current; targets are bound again on its first draw.
void GLDevice::AttachToThread() {
    SDL_GL_MakeCurrent(window, context);
    targetsDirty = true;
}

void GLDevice::DetachFromThread() {
    glFlush();
    SDL_GL_MakeCurrent(window, nullptr);
}

namespace platform::gl {
namespace {

class GLDirect3D : public IDirect3D9 {
public:
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override {
        SDL_DisplayMode desktop;
        if (!mode || adapter != D3DADAPTER_DEFAULT || SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
            return D3DERR_NOTAVAILABLE;
        }
        *mode = D3DDISPLAYMODE{static_cast<UINT>(desktop.w), static_cast<UINT>(desktop.h),
                               static_cast<UINT>(desktop.refresh_rate), D3DFMT_X8R8G8B8};
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT, D3DDEVTYPE type, HWND focus, DWORD, D3DPRESENT_PARAMETERS* params,
                         IDirect3DDevice9** device) override {
        if (!params || !device) return D3DERR_INVALIDCALL;
        HWND hwnd = params->hDeviceWindow ? params->hDeviceWindow : focus;
        SDL_Window* window = platform::SdlWindowOf(hwnd);
        if (!window) return D3DERR_INVALIDCALL;
        if (!params->Windowed) {
            // The back buffer keeps the asked size; the display keeps its mode and Present scales.
            platform::SetFullScreen(hwnd, true);
        } else {
            int w = 0, h = 0;
            SDL_GetWindowSize(window, &w, &h);
            if (params->BackBufferWidth == 0) params->BackBufferWidth = static_cast<UINT>(w);
            if (params->BackBufferHeight == 0) params->BackBufferHeight = static_cast<UINT>(h);
        }
        if (params->BackBufferFormat == D3DFMT_UNKNOWN) params->BackBufferFormat = D3DFMT_X8R8G8B8;
        SDL_GLContext context = CreateContext(window);
        if (!context) return D3DERR_NOTAVAILABLE;
        SDL_GL_MakeCurrent(window, context);
        if (epoxy_gl_version() < 45 && !epoxy_has_gl_extension("GL_ARB_clip_control")) {
            SDL_GL_DeleteContext(context);
            return D3DERR_NOTAVAILABLE;
        }
        *device = new GLDevice(*params, type, window, context);
        return D3D_OK;
    }
};

}  // namespace

IDirect3D9* CreateDirect3D() { return new GLDirect3D; }

}  // namespace platform::gl
