// The shader manager's frame and the shaders' parameters, read through the headless device's record
// and the effects' own parameter values.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/MeshManager.h"
#include "objects/ObjectList.h"
#include "shaders/ShaderManager.h"
#include "tests/support/HeadlessGraphics.h"
#include "tests/support/XTestFiles.h"

namespace {

// An object that only writes what the frame asks of it into the device's record.
class Probe : public CharacterBase {
public:
    Probe(int kind, std::string name, HeadlessDevice& device) : name(std::move(name)), device(device) {
        this->kind = kind;
    }
    const char* ClassName() const override { return "Probe"; }
    void Update() override {}
    void Draw() override { device.Record("Draw:" + name); }
    void DrawAlpha() override { device.Record("DrawAlpha:" + name); }
    void DrawShadow() override { device.Record("DrawShadow:" + name); }

private:
    std::string name;
    HeadlessDevice& device;
};

// The recorded calls that start with prefix.
std::vector<std::string> Matching(const HeadlessDevice& device, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& call : device.Calls()) {
        const std::string text = call.ToString();
        if (text.rfind(prefix, 0) == 0) out.push_back(text);
    }
    return out;
}

class ShaderManagerTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
    }
    void TearDown() override {
        ClearObjects();
        MeshManager::GetInstance().ReleaseAll();  // its models belong to this test's device
        ShaderManager::GetInstance().Release();
        delete Application::GetInstance().camera;
        Application::GetInstance().camera = nullptr;
        ContentTreeTest::TearDown();
    }
    // The device, the shaders of the content tree and a camera, recording from here on.
    HeadlessDevice& Start() {
        HeadlessDevice& device = StartDevice();
        ShaderManager::GetInstance().Init();
        Application::GetInstance().camera = new Camera();
        device.ClearCalls();
        return device;
    }
    static long IndexOf(const std::vector<std::string>& calls, const std::string& text) {
        const auto it = std::find(calls.begin(), calls.end(), text);
        return it == calls.end() ? -1 : it - calls.begin();
    }
};

TEST_F(ShaderManagerTest, TheMapDrawsFirstThenTheRestTheIceGetsADepthCopyThenEveryTranslucentDraw) {
    HeadlessDevice& device = Start();
    AddObject(new Probe(4, "box", device));
    AddObject(new Probe(1, "map", device));
    AddObject(new Probe(0, "player", device));
    AddObject(new Probe(1, "map2", device));
    ShaderManager::GetInstance().RenderScene();
    const std::vector<std::string> calls = CallNames(device);
    const std::vector<std::string> draws = Matching(device, "Draw");
    EXPECT_EQ(draws, (std::vector<std::string>{"Draw:map()", "Draw:map2()", "Draw:box()", "Draw:player()",
                                               "DrawAlpha:box()", "DrawAlpha:map()", "DrawAlpha:player()",
                                               "DrawAlpha:map2()"}));
    // One copy of the depth target a frame, after every opaque draw and before the first translucent one.
    const long depth = IndexOf(calls, "IceShader.SetTexture:ZMapTex()");
    const long copy = IndexOf(calls, "StretchRect(0)");
    ASSERT_GE(depth, 0);
    ASSERT_GE(copy, 0);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "StretchRect(0)"), 1);
    EXPECT_LT(copy, depth);
    EXPECT_GT(copy, IndexOf(calls, "Draw:player()"));
    EXPECT_LT(depth, IndexOf(calls, "DrawAlpha:box()"));
    IDirect3DTexture9* zmap = nullptr;
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.ice.effect->GetTexture("ZMapTex", &zmap);
    EXPECT_EQ(zmap, shaders.iceDepthView.texture) << "the ice reads the copy of the scene depth";
    EXPECT_NE(zmap, shaders.depthTarget->texture) << "never the target being drawn into";
}

TEST_F(ShaderManagerTest, ThePassesGiveBackTheTargetsTheyFound) {
    HeadlessDevice& device = Start();
    AddObject(new Probe(1, "map", device));
    ShaderManager& shaders = ShaderManager::GetInstance();
    IDirect3DSurface9* backBuffer = GraphicsDevice::GetInstance().GetBackBuffer();
    IDirect3DSurface9* depth = GraphicsDevice::GetInstance().GetDepthStencil();
    auto bound = [&](DWORD index) {
        IDirect3DSurface9* surface = nullptr;
        device.GetRenderTarget(index, &surface);
        if (surface) surface->Release();
        return surface;
    };
    auto boundDepth = [&] {
        IDirect3DSurface9* surface = nullptr;
        device.GetDepthStencilSurface(&surface);
        if (surface) surface->Release();
        return surface;
    };

    shaders.BeginFrame(D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(bound(0), backBuffer) << "after the shadow pass";
    EXPECT_EQ(boundDepth(), depth);
    EXPECT_EQ(Matching(device, "DrawShadow"), std::vector<std::string>{"DrawShadow:map()"});

    shaders.RenderScene();
    EXPECT_EQ(bound(0), backBuffer) << "after the scene pass";
    EXPECT_EQ(bound(1), nullptr);
    EXPECT_EQ(bound(2), nullptr);
    EXPECT_EQ(boundDepth(), depth);
    EXPECT_EQ(shaders.edgeFilter.sceneView.texture, shaders.sceneTarget->texture);
    EXPECT_EQ(shaders.edgeFilter.depthView.texture, shaders.depthTarget->texture);
    EXPECT_EQ(shaders.edgeFilter.normalView.texture, shaders.extraTarget->texture);
    // The extra target is cleared, then all three together: two clears of colour and depth.
    EXPECT_EQ(Matching(device, "Clear"), (std::vector<std::string>{
        "Clear(0, 3, 4278190080, 1065353216, 0)",   // the back buffer before the shadow pass
        "Clear(0, 3, 4294967295, 1065353216, 0)",   // the shadow map starts white
        "Clear(0, 3, 4278190080, 1065353216, 0)", "Clear(0, 3, 4278190080, 1065353216, 0)"}));
}

TEST_F(ShaderManagerTest, TheEdgeFilterSetsItsTexelSizeAndLimitEveryFrame) {
    HeadlessDevice& device = Start();
    ShaderManager& shaders = ShaderManager::GetInstance();
    for (int frame = 0; frame < 2; ++frame) {
        shaders.edgeFilter.effect->SetFloat("Limit", 9.0f);
        device.ClearCalls();
        shaders.edgeFilter.Draw();
        EXPECT_EQ(Matching(device, "EdgeFilter.Set"),
                  (std::vector<std::string>{"EdgeFilter.SetTechnique:EdgeTech()", "EdgeFilter.SetValue:TexelSize()",
                                            "EdgeFilter.SetFloat:Limit()", "EdgeFilter.SetTexture:SceneTex()",
                                            "EdgeFilter.SetTexture:ZMapTex()", "EdgeFilter.SetTexture:NormalTex()"}));
        float limit = 0.0f;
        D3DXVECTOR4 texel;
        shaders.edgeFilter.effect->GetFloat("Limit", &limit);
        shaders.edgeFilter.effect->GetVector("TexelSize", &texel);
        EXPECT_FLOAT_EQ(limit, 0.2f);
        EXPECT_FLOAT_EQ(texel.x, 1.0f / 800.0f);
        EXPECT_FLOAT_EQ(texel.y, 1.0f / 600.0f);
        // The full-screen quad: 800 x 600 pixels, whatever the back buffer.
        EXPECT_EQ(Matching(device, "DrawPrimitiveUP"), std::vector<std::string>{"DrawPrimitiveUP(5, 2, 28)"});
    }
}

TEST_F(ShaderManagerTest, ToonDrawSendsTheMaterialColoursModulatedByLightAndObject) {
    xtest::ScratchFolder folder;
    folder.Write("Models/tri.x", xtest::kTwoMaterials);
    const std::string model = std::filesystem::current_path().string() + "/Models/tri.x";
    std::filesystem::current_path(VELDORIN_GAME_DIR);
    HeadlessDevice& device = Start();
    const D3DXVECTOR3 direction(0, -1, 0);
    const D3DCOLORVALUE diffuse{0.5f, 1.0f, 1.0f, 1.0f}, ambient{0.3f, 0, 0, 0}, specular{1, 1, 1, 1};
    GraphicsDevice::GetInstance().SetDirectionalLight(&direction, &diffuse, &ambient, &specular);
    Mesh* mesh = MeshManager::GetInstance().GetMesh(&device, model);
    ASSERT_EQ(mesh->materialCount, 2u);
    DrawParams object;
    object.alpha = 0.5f;
    DrawParams* kept = mesh->drawParams;
    mesh->drawParams = &object;
    MyShader& toon = ShaderManager::GetInstance().toon;
    toon.Draw(mesh, 0);
    mesh->drawParams = kept;

    // The values left are those of the last material, "Blue": diffuse (0, 0, 1, 1), specular 0.
    D3DXVECTOR4 v;
    toon.effect->GetVector("Diffuse", &v);
    EXPECT_EQ(v, D3DXVECTOR4(0.0f, 0.0f, 1.0f, 0.5f)) << "the object's alpha scales the material's";
    toon.effect->GetVector("Specular", &v);
    EXPECT_EQ(v, D3DXVECTOR4(0.0f, 0.0f, 0.0f, 0.5f)) << "default specularScale 0 leaves no highlight";
    toon.effect->GetVector("Emissive", &v);
    EXPECT_EQ(v, D3DXVECTOR4(0.0f, 0.0f, 0.5f, 0.0f)) << "diffuse scaled by the light's red, w 0";
    float value = 0.0f;
    toon.effect->GetFloat("Ambient", &value);
    EXPECT_FLOAT_EQ(value, 0.3f);
    toon.effect->GetFloat("Edge", &value);
    EXPECT_EQ(value, 1.0f);
    toon.effect->GetFloat("SelfLit", &value);
    EXPECT_EQ(value, 0.0f) << "an ordinary material is toon-lit";
    IDirect3DTexture9* texture = nullptr;
    toon.effect->GetTexture("MeshTex", &texture);
    EXPECT_EQ(texture, toon.baseTexture.texture) << "a material without texture draws with white";
    EXPECT_EQ(Matching(device, "MyShader.CommitChanges").size(), 2u);
    EXPECT_EQ(Matching(device, "DrawSubset").size(), 2u);
    DWORD lighting = 0;
    device.GetRenderState(D3DRS_LIGHTING, &lighting);
    EXPECT_EQ(lighting, 1u) << "lighting comes back on after the draw";
}

TEST(MaterialColoursTest, OnlyAWhiteEmissiveColourMakesAMaterialSelfLit) {
    D3DLIGHT9 light{};
    light.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    D3DMATERIAL9 material{};
    material.Diffuse = {1, 1, 1, 1};
    material.Emissive = {1, 1, 1, 1};
    EXPECT_EQ(MaterialColours::ForMesh(material, light, DrawParams{}).selfLit, 1.0f);
    EXPECT_EQ(MaterialColours::ForSkinned(material, light, DrawParams{}).selfLit, 1.0f);
    // Tinted glows (runes, ice, the exit's stones) and no glow at all stay toon-lit.
    for (const D3DCOLORVALUE glow : {D3DCOLORVALUE{0.3f, 0.6f, 0.7f, 1}, D3DCOLORVALUE{1, 1, 0.9f, 1},
                                     D3DCOLORVALUE{0, 0, 0, 1}}) {
        material.Emissive = glow;
        EXPECT_EQ(MaterialColours::ForMesh(material, light, DrawParams{}).selfLit, 0.0f);
    }
}

TEST_F(ShaderManagerTest, TheSkyDomeDrawsSelfLitWithoutOutline) {
    Start();
    Mesh* sky = MeshManager::GetInstance().GetMesh(GraphicsDevice::GetInstance().GetDevice(), "data/xfile/Map/Sky.x");
    ASSERT_EQ(sky->materialCount, 1u);
    // Drawn as a placed map draws it: its placement's parameters (Edge(0), Shadow(0)) swapped in.
    DrawParams params;
    params.edge = 0;
    params.castShadow = 0;
    MyShader& toon = ShaderManager::GetInstance().toon;
    D3DXMATRIX at;
    D3DXMatrixIdentity(&at);
    DrawMeshWith(toon, sky, &params, at, 0);
    float value = -1.0f;
    toon.effect->GetFloat("SelfLit", &value);
    EXPECT_EQ(value, 1.0f);
    toon.effect->GetFloat("Edge", &value);
    EXPECT_EQ(value, 0.0f);
    IDirect3DTexture9* texture = nullptr;
    toon.effect->GetTexture("MeshTex", &texture);
    EXPECT_NE(texture, toon.baseTexture.texture) << "the gradient image, not plain white";
}

TEST_F(ShaderManagerTest, TheShadowPassLooksDownTheLightFromThirtyUnitsBack) {
    EXPECT_EQ(ShadowLightEye(D3DXVECTOR3(5, 7, 3), D3DXVECTOR3(0, -1, 0)), D3DXVECTOR3(5, 32, 3));
    HeadlessDevice& device = Start();
    const D3DXVECTOR3 down(0, -1, 0);
    const D3DCOLORVALUE white{1, 1, 1, 1};
    GraphicsDevice::GetInstance().SetDirectionalLight(&down, &white, &white, &white);
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.BeginFrame(D3DXVECTOR3(5, 7, 3));
    D3DXMATRIX lightView;
    shaders.shadowMap.effect->GetMatrix("mLV", &lightView);
    D3DXVECTOR3 eye(5, 32, 3), below(5, 31, 3), eyeInView, belowInView;
    D3DXVec3TransformCoord(&eyeInView, &eye, &lightView);
    D3DXVec3TransformCoord(&belowInView, &below, &lightView);
    EXPECT_NEAR(D3DXVec3Length(&eyeInView), 0.0f, 1e-4f);
    EXPECT_NEAR(belowInView.z, 1.0f, 1e-4f) << "looking straight down at (5, 31, 3)";
    D3DXMATRIX lvp;
    shaders.toon.effect->GetMatrix("mLVP", &lvp);
    EXPECT_EQ(lvp, shaders.shadowMap.lightViewProj) << "the toon shader gets the light's view-projection";
    IDirect3DTexture9* map = nullptr;
    shaders.toon.effect->GetTexture("ShadowTex", &map);
    EXPECT_EQ(map, shaders.shadowMap.shadowTexture.texture);
    (void)device;
}

TEST_F(ShaderManagerTest, CommonParametersReachEveryShaderButTheBlur) {
    Start();
    Camera& camera = *Application::GetInstance().camera;
    camera.position = D3DXVECTOR3(1, 2, 3);
    D3DXMatrixTranslation(&camera.view, 4, 5, 6);
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.BeginFrame(D3DXVECTOR3(0, 0, 0));
    for (CShaderBase* shader : std::initializer_list<CShaderBase*>{&shaders.toon, &shaders.shadowMap,
                                                                    &shaders.edgeFilter, &shaders.ice}) {
        D3DXVECTOR4 v;
        D3DXMATRIX m;
        shader->effect->GetVector("CamPos", &v);
        EXPECT_EQ(D3DXVECTOR3(v.x, v.y, v.z), camera.position);
        shader->effect->GetVector("ScreenSize", &v);
        EXPECT_EQ(v.x, 800.0f);
        shader->effect->GetVector("TexelSize", &v);
        EXPECT_FLOAT_EQ(v.y, 1.0f / 600.0f);
        shader->effect->GetMatrix("mV", &m);
        EXPECT_EQ(m, camera.view);
        int clip = 1;
        shader->effect->GetInt("bClip", &clip);
        EXPECT_EQ(clip, 0);
    }
}

TEST_F(ShaderManagerTest, BlurTargetsGrowByQuartersOfTheBackBuffer) {
    Start();
    const CBlurShader& blur = ShaderManager::GetInstance().blur;
    const UINT expected[10][2] = {{200, 150}, {200, 150}, {400, 300}, {400, 300}, {600, 450},
                                  {600, 450}, {800, 600}, {800, 600}, {1000, 750}, {1000, 750}};
    for (int i = 0; i < 10; ++i) {
        ASSERT_NE(blur.targets[i].texture, nullptr) << i;
        D3DSURFACE_DESC desc{};
        blur.targets[i].texture->GetLevelDesc(0, &desc);
        EXPECT_EQ(desc.Width, expected[i][0]) << i;
        EXPECT_EQ(desc.Height, expected[i][1]) << i;
    }
}

// Without effect files every shader stays without effect: its setters and draws do nothing.
class MissingEffectsTest : public HeadlessGraphicsTest {
protected:
    void SetUp() override {
        HeadlessGraphicsTest::SetUp();
        Application::GetInstance().quitRequested = false;
    }
    void TearDown() override {
        ShaderManager::GetInstance().Release();
        HeadlessGraphicsTest::TearDown();
    }
};

TEST_F(MissingEffectsTest, EachShaderReportsAsItShouldAndItsCallsDoNothing) {
    xtest::ScratchFolder empty;
    HeadlessDevice& device = StartDevice();
    boxes.clear();
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.Init();
    std::vector<std::string> captions;
    for (const ShownBox& box : boxes) captions.push_back(box.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"エラー", "シャドウマップのエフェクトファイルが読み込めていません",
                                                  "エラー", "シェーダコンパイルエラー"}))
        << "the edge filter fails silently";
    EXPECT_TRUE(Application::GetInstance().quitRequested) << "no shadow map ends the game after start-up";
    EXPECT_EQ(shaders.shadowMap.shadowTexture.texture, nullptr) << "no targets without the shadow effect";
    EXPECT_EQ(shaders.blur.targets[0].texture, nullptr);

    device.ClearCalls();
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    const D3DXVECTOR3 v(1, 2, 3);
    for (CShaderBase* shader : std::initializer_list<CShaderBase*>{&shaders.toon, &shaders.shadowMap,
                                                                    &shaders.edgeFilter, &shaders.ice, &shaders.blur}) {
        shader->SetWorld(&m);
        shader->SetView(&m);
        shader->SetLightView(&m);
        shader->SetLightProjection(&m);
        shader->SetWorldWithHeight(&m);
        shader->SetCamPos(&v);
        shader->SetClip(TRUE, &v, &v);
        shader->SetTexelSize(800, 600);
    }
    AddObject(new Probe(1, "map", device));
    shaders.BeginFrame(D3DXVECTOR3(0, 0, 0));
    shaders.RenderScene();
    shaders.edgeFilter.Draw();
    EXPECT_TRUE(Matching(device, "DrawShadow").empty()) << "no shadow pass without its effect";
    EXPECT_TRUE(Matching(device, "SetRenderTarget(0)").size() >= 2u) << "the scene pass still runs";
    EXPECT_TRUE(Matching(device, "DrawPrimitiveUP").empty()) << "no composite without the edge filter";
    ClearObjects();
}

}  // namespace

// Blending is left off exactly where it could not change the toon pass's output: an opaque material over
// opaque texels on an outlined object under the game's blend. Draws that clip nothing take the toon pass
// without the discard, and unlit ones through a pass without lighting. Checked per subset of a model
// whose first material is half transparent.
TEST_F(ShaderManagerTest, OnlyOpaqueOutlinedToonDrawsGoUnblendedAndOnlyUnclippedOnesSkipTheDiscard) {
    xtest::ScratchFolder folder;
    folder.Write("Models/tri.x", xtest::kTwoMaterials);
    const std::string model = std::filesystem::current_path().string() + "/Models/tri.x";
    std::filesystem::current_path(VELDORIN_GAME_DIR);
    HeadlessDevice& device = Start();
    GraphicsDevice::GetInstance().SetupRenderStates();
    Mesh* mesh = MeshManager::GetInstance().GetMesh(&device, model);
    ASSERT_EQ(mesh->materialCount, 2u);
    struct Case {
        const char* what;
        UINT pass;
        int edge, clip, lighting;
        DWORD destBlend;
        std::vector<UINT> passesBegun;
        bool blendRed, blendBlue;  // blending on at the draw of subset 0 (alpha 0.5) and 1 (opaque)
    } cases[] = {
        {"opaque subset unblended", MyShader::kToonPass, 1, 0, 1, D3DBLEND_INVSRCALPHA, {2}, true, false},
        {"clipped: discarding pass", MyShader::kToonPass, 1, 1, 1, D3DBLEND_INVSRCALPHA, {0}, true, false},
        {"no outline: normals blend", MyShader::kToonPass, 0, 0, 1, D3DBLEND_INVSRCALPHA, {2}, true, true},
        {"frozen pass is translucent", MyShader::kFrozenPass, 1, 0, 1, D3DBLEND_INVSRCALPHA, {1}, true, true},
        {"additive blend adds", MyShader::kToonPass, 1, 0, 1, D3DBLEND_ONE, {2}, true, true},
        {"unlit: each subset switches", MyShader::kToonPass, 1, 0, 0, D3DBLEND_INVSRCALPHA, {2, 3, 2, 3, 2}, true, false},
        {"unlit but clipped", MyShader::kToonPass, 1, 1, 0, D3DBLEND_INVSRCALPHA, {0}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        device.SetRenderState(D3DRS_DESTBLEND, c.destBlend);
        DrawParams object;
        object.edge = c.edge;
        object.clip = c.clip;
        object.lighting = c.lighting;
        DrawParams* kept = mesh->drawParams;
        mesh->drawParams = &object;
        device.ClearCalls();
        ShaderManager::GetInstance().toon.Draw(mesh, c.pass);
        mesh->drawParams = kept;
        // Replays the blend switch along the record to see it at each draw.
        DWORD blend = TRUE;
        std::vector<bool> atDraws;
        const std::string blendCall = "SetRenderState(" + std::to_string(D3DRS_ALPHABLENDENABLE) + ", ";
        for (const auto& call : device.Calls()) {
            const std::string text = call.ToString();
            if (text.rfind(blendCall, 0) == 0) blend = call.args[1];
            if (text.rfind("DrawSubset", 0) == 0) atDraws.push_back(blend != FALSE);
        }
        EXPECT_EQ(atDraws, (std::vector<bool>{c.blendRed, c.blendBlue}));
        std::vector<std::string> begun;
        for (UINT pass : c.passesBegun) begun.push_back("MyShader.BeginPass:" + std::to_string(pass) + "()");
        EXPECT_EQ(Matching(device, "MyShader.BeginPass"), begun);
        DWORD after = FALSE;
        device.GetRenderState(D3DRS_ALPHABLENDENABLE, &after);
        EXPECT_EQ(after, static_cast<DWORD>(TRUE)) << "blending comes back on after the draw";
    }
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}
