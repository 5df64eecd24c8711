#include "platform/gl/GLDevice.h"

// Until textures exist on the device there is nothing to look up.
GLuint platform::gl::TextureName(IDirect3DBaseTexture9*) { return 0; }
