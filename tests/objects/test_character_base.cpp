// The placed-object base: construction defaults, the common placement keys and their order rules,
// the world matrix, the collision-mesh fallback, and the draws that swap the object's own draw
// parameters into the shared mesh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "objects/CSimpleObject.h"
#include "objects/Map.h"
#include "shaders/ShaderManager.h"
#include "tests/support/HeadlessGraphics.h"
#include "tests/support/RecordedCalls.h"

namespace {

using Strings = std::vector<std::string>;

class Plain : public CharacterBase {
public:
    const char* ClassName() const override { return "Plain"; }
    void Update() override {}
};

// Rows 1 to 3 of a matrix against the expected rotation, element by element.
void ExpectRotation(const D3DXMATRIX& m, const float (&rows)[3][3], const char* what) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(m(r, c), rows[r][c], 1e-6f) << what << " element " << r << "," << c;
    }
}

void ExpectMatrixEq(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(a(r, c), b(r, c)) << "element " << r << "," << c;
    }
}

D3DXMATRIX Identity() {
    D3DXMATRIX m;
    return *D3DXMatrixIdentity(&m);
}

}  // namespace

TEST(CharacterBase, ConstructionDefaults) {
    Plain o;
    EXPECT_EQ(o.mesh, nullptr);
    EXPECT_EQ(o.colMesh, nullptr);
    ASSERT_NE(o.drawParams, nullptr);
    EXPECT_EQ(o.drawParams->castShadow, 1);
    EXPECT_EQ(o.drawParams->edge, 1);
    ASSERT_NE(o.world, nullptr);
    ExpectMatrixEq(*o.world, Identity());
    ExpectMatrixEq(o.transMat, Identity());
    ExpectMatrixEq(o.rotMat, Identity());
    ExpectMatrixEq(o.scaleMat, Identity());
    EXPECT_EQ(o.move, D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(o.kind, -1);
    EXPECT_EQ(o.groundKind, -1);
    EXPECT_EQ(o.state, 0);
    EXPECT_EQ(o.dead, 0);
    EXPECT_EQ(o.fallSpeed, 0.0f);
    EXPECT_EQ(o.GetColMesh(), nullptr);
}

TEST(CharacterBase, PositionGoesIntoTransMatAndWorldWithNoRotation) {
    Plain o;
    o.Init({"", "Pos(1,2,3)"});
    EXPECT_EQ(o.Position(), D3DXVECTOR3(1, 2, 3));
    D3DXMATRIX expected;
    D3DXMatrixTranslation(&expected, 1, 2, 3);
    ExpectMatrixEq(o.transMat, expected);
    ExpectMatrixEq(*o.world, expected);
    ExpectMatrixEq(o.rotMat, Identity());
}

TEST(CharacterBase, AngleIsPitchYawRollInDegrees) {
    Plain pitch;
    pitch.Init({"", "Angle(90,0,0)"});
    // Pitch about x: y turns into z, z into -y.
    ExpectRotation(pitch.rotMat, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}, "pitch");
    ExpectRotation(*pitch.world, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}, "pitch world");

    Plain yaw;
    yaw.Init({"", "Angle(0,90,0)"});
    // Yaw about y: x turns into -z, z into x.
    ExpectRotation(yaw.rotMat, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, "yaw");

    Plain roll;
    roll.Init({"", "Angle(0,0,90)"});
    // Roll about z: x turns into y.
    ExpectRotation(roll.rotMat, {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}, "roll");

    // Both at once: pitched first, then turned by the yaw.
    Plain both;
    both.Init({"", "Angle(90,90,0)"});
    ExpectRotation(both.rotMat, {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}, "pitch then yaw");
}

TEST(CharacterBase, WorldIsRotationThenTranslationWhateverTheKeyOrderAndNeverScaled) {
    for (const Strings& params : {Strings{"", "Pos(4,5,6)", "Angle(0,90,0)"}, Strings{"", "Angle(0,90,0)", "Pos(4,5,6)"}}) {
        Plain o;
        D3DXMatrixScaling(&o.scaleMat, 2, 2, 2);
        o.Init(params);
        ExpectRotation(*o.world, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, params[1].c_str());
        EXPECT_FLOAT_EQ(o.world->_41, 4);
        EXPECT_FLOAT_EQ(o.world->_42, 5);
        EXPECT_FLOAT_EQ(o.world->_43, 6);
        EXPECT_FLOAT_EQ(o.world->_44, 1);
        // The position itself is not turned by the rotation.
        EXPECT_EQ(o.Position(), D3DXVECTOR3(4, 5, 6));
    }
}

TEST(CharacterBase, ShortAndNonNumericComponentsReadAsZero) {
    struct Case {
        const char* value;
        D3DXVECTOR3 expected;
    };
    for (const Case& c : {Case{"5", {5, 0, 0}}, Case{"5,6", {5, 6, 0}}, Case{"a,2,b", {0, 2, 0}},
                          Case{"1.5e1, -2,3.25", {15, -2, 3.25f}}, Case{",,7", {7, 0, 0}},
                          Case{"1,2,3,4", {1, 2, 3}}, Case{"2x,y3,", {2, 0, 0}}, Case{"nan,inf,1", {0, 0, 1}}}) {
        Plain o;
        o.Init({"", std::string("Pos(") + c.value + ")"});
        EXPECT_EQ(o.Position(), c.expected) << c.value;
        EXPECT_EQ(D3DXVECTOR3(o.world->_41, o.world->_42, o.world->_43), c.expected) << c.value;
    }
    // An angle with one component turns about x only.
    Plain o;
    o.Init({"", "Angle(90)"});
    ExpectRotation(o.rotMat, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}, "Angle(90)");
}

TEST(CharacterBase, ValueWithoutComponentsLeavesPositionAndRotationAsTheyWere) {
    Plain o;
    o.Init({"", "Pos(1,2,3)", "Angle(0,90,0)", "Pos()", "Pos(,,)", "Angle()", "Angle(,)"});
    EXPECT_EQ(o.Position(), D3DXVECTOR3(1, 2, 3));
    ExpectRotation(o.rotMat, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, "kept yaw");
}

TEST(CharacterBase, ItemsAreSplitAtTheFirstParenthesesAndKeysMatchExactly) {
    Plain o;
    // No ")" takes the value to the end; an item without "(" is skipped; keys are case-sensitive and
    // must match whole.
    o.Init({"Pos(9,9,9)", "Pos(1,2,3", "Pos", "pos(7,7,7)", "Pos (8,8,8)", "XPos(6,6,6)", "Angle(0,90,0))"});
    EXPECT_EQ(o.Position(), D3DXVECTOR3(1, 2, 3));
    ExpectRotation(o.rotMat, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, "Angle with a second )");

    std::string key, value;
    EXPECT_TRUE(SplitParam("Mesh(a(b).x)", key, value));
    EXPECT_EQ(key, "Mesh");
    EXPECT_EQ(value, "a(b");
    EXPECT_FALSE(SplitParam("Mesh", key, value));
}

TEST(CharacterBase, SetParamTellsWhetherItReadAPositionOrAnAngle) {
    Plain o;
    EXPECT_TRUE(o.SetParam("Pos", "1,2,3"));
    EXPECT_TRUE(o.SetParam("Pos", "x"));  // a component, though not a number
    EXPECT_TRUE(o.SetParam("Angle", "0,45,0"));
    EXPECT_FALSE(o.SetParam("Pos", ""));
    EXPECT_FALSE(o.SetParam("Angle", ","));
    // Keys it acts on, or ignores, all answer false.
    EXPECT_FALSE(o.SetParam("Shadow", "0"));
    EXPECT_FALSE(o.SetParam("Edge", "0"));
    EXPECT_FALSE(o.SetParam("State", "RIGHT"));
    EXPECT_FALSE(o.SetParam("pos", "1,1,1"));
    EXPECT_EQ(o.Position(), D3DXVECTOR3(0, 0, 0));  // "Pos(x)" put the object at the origin
}

TEST(CharacterBase, InitStartsFromNoMeshAndStateZero) {
    Plain o;
    o.state = 7;
    o.Init({""});
    EXPECT_EQ(o.state, 0);
    o.state = 3;
    o.Reset();
    EXPECT_EQ(o.state, 0);
    EXPECT_EQ(o.mesh, nullptr);
    EXPECT_EQ(o.colMesh, nullptr);
}

TEST(CharacterBase, SetTransMatrixMovesTheObjectOnlyWhenItsClassRebuildsTheWorld) {
    D3DXMATRIX moved;
    D3DXMatrixTranslation(&moved, 10, 20, 30);

    CSimpleObject scenery;
    scenery.Init({"", "Pos(1,2,3)", "Angle(0,90,0)"});
    const D3DXMATRIX built = *scenery.world;
    scenery.SetTransMatrix(moved);
    ExpectMatrixEq(scenery.transMat, moved);
    ExpectMatrixEq(*scenery.world, built);
    scenery.Update();  // scenery never rebuilds it
    ExpectMatrixEq(*scenery.world, built);

    Map map;
    map.Init({"", "Pos(1,2,3)", "Angle(0,90,0)"});
    map.SetTransMatrix(moved);
    EXPECT_FLOAT_EQ(map.world->_41, 1);
    map.Update();  // the map rebuilds it every frame
    ExpectRotation(*map.world, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, "map");
    EXPECT_FLOAT_EQ(map.world->_41, 10);
    EXPECT_FLOAT_EQ(map.world->_42, 20);
    EXPECT_FLOAT_EQ(map.world->_43, 30);
}

namespace {

// Objects with real meshes from the built content tree, drawn through the headless device.
class PlacedMeshTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
        device = &StartDevice();
        device->StopRecording();
        ShaderManager::GetInstance().Init();
        ASSERT_NE(ShaderManager::GetInstance().toon.effect, nullptr);
        ASSERT_NE(ShaderManager::GetInstance().shadowMap.effect, nullptr);
    }
    void TearDown() override {
        ShaderManager::GetInstance().Release();
        MeshManager::GetInstance().ReleaseAll();
        TextureManager::GetInstance().ReleaseAll();
        ContentTreeTest::TearDown();
    }

    // The calls recorded while the action runs.
    std::vector<std::string> Record(const std::function<void()>& action) { return testsupport::RecordCalls(*device, action); }
    static bool Has(const std::vector<std::string>& calls, const std::string& prefix) {
        return testsupport::CountCalls(calls, prefix) > 0;
    }
    static long IndexOf(const std::vector<std::string>& calls, const std::string& prefix) {
        return testsupport::IndexOfCall(calls, prefix);
    }

    static constexpr const char* kCrate = "Mesh(data/xfile/Object/Crate.x)";
    static constexpr const char* kBarrel = "data/xfile/Object/Barrel.x";
    HeadlessDevice* device = nullptr;
};

}  // namespace

TEST_F(PlacedMeshTest, ShadowAndEdgeCountOnlyAfterTheMesh) {
    Plain before;
    before.Init({"", "Shadow(0)", "Edge(0)", kCrate});
    ASSERT_NE(before.mesh, nullptr);
    ASSERT_NE(before.mesh->mesh, nullptr) << "the crate model is in the content tree";
    EXPECT_EQ(before.drawParams->castShadow, 1);
    EXPECT_EQ(before.drawParams->edge, 1);

    Plain after;
    after.Init({"", kCrate, "Shadow(0)", "Edge(0)"});
    EXPECT_EQ(after.drawParams->castShadow, 0);
    EXPECT_EQ(after.drawParams->edge, 0);
    // The object's own block changes, never the one the shared mesh holds.
    EXPECT_NE(after.mesh->drawParams, after.drawParams);
    EXPECT_EQ(after.mesh->drawParams->castShadow, 1);

    // The keys are exact; a value that is not a whole number leaves the default.
    Plain odd;
    odd.Init({"", kCrate, "shadow(0)", "Edge(no)", "Shadow()"});
    EXPECT_EQ(odd.drawParams->castShadow, 1);
    EXPECT_EQ(odd.drawParams->edge, 1);
}

TEST_F(PlacedMeshTest, MeshesComeFromTheCacheAndEachMeshKeyRenewsTheSharedParameters) {
    Plain first;
    first.Init({"", kCrate});
    DrawParams* shared = first.mesh->drawParams;
    ASSERT_NE(shared, nullptr);
    shared->alpha = 0.25f;

    Plain second;
    second.Init({"", kCrate});
    EXPECT_EQ(second.mesh, first.mesh);
    ASSERT_NE(second.mesh->drawParams, nullptr);
    EXPECT_FLOAT_EQ(second.mesh->drawParams->alpha, 1.0f);
    EXPECT_NE(second.mesh->drawParams, second.drawParams);
}

TEST_F(PlacedMeshTest, CollisionUsesTheCollisionMeshOrFallsBackToTheDisplayMesh) {
    Plain plain;
    plain.Init({"", kCrate});
    EXPECT_EQ(plain.colMesh, nullptr);
    EXPECT_EQ(plain.GetColMesh(), plain.mesh);
    EXPECT_EQ(plain.GetMesh(), plain.mesh);

    Plain separate;
    separate.Init({"", kCrate, std::string("ColMesh(") + kBarrel + ")"});
    ASSERT_NE(separate.colMesh, nullptr);
    EXPECT_NE(separate.colMesh, separate.mesh);
    EXPECT_EQ(separate.GetColMesh(), separate.colMesh);
    EXPECT_EQ(separate.GetMesh(), separate.mesh);

    // A second Init starts over: no collision mesh is left from the first.
    separate.Init({"", kCrate});
    EXPECT_EQ(separate.GetColMesh(), separate.mesh);
}

TEST_F(PlacedMeshTest, DrawUsesTheObjectsParametersAndWorldAndGivesTheMeshItsOwnBack) {
    Plain outlined, plain;
    outlined.Init({"", kCrate, "Pos(1,2,3)", "Angle(0,90,0)"});
    plain.Init({"", kCrate, "Edge(0)", "Pos(-5,0,0)"});
    ASSERT_EQ(outlined.mesh, plain.mesh);
    Mesh* mesh = plain.mesh;
    DrawParams* shared = mesh->drawParams;
    ID3DXEffect* toon = ShaderManager::GetInstance().toon.effect;

    const std::vector<std::string> calls = Record([&] { plain.Draw(); });
    const long world = IndexOf(calls, "MyShader.SetMatrix:mW");
    // The toon pass for draws that clip nothing.
    const long pass = IndexOf(calls, "MyShader.BeginPass:" + std::to_string(MyShader::kToonPassUnclipped));
    const long subset = IndexOf(calls, "DrawSubset(");
    ASSERT_GE(world, 0);
    ASSERT_GE(pass, 0);
    ASSERT_GE(subset, 0);
    EXPECT_LT(world, subset);
    EXPECT_LT(pass, subset);
    EXPECT_FALSE(Has(calls, "ShadowMap."));
    EXPECT_EQ(mesh->drawParams, shared);

    // The effect saw the object's own outline switch and world matrix, not the shared ones.
    float edge = -1;
    D3DXMATRIX seen;
    ASSERT_EQ(toon->GetFloat("Edge", &edge), D3D_OK);
    EXPECT_EQ(edge, 0.0f);
    ASSERT_EQ(toon->GetMatrix("mW", &seen), D3D_OK);
    ExpectMatrixEq(seen, *plain.world);

    Record([&] { outlined.Draw(); });
    ASSERT_EQ(toon->GetFloat("Edge", &edge), D3D_OK);
    EXPECT_EQ(edge, 1.0f);
    ASSERT_EQ(toon->GetMatrix("mW", &seen), D3D_OK);
    ExpectMatrixEq(seen, *outlined.world);
    EXPECT_EQ(mesh->drawParams, shared);
}

TEST_F(PlacedMeshTest, ShadowPassDrawsOnlyObjectsThatCastShadowsAndNeverTheMap) {
    Plain caster, noShadow;
    caster.Init({"", kCrate, "Pos(2,0,0)"});
    noShadow.Init({"", kCrate, "Shadow(0)"});
    Mesh* mesh = caster.mesh;
    DrawParams* shared = mesh->drawParams;

    std::vector<std::string> calls = Record([&] { caster.DrawShadow(); });
    const long world = IndexOf(calls, "ShadowMap.SetMatrix:mW");
    const long subset = IndexOf(calls, "DrawSubset(");
    ASSERT_GE(world, 0);
    ASSERT_GT(subset, world);
    EXPECT_FALSE(Has(calls, "MyShader."));
    EXPECT_EQ(mesh->drawParams, shared);
    D3DXMATRIX seen;
    ASSERT_EQ(ShaderManager::GetInstance().shadowMap.effect->GetMatrix("mW", &seen), D3D_OK);
    ExpectMatrixEq(seen, *caster.world);

    calls = Record([&] { noShadow.DrawShadow(); });
    EXPECT_FALSE(Has(calls, "ShadowMap.")) << "Shadow(0) keeps it out of the shadow map";
    EXPECT_FALSE(Has(calls, "DrawSubset("));
    EXPECT_EQ(mesh->drawParams, shared);

    Map map;
    map.Init({"", "Mesh(data/xfile/Map/TestRoom.x)", "Shadow(1)"});
    ASSERT_EQ(map.drawParams->castShadow, 1);
    calls = Record([&] { map.DrawShadow(); });
    EXPECT_TRUE(calls.empty()) << "the map receives shadows, it never casts them";
    calls = Record([&] { map.Draw(); });
    EXPECT_TRUE(Has(calls, "MyShader.SetMatrix:mW"));
}

TEST_F(PlacedMeshTest, ObjectWithoutMeshOrWithAMissingModelDrawsNothingAndDoesNotFail) {
    Plain bare;
    bare.Init({"", "Pos(1,1,1)"});
    std::vector<std::string> calls = Record([&] {
        bare.Draw();
        bare.DrawShadow();
    });
    EXPECT_FALSE(Has(calls, "DrawSubset("));

    Plain missing;
    missing.Init({"", "Mesh(data/xfile/Object/NoSuchModel.x)", "Shadow(1)"});
    ASSERT_NE(missing.mesh, nullptr);
    EXPECT_EQ(missing.mesh->mesh, nullptr);
    calls = Record([&] {
        missing.Draw();
        missing.DrawShadow();
    });
    EXPECT_FALSE(Has(calls, "DrawSubset("));
    EXPECT_EQ(missing.GetColMesh(), missing.mesh);
}
