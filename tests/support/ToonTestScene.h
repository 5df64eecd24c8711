#pragma once
// A small stage for pictures of the renderer on the OpenGL device: the test room's floor, scenery that
// casts shadows, the animated player and a translucent ice patch, drawn through the game's own frame
// (light, camera, shadow pass, scene pass, edge filter). Used by the display tests and the frame
// benchmark; needs an X display (xvfb-run).
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/SkinnedMesh.h"
#include "graphics/TextureManager.h"
#include "objects/CSimpleObject.h"
#include "objects/Map.h"
#include "objects/ObjectList.h"
#include "platform/Platform.h"
#include "platform/sys/MessageBoxHook.h"
#include "platform/sys/Win32.h"
#include "scenes/StageView.h"
#include "shaders/ShaderManager.h"

namespace testscene {

// The game scene's light: from the upper right behind the camera, toward -x, -y, +z.
inline const StageLight kLight = {D3DXVECTOR3(-1.0f, -1.0f, 1.0f), D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f},
                                  D3DCOLORVALUE{0.8f, 0.8f, 0.8f, 0.0f}, D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f}};

// The animated player, drawn the way the player draws itself: skinned through the toon shader and
// into the shadow map. The model is in centimetres.
class ScenePlayer : public CharacterBase {
public:
    explicit ScenePlayer(D3DXVECTOR3 position) {
        kind = KIND_PLAYER;
        skinned = MeshManager::GetInstance().GetSkinnedMesh(GraphicsDevice::GetInstance().GetDevice(),
                                                            "data/xfile/Player/player.x");
        D3DXMatrixScaling(&scaleMat, 0.01f, 0.01f, 0.01f);
        D3DXMatrixTranslation(&transMat, position.x, position.y, position.z);
        *world = scaleMat * rotMat * transMat;
    }
    const char* ClassName() const override { return "ScenePlayer"; }
    void Update() override { skinned->Update(*world); }
    void Draw() override { ShaderManager::GetInstance().toon.DrawSkinned(skinned); }
    void DrawShadow() override { ShaderManager::GetInstance().shadowMap.DrawSkinned(skinned); }

    SkinnedMesh* skinned = nullptr;
};

// A grown ice patch lying on the floor, drawn as the cold shots' patches are: the glassy ice pass in
// the translucent draw, never into the shadow map.
class SceneIcePatch : public CharacterBase {
public:
    explicit SceneIcePatch(D3DXVECTOR3 position) {
        kind = KIND_COLD;
        mesh = MeshManager::GetInstance().GetMesh(GraphicsDevice::GetInstance().GetDevice(), "data/xfile/Bullet/ice.x");
        drawParams->castShadow = 0;
        D3DXMatrixScaling(&scaleMat, kSize, 1.0f, kSize);
        D3DXMatrixTranslation(&transMat, position.x, position.y + 0.01f, position.z);
        *world = scaleMat * rotMat * transMat;
    }
    const char* ClassName() const override { return "SceneIcePatch"; }
    void Update() override {}
    void Draw() override {}
    void DrawShadow() override {}
    void DrawAlpha() override {
        CIceShader& ice = ShaderManager::GetInstance().ice;
        DrawParams* kept = mesh->drawParams;
        mesh->drawParams = drawParams;
        ice.SetWorld(world);
        ice.Draw(mesh, 3);
        mesh->drawParams = kept;
    }

    static constexpr float kSize = 0.75f;  // a fully grown patch: about 3 units across
};

// Where things stand (the player at the origin, the camera behind it looking toward +z).
inline const D3DXVECTOR3 kCratePos(-2.5f, 0.0f, 2.0f);
inline const D3DXVECTOR3 kBarrelPos(2.5f, 0.0f, 2.5f);
inline const D3DXVECTOR3 kBoulderPos(-5.0f, 0.0f, 6.0f);
inline const D3DXVECTOR3 kIcePos(2.2f, 0.0f, -1.2f);
inline const D3DXVECTOR3 kPlayerPos(0.0f, 0.0f, 0.0f);

inline CharacterBase* PlaceSimple(const char* meshFile, D3DXVECTOR3 at, float yawDegrees) {
    auto* object = new CSimpleObject;
    object->Init({"", "Pos(" + std::to_string(at.x) + "," + std::to_string(at.y) + "," + std::to_string(at.z) + ")",
                  "Angle(0," + std::to_string(yawDegrees) + ",0)", std::string("Mesh(") + meshFile + ")"});
    AddObject(object);
    return object;
}

// Window, OpenGL device, render states, shaders and camera, with the built content tree as the
// working directory. False without a display (or without the content).
inline bool StartRenderer(const std::string& gameDir, HWND& window) {
    if (chdir(gameDir.c_str()) != 0) return false;
    platform::GetSettings().headless = false;
    // The full-screen question is answered "no": an 800 x 600 window.
    platform::SetMessageBoxHandler([](const char*, const char*, UINT type) {
        return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
    });
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "SceneWindow";
    RegisterClassExA(&windowClass);
    window = CreateWindowExA(0, "SceneWindow", "scene", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    if (!window) return false;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    if (!graphics.Init(window, 800, 600)) return false;
    graphics.SetupRenderStates();
    ShaderManager::GetInstance().Init();
    Application::GetInstance().camera = new Camera;
    return true;
}

inline void StopRenderer(HWND window) {
    ClearObjects();
    ShaderManager::GetInstance().Release();
    MeshManager::GetInstance().ReleaseAll();
    TextureManager::GetInstance().ReleaseAll();
    delete Application::GetInstance().camera;
    Application::GetInstance().camera = nullptr;
    GraphicsDevice::GetInstance().Release();
    if (window) DestroyWindow(window);
    UnregisterClassA("SceneWindow", nullptr);
    platform::SetMessageBoxHandler({});
}

// The stage: floor and walls, a crate, a barrel, a boulder, the player and (optionally) the ice patch.
// The camera stands behind and above the player.
inline void BuildScene(bool withIce = true) {
    auto* map = new Map;
    map->Init({"", "Pos(0,0,0)", "Mesh(data/xfile/Map/TestRoom.x)", "Shadow(0)"});
    AddObject(map);
    PlaceSimple("data/xfile/Object/Crate.x", kCratePos, 20.0f);
    PlaceSimple("data/xfile/Object/Barrel.x", kBarrelPos, 0.0f);
    PlaceSimple("data/xfile/Object/Boulder.x", kBoulderPos, 70.0f);
    AddObject(new ScenePlayer(kPlayerPos));
    if (withIce) AddObject(new SceneIcePatch(kIcePos));
    Camera* camera = Application::GetInstance().camera;
    camera->distance = -9.0f;
    camera->pitch = 28.0f;
    camera->yaw = 0.0f;
}

// One frame as the game scene draws it, left in the back buffer (not presented).
inline void DrawFrame() {
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    UpdateObjects();
    device->BeginScene();
    DrawStage(kLight);
    device->EndScene();
}

// Where a world point lands on the 800 x 600 picture with the camera of the last frame.
inline bool Project(const D3DXVECTOR3& point, int& x, int& y) {
    const Camera* camera = Application::GetInstance().camera;
    D3DXMATRIX viewProjection = camera->view * camera->projection;
    D3DXVECTOR4 clip;
    D3DXVec3Transform(&clip, &point, &viewProjection);
    if (clip.w <= 0.0f) return false;
    x = static_cast<int>((clip.x / clip.w * 0.5f + 0.5f) * 800.0f);
    y = static_cast<int>((0.5f - clip.y / clip.w * 0.5f) * 600.0f);
    return x >= 0 && x < 800 && y >= 0 && y < 600;
}

}  // namespace testscene
