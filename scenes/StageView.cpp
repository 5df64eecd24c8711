#include "scenes/StageView.h"

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/FramePhase.h"
#include "graphics/GraphicsDevice.h"
#include "objects/ObjectList.h"
#include "shaders/ShaderManager.h"

const StageLight& StandardStageLight() {
    static const StageLight light = {D3DXVECTOR3(-1.0f, -1.0f, 1.0f), D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f},
                                     D3DCOLORVALUE{0.8f, 0.8f, 0.8f, 0.0f}, D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f}};
    return light;
}

D3DXMATRIX BeginStageView(const StageLight& light) {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    graphics.SetDirectionalLight(&light.direction, &light.diffuse, &light.ambient, &light.specular);
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, 1.0471976f,
                               static_cast<float>(graphics.GetBackBufferWidth()) /
                                   static_cast<float>(graphics.GetBackBufferHeight()),
                               0.1f, 1000.0f);
    graphics.GetDevice()->SetTransform(D3DTS_PROJECTION, &projection);
    return projection;
}

void RenderStageView(const D3DXMATRIX& projection, const D3DXVECTOR3& focus) {
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    Camera* camera = Application::GetInstance().camera;
    if (camera) camera->projection = projection;
    ShaderManager& shaders = ShaderManager::GetInstance();
    if (ID3DXEffect* toon = shaders.toon.effect) {
        D3DLIGHT9 light0{};
        device->GetLight(0, &light0);
        const D3DXVECTOR4 lightDir(light0.Direction.x, light0.Direction.y, light0.Direction.z, 1.0f);
        const D3DXVECTOR4 white(1.0f, 1.0f, 1.0f, 1.0f);
        toon->SetVector("LightDir", &lightDir);
        toon->SetVector("Diffuse", &white);
        if (camera) {
            const D3DXVECTOR4 camPos(camera->position.x, camera->position.y, camera->position.z, 1.0f);
            toon->SetVector("CamPos", &camPos);
        }
    }
    D3DXMATRIX view, identity;
    D3DXMatrixIdentity(&identity);
    if (camera) camera->GetView(&view);
    else D3DXMatrixIdentity(&view);
    shaders.toon.SetLightProjection(&projection);
    shaders.toon.SetLightView(&view);
    shaders.toon.SetWorld(&identity);
    shaders.BeginFrame(focus);
    shaders.RenderScene();
    FramePhaseScope phase(FramePhase::EdgeFilter);
    shaders.edgeFilter.Draw();
}

void FollowPlayerCamera() {
    Camera* camera = Application::GetInstance().camera;
    if (!camera) return;
    if (CharacterBase* player = FirstOfKind(KIND_PLAYER)) {
        camera->Follow(player->world);
    } else {
        const D3DXMATRIX last = camera->targetWorld;
        camera->Follow(&last);
    }
}

void DrawStage(const StageLight& light) {
    const D3DXMATRIX projection = BeginStageView(light);
    Camera* camera = Application::GetInstance().camera;
    CharacterBase* player = FirstOfKind(KIND_PLAYER);
    FollowPlayerCamera();
    const D3DXVECTOR3 focus = player ? D3DXVECTOR3(player->world->_41, player->world->_42, player->world->_43)
                                     : (camera ? camera->target : D3DXVECTOR3(0, 0, 0));
    RenderStageView(projection, focus);
}
