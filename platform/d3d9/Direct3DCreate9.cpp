#include "platform/Platform.h"
#include "platform/d3d9/Device.h"
#include "platform/gl/GLDevice.h"
#include "platform/headless/HeadlessDevice.h"

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION) return nullptr;
    if (platform::GetSettings().headless) return platform::headless::CreateDirect3D();
    if (!platform::InitVideo()) return nullptr;
    return platform::gl::CreateDirect3D();
}
