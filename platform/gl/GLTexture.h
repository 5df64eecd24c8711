#pragma once
// A texture on the OpenGL device. Managed textures keep their CPU copy and are uploaded lazily by the
// thread that owns the GL context when they are first drawn with (and again after each unlock), so
// any thread may create and fill them. Render targets get their GL storage at creation.
#include <epoxy/gl.h>

#include "platform/d3d9/Texture.h"

class GLTexture : public IDirect3DTexture9 {
public:
    GLTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    ~GLTexture() override;

    // The GL texture with the current contents; call with the context current.
    GLuint Prepare();

protected:
    IDirect3DSurface9* MakeSurface(UINT level) override;

private:
    void Allocate();
    void Upload();

    GLuint name = 0;
    uint64_t uploadedVersion = 0;
};

namespace platform::gl {
// Deletes a GL texture now when this thread has a context, otherwise at the next draw of the device.
void DeleteTextureLater(GLuint name);
// Deletes what DeleteTextureLater queued; call with the context current.
void FlushDeletedTextures();
}  // namespace platform::gl
