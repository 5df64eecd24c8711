// Effect files: the format's rules, parameters by name, pass states given back, and the record the
// headless device keeps of an effect's calls.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/d3d9/Texture.h"
#include "platform/fx/Effect.h"
#include "platform/fx/EffectFile.h"
#include "tests/support/HeadlessGraphics.h"

namespace {

const char* const kEffect = R"(// a small effect
@common
uniform mat4 mW;
uniform vec4 Diffuse;
uniform float Limit;
uniform int bLight;
uniform vec3 LightDir;
uniform sampler2D MeshTex;
@vertex
out vec2 uv;
void VS() { uv = inTexCoord; gl_Position = mul(vec4(inPosition, 1.0), mW); }
@fragment
in vec2 uv;
void PS() { outColor0 = Diffuse * texture(MeshTex, uv); }
void PS_Flat() { outColor0 = Diffuse; }
@sampler MeshTex MINFILTER=POINT ADDRESSU=CLAMP
@technique Tech
@pass 0 vertex=VS fragment=PS
@pass 1 vertex=VS fragment=PS_Flat CULLMODE=NONE ZWRITEENABLE=FALSE
@technique OutlineTech
@pass 0 vertex=VS fragment=PS_Flat CULLMODE=CW
)";

TEST(EffectFile, ReadsSectionsTechniquesPassesAndParameters) {
    EffectSource source;
    std::string error;
    ASSERT_TRUE(ParseEffectFile(kEffect, "Test.fx", source, error)) << error;
    ASSERT_EQ(source.techniques.size(), 2u);
    EXPECT_EQ(source.techniques[0].name, "Tech");
    ASSERT_EQ(source.techniques[0].passes.size(), 2u);
    EXPECT_EQ(source.techniques[0].passes[1].fragmentEntry, "PS_Flat");
    const std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> states = {{D3DRS_CULLMODE, D3DCULL_NONE},
                                                                      {D3DRS_ZWRITEENABLE, 0}};
    EXPECT_EQ(source.techniques[0].passes[1].states, states);
    ASSERT_EQ(source.params.size(), 6u);
    EXPECT_EQ(source.params[0].name, "mW");
    EXPECT_EQ(source.params[0].type, EffectParamType::Matrix);
    EXPECT_EQ(source.params[5].type, EffectParamType::Texture);
    EXPECT_EQ(source.samplers["MeshTex"].minFilter, static_cast<DWORD>(D3DTEXF_POINT));
    EXPECT_EQ(source.samplers["MeshTex"].addressU, static_cast<DWORD>(D3DTADDRESS_CLAMP));
    EXPECT_EQ(source.vertexLine, 10) << "compiler messages point into the file";
}

TEST(EffectFile, FaultsNameTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"@common\n@technique T\n@pass 1 vertex=V fragment=F\n", "Bad.fx(3)"},
        {"@technique T\n@pass 0 vertex=V\n", "Bad.fx(2)"},
        {"@technique T\n@pass 0 vertex=V fragment=F CULLMODE=SIDEWAYS\n", "Bad.fx(2)"},
        {"@technique T\n@pass 0 vertex=V fragment=F SHININESS=1\n", "Bad.fx(2)"},
        {"float x;\n", "Bad.fx(1)"},
        {"@common\nuniform float a;\n", "no technique"},
        {"@pass 0 vertex=V fragment=F\n", "Bad.fx(1)"},
        {"@technique T\n@bogus\n", "Bad.fx(2)"},
    };
    for (const auto& [text, where] : cases) {
        EffectSource source;
        std::string error;
        EXPECT_FALSE(ParseEffectFile(text, "Bad.fx", source, error)) << text;
        EXPECT_NE(error.find(where), std::string::npos) << error;
    }
}

// Damaged effect files: pieces of a good file shuffled and cut, and noise; never a crash, and every
// failure says where.
TEST(EffectFile, DamagedFilesAreRejectedOrReadNeverCrash) {
    std::mt19937 random(77);
    const std::string good = kEffect;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int pieces = static_cast<int>(random() % 12);
        for (int i = 0; i < pieces; ++i) {
            const size_t from = random() % good.size();
            text += good.substr(from, random() % 80);
            if (random() % 4 == 0) text += static_cast<char>(random() % 256);
        }
        EffectSource source;
        std::string error;
        if (!ParseEffectFile(text, "Noise.fx", source, error)) {
            EXPECT_EQ(error.rfind("Noise.fx(", 0), 0u) << error;
        } else {
            EXPECT_FALSE(source.techniques.empty());
        }
    }
}

// Pathological shared sections: huge words and long runs of blanks cost a scan, never the stack; a word
// no compiler takes is a fault on its line, and the declarations around it still count.
TEST(EffectFile, LongWordsAndBlankRunsAreScannedNotRecursed) {
    const std::string head = "@technique T\n@pass 0 vertex=V fragment=F\n@common\nuniform float a;\n";
    const std::string blanks(30000, ' ');
    const std::string word(30000, 'x');
    struct Case {
        std::string common;
        bool parses;
        std::vector<std::string> params;
    };
    const Case cases[] = {
        {"uniform" + blanks + "vec4" + blanks + "b" + blanks + ";\n", true, {"a", "b"}},
        {"uniform vec2\n\n   c\t;\nuniform mat4 d;\n", true, {"a", "c", "d"}},
        {"uniform float " + std::string(1024, 'n') + ";\n", true, {"a", std::string(1024, 'n')}},
        {"myuniform float e;\nuniform double f;\nuniform float;\n", true, {"a"}},
        {"\nuniform float " + word + ";\n", false, {}},
        {"\n\nuniform " + word + " g;\n", false, {}},
    };
    for (const Case& c : cases) {
        EffectSource source;
        std::string error;
        ASSERT_EQ(ParseEffectFile(head + c.common, "Long.fx", source, error), c.parses) << error;
        if (!c.parses) {
            // The word sits on the line after the head's four lines and the blank ones.
            const int line = 5 + static_cast<int>(c.common.find_first_not_of('\n'));
            EXPECT_EQ(error.rfind("Long.fx(" + std::to_string(line) + "): a word longer than", 0), 0u) << error;
            continue;
        }
        std::vector<std::string> names;
        for (const auto& p : source.params) names.push_back(p.name);
        EXPECT_EQ(names, c.params);
    }
}

class HeadlessEffectTest : public HeadlessGraphicsTest {
protected:
    void SetUp() override {
        HeadlessGraphicsTest::SetUp();
        path = std::filesystem::temp_directory_path() / ("veldorin_fx_" + std::to_string(::getpid()) + ".fx");
        std::ofstream(path) << kEffect;
    }
    void TearDown() override {
        if (effect) effect->Release();
        std::filesystem::remove(path);
        HeadlessGraphicsTest::TearDown();
    }
    ID3DXEffect* Load(HeadlessDevice& device) {
        ID3DXBuffer* errors = nullptr;
        EXPECT_EQ(D3DXCreateEffectFromFileA(&device, path.c_str(), nullptr, nullptr, 0, nullptr, &effect, &errors),
                  D3D_OK);
        EXPECT_EQ(errors, nullptr);
        return effect;
    }
    std::filesystem::path path;
    ID3DXEffect* effect = nullptr;
};

TEST_F(HeadlessEffectTest, ParametersAreSetByNameAndUnknownNamesAreIgnored) {
    HeadlessDevice& device = StartDevice();
    ID3DXEffect* fx = Load(device);
    ASSERT_NE(fx, nullptr);
    D3DXMATRIX world;
    D3DXMatrixTranslation(&world, 1.0f, 2.0f, 3.0f);
    fx->SetMatrix("mW", &world);
    const D3DXVECTOR3 light(0.5f, -1.0f, 0.25f);
    fx->SetValue("LightDir", &light, 12);
    const D3DXVECTOR4 diffuse(0.1f, 0.2f, 0.3f, 0.5f);
    fx->SetVector("Diffuse", &diffuse);
    fx->SetInt("bLight", 1);
    EXPECT_EQ(fx->SetFloat("NotInTheFile", 3.0f), D3D_OK);

    D3DXMATRIX back;
    fx->GetMatrix("mW", &back);
    EXPECT_EQ(back, world);
    D3DXVECTOR4 v;
    fx->GetVector("LightDir", &v);
    EXPECT_EQ(v.z, 0.25f);
    fx->GetVector("Diffuse", &v);
    EXPECT_EQ(v.w, 0.5f);
    int flag = 0;
    fx->GetInt("bLight", &flag);
    EXPECT_EQ(flag, 1);
    float unknown = 0.0f;
    EXPECT_NE(fx->GetFloat("NotInTheFile", &unknown), D3D_OK);

    const D3DXHANDLE limit = fx->GetParameterByName(nullptr, "Limit");
    ASSERT_NE(limit, nullptr);
    fx->SetFloat(limit, 0.2f);
    float value = 0.0f;
    fx->GetFloat("Limit", &value);
    EXPECT_EQ(value, 0.2f) << "a handle and the name reach the same parameter";
    EXPECT_EQ(fx->GetParameterByName(nullptr, "Nope"), nullptr);
}

// Names reach their parameter whatever storage they come in: a buffer rewritten between calls, a
// declared name where an unknown one was, many names in a row, a name too long to be remembered.
TEST_F(HeadlessEffectTest, ANameIsFoundByItsTextNotByWhereItLies) {
    HeadlessDevice& device = StartDevice();
    ID3DXEffect* fx = Load(device);
    ASSERT_NE(fx, nullptr);
    char name[64] = "Limit";
    fx->SetFloat(name, 1.0f);
    std::strcpy(name, "bLight");
    fx->SetInt(name, 7);
    std::strcpy(name, "Unknown");
    EXPECT_EQ(fx->SetFloat(name, 9.0f), D3D_OK);
    std::strcpy(name, "Limit");
    fx->SetFloat(name, 2.0f);
    std::strcpy(name, "A name far too long to be remembered by the lookups");
    fx->SetFloat(name, 5.0f);
    float limit = 0.0f;
    int light = 0;
    fx->GetFloat("Limit", &limit);
    fx->GetInt("bLight", &light);
    EXPECT_EQ(limit, 2.0f);
    EXPECT_EQ(light, 7);
    float missing = 0.0f;
    EXPECT_NE(fx->GetFloat(name, &missing), D3D_OK);
    // More names than the lookups hold, twice over: each still lands on its own parameter or nowhere.
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i) names.push_back(i % 50 == 0 ? "Limit" : "Other" + std::to_string(i));
    for (int round = 0; round < 2; ++round) {
        for (size_t i = 0; i < names.size(); ++i) fx->SetFloat(names[i].c_str(), static_cast<float>(round * 1000 + i));
        fx->GetFloat("Limit", &limit);
        EXPECT_EQ(limit, static_cast<float>(round * 1000 + 350));
        EXPECT_NE(fx->GetFloat(names[1].c_str(), &missing), D3D_OK);
    }
}

TEST_F(HeadlessEffectTest, PassStatesAreSetAtBeginPassAndGivenBackAtEnd) {
    HeadlessDevice& device = StartDevice();
    ID3DXEffect* fx = Load(device);
    ASSERT_NE(fx, nullptr);
    ASSERT_EQ(fx->SetTechnique("Tech"), D3D_OK);
    UINT passes = 0;
    fx->Begin(&passes, 0);
    EXPECT_EQ(passes, 2u);
    EXPECT_NE(fx->BeginPass(2), D3D_OK) << "no third pass";
    fx->BeginPass(1);
    DWORD cull = 0, zwrite = 1;
    device.GetRenderState(D3DRS_CULLMODE, &cull);
    device.GetRenderState(D3DRS_ZWRITEENABLE, &zwrite);
    EXPECT_EQ(cull, static_cast<DWORD>(D3DCULL_NONE));
    EXPECT_EQ(zwrite, 0u);
    fx->EndPass();
    fx->End();
    device.GetRenderState(D3DRS_CULLMODE, &cull);
    device.GetRenderState(D3DRS_ZWRITEENABLE, &zwrite);
    EXPECT_EQ(cull, static_cast<DWORD>(D3DCULL_CCW));
    EXPECT_EQ(zwrite, 1u);
    EXPECT_NE(fx->SetTechnique("Missing"), D3D_OK);
}

TEST_F(HeadlessEffectTest, TheDeviceRecordsTheEffectsCallsInOrder) {
    HeadlessDevice& device = StartDevice();
    ID3DXEffect* fx = Load(device);
    ASSERT_NE(fx, nullptr);
    device.ClearCalls();
    fx->SetTechnique("OutlineTech");
    fx->Begin(nullptr, 0);
    fx->BeginPass(0);
    fx->SetFloat("Limit", 1.0f);
    fx->CommitChanges();
    fx->EndPass();
    fx->End();
    const std::string stem = path.stem().string();
    const std::vector<std::string> expected = {
        stem + ".SetTechnique:OutlineTech()", stem + ".Begin()", stem + ".BeginPass:0()", "SetRenderState(22, 2)",
        stem + ".SetFloat:Limit()", stem + ".CommitChanges()", stem + ".EndPass()", stem + ".End()",
        "SetRenderState(22, 3)"};
    EXPECT_EQ(CallNames(device), expected);
}

TEST_F(HeadlessEffectTest, AMissingOrBrokenFileGivesAnErrorText) {
    HeadlessDevice& device = StartDevice();
    ID3DXBuffer* errors = nullptr;
    EXPECT_NE(D3DXCreateEffectFromFileA(&device, "Shader/Nothing.fx", nullptr, nullptr, 0, nullptr, &effect, &errors),
              D3D_OK);
    EXPECT_EQ(effect, nullptr);
    ASSERT_NE(errors, nullptr);
    EXPECT_NE(std::string(static_cast<char*>(errors->GetBufferPointer())).find("Shader/Nothing.fx"), std::string::npos);
    errors->Release();

    std::ofstream(path) << "@technique Broken\n";
    EXPECT_NE(D3DXCreateEffectFromFileA(&device, path.c_str(), nullptr, nullptr, 0, nullptr, &effect, &errors), D3D_OK);
    ASSERT_NE(errors, nullptr);
    EXPECT_NE(std::string(static_cast<char*>(errors->GetBufferPointer())).find("no pass"), std::string::npos);
    errors->Release();
}

}  // namespace

namespace {

// Compiling needs a real GL context: these run under the X server.
class DisplayEffectTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::GetSettings().headless = false;
        WNDCLASSEXA windowClass{};
        windowClass.lpfnWndProc = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
        windowClass.lpszClassName = "EffectTestWindow";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "EffectTestWindow", "fx", 0, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(direct3D, nullptr);
        D3DPRESENT_PARAMETERS params{};
        params.Windowed = TRUE;
        params.EnableAutoDepthStencil = TRUE;
        params.AutoDepthStencilFormat = D3DFMT_D24S8;
        params.hDeviceWindow = window;
        ASSERT_EQ(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, window, 0, &params, &device), D3D_OK);
        path = std::filesystem::temp_directory_path() / ("veldorin_glfx_" + std::to_string(::getpid()) + ".fx");
    }
    void TearDown() override {
        if (effect) effect->Release();
        SafeRelease(device);
        SafeRelease(direct3D);
        std::filesystem::remove(path);
        platform::Shutdown();
    }
    HRESULT Load(const std::string& text, std::string& errorText) {
        std::ofstream(path) << text;
        ID3DXBuffer* errors = nullptr;
        const HRESULT hr = D3DXCreateEffectFromFileA(device, path.c_str(), nullptr, nullptr, 0, nullptr, &effect, &errors);
        if (errors) {
            errorText = static_cast<char*>(errors->GetBufferPointer());
            errors->Release();
        }
        return hr;
    }
    HWND window = nullptr;
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    ID3DXEffect* effect = nullptr;
    std::filesystem::path path;
};

TEST_F(DisplayEffectTest, EveryPassCompilesAndLinks) {
    std::string errors;
    ASSERT_EQ(Load(kEffect, errors), D3D_OK) << errors;
    ASSERT_NE(effect, nullptr);
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    EXPECT_EQ(effect->BeginPass(1), D3D_OK);
    effect->EndPass();
    effect->End();
}

TEST_F(DisplayEffectTest, CompilerErrorsNameTheFileThePassAndTheLine) {
    std::string text = kEffect;
    text.replace(text.find("outColor0 = Diffuse;"), 20, "outColor0 = Difuse;");
    std::string errors;
    EXPECT_NE(Load(text, errors), D3D_OK);
    EXPECT_EQ(effect, nullptr);
    EXPECT_NE(errors.find(path.string()), std::string::npos) << errors;
    EXPECT_NE(errors.find("technique Tech, pass 0"), std::string::npos) << "every pass compiles the whole stage: " << errors;
    EXPECT_NE(errors.find("Difuse"), std::string::npos) << errors;
    EXPECT_NE(errors.find("15"), std::string::npos) << "the line of the fault in the file: " << errors;
}

}  // namespace

namespace {

// Every effect the game ships compiles on the OpenGL device with the techniques the game asks for.
TEST_F(DisplayEffectTest, TheGamesEffectFilesCompileWithTheirTechniques) {
    const std::pair<const char*, std::vector<std::pair<const char*, UINT>>> files[] = {
        {"MyShader.fx", {{"Tech", 2}, {"OutlineTech", 1}}},
        {"IceShader.fx", {{"Tech", 4}}},
        {"ShadowMap.fx", {{"Tech", 1}}},
        {"EdgeFilter.fx", {{"EdgeTech", 1}}},
        {"Blur.fx", {{"BlurTech", 2}}},
    };
    for (const auto& [file, techniques] : files) {
        const std::string path = std::string(VELDORIN_SOURCE_DIR) + "/content/Shader/" + file;
        ID3DXBuffer* errors = nullptr;
        ID3DXEffect* fx = nullptr;
        ASSERT_EQ(D3DXCreateEffectFromFileA(device, path.c_str(), nullptr, nullptr, 0, nullptr, &fx, &errors), D3D_OK)
            << (errors ? static_cast<char*>(errors->GetBufferPointer()) : file);
        for (const auto& [technique, passes] : techniques) {
            ASSERT_NE(fx->GetTechniqueByName(technique), nullptr) << file << " " << technique;
            fx->SetTechnique(technique);
            UINT count = 0;
            fx->Begin(&count, 0);
            fx->End();
            EXPECT_GE(count, passes) << file << " " << technique;
        }
        fx->Release();
    }
}

}  // namespace

namespace {

// An effect pass draws with its own program: a textured screen quad lands on the right pixels with the
// parameter colour, and the pass's states are undone afterwards.
TEST_F(DisplayEffectTest, APassDrawsAScreenQuadWithItsParametersAndTextures) {
    const char* const text = R"(@common
uniform vec4 Diffuse;
uniform sampler2D MeshTex;
@vertex
out vec2 uv;
void VS() { gl_Position = ScreenPosition(); uv = inTexCoord; }
@fragment
in vec2 uv;
void PS() { outColor0 = Diffuse * texture(MeshTex, uv); }
@sampler MeshTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@technique Tech
@pass 0 vertex=VS fragment=PS ZENABLE=FALSE ALPHABLENDENABLE=FALSE CULLMODE=NONE
)";
    std::string errors;
    ASSERT_EQ(Load(text, errors), D3D_OK) << errors;

    // Two texels: red on the left, white on the right.
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(2, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    auto* texels = static_cast<uint32_t*>(locked.pBits);
    texels[0] = 0xFFFF0000;
    texels[1] = 0xFFFFFFFF;
    texture->UnlockRect(0);

    const D3DXVECTOR4 diffuse(1.0f, 0.5f, 1.0f, 1.0f);
    effect->SetVector("Diffuse", &diffuse);
    effect->SetTexture("MeshTex", texture);
    struct Vertex {
        float x, y, z, rhw;
        float u, v;
    } quad[4] = {{0, 0, 0, 1, 0, 0}, {64, 0, 0, 1, 1, 0}, {0, 64, 0, 1, 0, 1}, {64, 64, 0, 1, 1, 1}};
    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(0);
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_TEX1);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex)), D3D_OK);
    effect->EndPass();
    effect->End();
    device->EndScene();

    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    ASSERT_TRUE(device->ReadBackBuffer(rgba, width, height));
    ASSERT_EQ(width, 64);
    auto pixel = [&](int x, int y) { return std::vector<int>(rgba.begin() + 4 * (y * width + x), rgba.begin() + 4 * (y * width + x) + 3); };
    EXPECT_EQ(pixel(5, 5), (std::vector<int>{255, 0, 0})) << "left texel times the colour";
    EXPECT_EQ(pixel(60, 60), (std::vector<int>{255, 128, 255})) << "right texel times the colour";
    DWORD z = 0;
    device->GetRenderState(D3DRS_ZENABLE, &z);
    EXPECT_EQ(z, static_cast<DWORD>(D3DZB_TRUE)) << "the pass's states are given back at End";
    texture->Release();
}

}  // namespace
