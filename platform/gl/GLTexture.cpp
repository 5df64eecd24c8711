#include "platform/gl/GLTexture.h"

#include <SDL.h>

#include <mutex>
#include <vector>

#include "platform/gl/GLDevice.h"

namespace {

std::mutex garbageMutex;
std::vector<GLuint> garbage;

struct GLFormat {
    GLenum internal, format, type;
};

GLFormat FormatOf(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_R32F: return {GL_R32F, GL_RED, GL_FLOAT};
        case D3DFMT_D32F_LOCKABLE: return {GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT};
        case D3DFMT_A16B16G16R16F: return {GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT};
        // A8R8G8B8 and X8R8G8B8 are stored B, G, R, A in memory.
        default: return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE};
    }
}

}  // namespace

namespace platform::gl {

void DeleteTextureLater(GLuint name) {
    if (!name) return;
    if (SDL_GL_GetCurrentContext()) {
        glDeleteTextures(1, &name);
        return;
    }
    std::lock_guard lock(garbageMutex);
    garbage.push_back(name);
}

void FlushDeletedTextures() {
    std::vector<GLuint> names;
    {
        std::lock_guard lock(garbageMutex);
        names.swap(garbage);
    }
    if (!names.empty()) glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
}

}  // namespace platform::gl

GLTexture::GLTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : IDirect3DTexture9(width, height, levels, usage, format, pool) {
    if (IsRenderTarget() && Format() != D3DFMT_NULL) Allocate();
}

GLTexture::~GLTexture() { platform::gl::DeleteTextureLater(name); }

void GLTexture::Allocate() {
    const GLFormat gl = FormatOf(Format());
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexStorage2D(GL_TEXTURE_2D, static_cast<GLsizei>(GetLevelCount()), gl.internal,
                   static_cast<GLsizei>(Width()), static_cast<GLsizei>(Height()));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(GetLevelCount()) - 1);
    // X8R8G8B8 has no alpha: it reads as opaque.
    if (Format() == D3DFMT_X8R8G8B8) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
}

void GLTexture::Upload() {
    const GLFormat gl = FormatOf(Format());
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (UINT level = 0; level < GetLevelCount(); ++level) {
        glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), 0, 0, static_cast<GLsizei>(Width(level)),
                        static_cast<GLsizei>(Height(level)), gl.format, gl.type, Bits(level).data());
    }
    uploadedVersion = Version();
}

GLuint GLTexture::Prepare() {
    // A 'NULL' target has no storage: its surface binds no colour buffer.
    if (!name && Format() != D3DFMT_NULL) Allocate();
    if (!IsRenderTarget() && uploadedVersion != Version()) Upload();
    return name;
}

IDirect3DSurface9* GLTexture::MakeSurface(UINT level) {
    D3DSURFACE_DESC desc{};
    GetLevelDesc(level, &desc);
    // Level 0 of a render target can be bound as a colour target; the texture keeps its GL object.
    if (IsRenderTarget() && level == 0) return new GLSurface(desc, Prepare(), 0, false);
    return IDirect3DTexture9::MakeSurface(level);
}
