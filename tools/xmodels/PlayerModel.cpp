// The player: a young explorer in a blue parka with a red scarf, holding the cold gun in the right
// hand. Container 0 is the body, container 1 the gun; every part is bound rigidly to one bone and the
// joints are rounded so that bending limbs stay closed.
#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"
#include "tools/xmodels/Skeleton.h"

namespace xmodels {
namespace {

constexpr int kSeg = 12;

D3DXVECTOR2 R(float r) { return {r, r}; }

void AddLimbs(MeshBuilder& b, float side, const char* s, uint32_t jacket, uint32_t trim, uint32_t gloves,
              uint32_t pants, uint32_t boots, uint32_t sole) {
    const std::string p = s;
    const float x = 18 * side, arm = 19 * side, leg = 9 * side;
    b.UseBone(p + "UpperArm");
    b.UseMaterial(jacket);
    b.AddEllipsoid({x, 138, 0}, {6, 6, 6}, 8, kSeg);
    b.AddCylinder({arm, 112, 0}, 26, R(4.3f), R(5.3f), kSeg);
    b.UseBone(p + "LowerArm");
    b.AddEllipsoid({arm, 111, 0}, {4.5f, 4.5f, 4.5f}, 6, kSeg);
    b.AddCylinder({arm, 91, 0}, 20, R(3.7f), R(4.3f), kSeg);
    b.UseMaterial(trim);
    b.AddCylinder({arm, 88, 0}, 4, R(4.6f), R(4.6f), kSeg);
    b.UseBone(p + "Hand");
    b.UseMaterial(gloves);
    b.AddEllipsoid({arm, 82, -0.5f}, {2.7f, 5.3f, 3.7f}, 6, kSeg);
    b.AddEllipsoid({arm - 2.2f * side, 84, -3}, {1.3f, 2.8f, 1.3f}, 4, 8);
    b.UseBone(p + "Thigh");
    b.UseMaterial(pants);
    b.AddCylinder({leg, 49, 0}, 40, R(5.5f), R(7.4f), kSeg);
    b.UseBone(p + "Shin");
    b.AddEllipsoid({leg, 48, 0}, {5.7f, 5.7f, 5.7f}, 6, kSeg);
    b.AddCylinder({leg, 24, 0}, 24, R(4.7f), R(5.4f), kSeg);
    b.UseMaterial(boots);
    b.AddCylinder({leg, 5, 0}, 21, R(5.8f), R(5.5f), kSeg);
    b.UseMaterial(trim);
    b.AddCylinder({leg, 25, 0}, 3, R(6.2f), R(6.2f), kSeg);
    b.UseBone(p + "Foot");
    b.UseMaterial(boots);
    b.AddBox({leg, 4.5f, -4}, {5, 3.7f, 10.5f});
    b.AddEllipsoid({leg, 4.5f, -14}, {5, 3.7f, 2.5f}, 6, kSeg);
    b.UseMaterial(sole);
    b.AddBox({leg, 0.8f, -4.5f}, {5.4f, 0.8f, 12});
}

XMesh BuildBody() {
    MeshBuilder b("BodyMesh");
    const uint32_t skin = b.AddMaterial(Colour(1.0f, 0.80f, 0.66f, 1, 12, 0.1f));
    const uint32_t hair = b.AddMaterial(Colour(0.36f, 0.21f, 0.10f, 1, 20, 0.3f));
    const uint32_t eyes = b.AddMaterial(Colour(0.08f, 0.09f, 0.14f, 1, 60, 0.9f));
    const uint32_t jacket = b.AddMaterial(Colour(0.18f, 0.40f, 0.78f, 1, 10, 0.2f));
    const uint32_t trim = b.AddMaterial(Colour(0.95f, 0.93f, 0.88f));
    const uint32_t pants = b.AddMaterial(Colour(0.24f, 0.25f, 0.32f));
    const uint32_t boots = b.AddMaterial(Colour(0.42f, 0.26f, 0.13f, 1, 16, 0.25f));
    const uint32_t sole = b.AddMaterial(Colour(0.12f, 0.10f, 0.09f));
    const uint32_t belt = b.AddMaterial(Colour(0.30f, 0.19f, 0.09f, 1, 20, 0.3f));
    const uint32_t scarf = b.AddMaterial(Colour(0.82f, 0.14f, 0.14f));
    const uint32_t gloves = b.AddMaterial(Colour(0.16f, 0.16f, 0.20f));
    const uint32_t metal = b.AddMaterial(Colour(0.70f, 0.72f, 0.76f, 1, 40, 0.8f));
    b.SetBindPose(PlayerBindPose());

    b.UseBone("Hips");
    b.UseMaterial(pants);
    b.AddCylinder({0, 84, 0}, 16, {12.5f, 8.5f}, {13, 9}, kSeg);
    b.UseMaterial(jacket);
    b.AddCylinder({0, 91, 0}, 9, {14.6f, 10.6f}, {13.6f, 9.6f}, kSeg);
    b.UseMaterial(belt);
    b.AddCylinder({0, 99, 0}, 4, {13.6f, 9.4f}, {13.6f, 9.4f}, kSeg);
    b.UseBone("Spine");
    b.UseMaterial(jacket);
    b.AddCylinder({0, 102, 0}, 20, {13.2f, 9.0f}, {14.6f, 9.6f}, kSeg);
    b.UseBone("Chest");
    b.AddCylinder({0, 120, 0}, 21, {14.6f, 9.6f}, {16.4f, 10.2f}, kSeg);
    b.AddEllipsoid({0, 141, 0}, {17, 4.5f, 10}, 6, kSeg);
    b.UseMaterial(metal);
    b.AddBox({0, 121, -10.1f}, {0.6f, 19, 0.4f});
    b.UseMaterial(scarf);
    b.AddCylinder({0, 139, 0}, 6, R(9.4f), R(8.2f), kSeg);
    b.AddBox({4.5f, 130, -10.6f}, {2.6f, 8, 0.7f});
    b.UseBone("Neck");
    b.UseMaterial(skin);
    b.AddCylinder({0, 142, 0}, 10, R(4.6f), R(4.4f), kSeg);
    b.UseBone("Head");
    b.AddEllipsoid({0, 160, 0}, {9.5f, 11, 10}, 12, 16);
    b.AddEllipsoid({0, 157.5f, -10}, {1.3f, 1.9f, 1.4f}, 4, 8);
    b.AddEllipsoid({9.5f, 159, 0.5f}, {1.2f, 2.6f, 1.8f}, 4, 8);
    b.AddEllipsoid({-9.5f, 159, 0.5f}, {1.2f, 2.6f, 1.8f}, 4, 8);
    b.UseMaterial(eyes);
    b.AddEllipsoid({3.6f, 160.5f, -8.9f}, {1.5f, 2.0f, 1.0f}, 4, 8);
    b.AddEllipsoid({-3.6f, 160.5f, -8.9f}, {1.5f, 2.0f, 1.0f}, 4, 8);
    b.UseMaterial(hair);
    b.AddEllipsoid({0, 163.5f, 1.8f}, {10.3f, 9.3f, 10.4f}, 10, 16, 0.04f);
    AddLimbs(b, 1, "L_", jacket, trim, gloves, pants, boots, sole);
    AddLimbs(b, -1, "R_", jacket, trim, gloves, pants, boots, sole);
    return b.Build();
}

// The cold gun in the right hand, pointing ahead (-z), its ice tank glowing.
XMesh BuildGun() {
    MeshBuilder b("GunMesh");
    const uint32_t metal = b.AddMaterial(Colour(0.58f, 0.62f, 0.70f, 1, 40, 0.8f));
    const uint32_t dark = b.AddMaterial(Colour(0.18f, 0.20f, 0.25f, 1, 20, 0.4f));
    const uint32_t ice = b.AddMaterial(Colour(0.55f, 0.90f, 1.0f, 0.85f, 60, 1.0f, {0.15f, 0.35f, 0.45f}));
    b.SetBindPose(PlayerBindPose());
    b.UseBone("R_Hand");
    b.UseMaterial(dark);
    b.AddBox({-19, 83, -2}, {1.6f, 4.5f, 2});
    b.UseMaterial(metal);
    b.AddBox({-19, 88, -10}, {3, 3.2f, 11});
    D3DXMATRIX turn, at, place;
    D3DXMatrixRotationX(&turn, -D3DX_PI / 2);  // +y becomes -z: the barrel points ahead
    D3DXMatrixTranslation(&at, -19, 88, -20);
    place = turn * at;
    b.SetPlacement(place);
    b.AddCylinder({0, 0, 0}, 14, R(2.2f), R(1.6f), kSeg);
    b.UseMaterial(ice);
    b.AddCylinder({0, 13, 0}, 2.5f, R(2.8f), R(2.8f), kSeg);
    b.SetPlacement(Identity());
    b.AddEllipsoid({-19, 93, -8}, {2.6f, 2.6f, 6}, 6, kSeg);
    return b.Build();
}

XFrame BoneFrame(const BoneDef& bone) {
    XFrame frame;
    frame.name = bone.name;
    D3DXMatrixTranslation(&frame.transform, bone.offset.x, bone.offset.y, bone.offset.z);
    for (const BoneDef& child : PlayerBones())
        if (std::string(child.parent) == bone.name) frame.children.push_back(BoneFrame(child));
    return frame;
}

}  // namespace

XModel BuildPlayer() {
    XModel model;
    XFrame root{"Root", Identity(), {}, {}};
    root.children.push_back({"Body", Identity(), {BuildBody()}, {}});
    root.children.push_back({"Gun", Identity(), {BuildGun()}, {}});
    root.children.push_back(BoneFrame(PlayerBones().front()));
    model.frames.push_back(root);
    model.ticksPerSecond = 4800;
    // D3DX hands out animation sets last first: write them in reverse so that set i is state i.
    const std::vector<Motion> motions = PlayerMotions();
    for (auto it = motions.rbegin(); it != motions.rend(); ++it)
        model.sets.push_back(ToAnimationSet(*it, model.ticksPerSecond));
    return model;
}

bool WritePlayer(const std::string& root) { return WriteX(root + "/data/xfile/Player/player.x", BuildPlayer()); }

}  // namespace xmodels
