// The floor switch and the door it opens.
//  - SwitchPlate: a round stone plate 1.2 across, 0.15 thick (top at 0.15, the rune inlay 0.008 above
//    it), with a glowing ice-blue snowflake rune that asks to be stepped on. It sinks into its base.
//  - SwitchBase: the socket ring round the plate, 1.5 across, top at 0.1, open in the middle
//    (inner radius 0.62) so the plate shows.
//  - Door: a heavy plank door banded with iron, filling a doorway 2 wide and 3 tall: x from -1 to 1,
//    y from 0 to 3, z from -0.15 to 0.15, alike on both faces with a ring handle and an ice crest.
#include <cmath>

#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

XMaterial RuneGlow() { return Colour(0.45f, 0.92f, 1.0f, 1, 60, 0.9f, {0.3f, 0.6f, 0.7f}); }

XModel SwitchPlate() {
    MeshBuilder b("SwitchPlate");
    const uint32_t stone = b.AddMaterial(Colour(0.70f, 0.76f, 0.85f, 1, 8, 0.1f));
    const uint32_t rim = b.AddMaterial(Colour(0.50f, 0.56f, 0.68f, 1, 8, 0.1f));
    const uint32_t glow = b.AddMaterial(RuneGlow());
    b.UseMaterial(rim);
    b.AddCylinder({0, 0, 0}, 0.11f, {0.6f, 0.6f}, {0.6f, 0.6f}, 32);
    b.UseMaterial(stone);
    b.AddCylinder({0, 0.11f, 0}, 0.04f, {0.6f, 0.6f}, {0.55f, 0.55f}, 32);
    // The rune: two rings and a six-armed snowflake with forked tips, and a gem in the middle.
    b.UseMaterial(glow);
    AddTube(b, 0.15f, 0.158f, 0.47f, 0.51f, 32);
    AddTube(b, 0.15f, 0.158f, 0.12f, 0.15f, 24);
    for (int arm = 0; arm < 6; ++arm) {
        const float a = D3DX_PI / 3 * arm;
        b.SetPlacement(Place(RotationY(a), {0, 0.154f, 0}));
        AddBevelBox(b, {0.29f, 0, 0}, {0.15f, 0.004f, 0.022f}, 0.003f);
        for (float side : {-1.0f, 1.0f}) {  // the fork at the arm's tip
            b.SetPlacement(Place(RotationY(a + side * 0.6f), {0.36f * std::cos(a), 0.154f, -0.36f * std::sin(a)}));
            AddBevelBox(b, {0.05f, 0, 0}, {0.06f, 0.004f, 0.016f}, 0.003f);
        }
    }
    b.SetPlacement(Identity());
    b.AddCylinder({0, 0.15f, 0}, 0.012f, {0.08f, 0.08f}, {0.06f, 0.06f}, 6);
    return SingleModel("SwitchPlate", b);
}

XModel SwitchBase() {
    MeshBuilder b("SwitchBase");
    const uint32_t stone = b.AddMaterial(Colour(0.42f, 0.47f, 0.57f, 1, 6, 0.08f));
    const uint32_t groove = b.AddMaterial(Colour(0.22f, 0.26f, 0.34f, 1, 4, 0.05f));
    const uint32_t glow = b.AddMaterial(RuneGlow());
    b.UseMaterial(stone);
    AddTube(b, 0, 0.07f, 0.62f, 0.75f, 40);
    AddTube(b, 0.07f, 0.1f, 0.62f, 0.72f, 40);
    // Chiselled notches round the top, and four glowing studs at the quarters pointing inward.
    for (int k = 0; k < 8; ++k) {
        const float a = D3DX_PI / 4 * k + D3DX_PI / 8;
        b.UseMaterial(groove);
        b.SetPlacement(Place(RotationY(a), {0, 0, 0}));
        b.AddBox({0.67f, 0.1f, 0}, {0.05f, 0.003f, 0.012f});
    }
    b.UseMaterial(glow);
    for (int k = 0; k < 4; ++k) {
        b.SetPlacement(Place(RotationY(D3DX_PI / 2 * k), {0, 0, 0}));
        AddBevelBox(b, {0.67f, 0.1f, 0}, {0.035f, 0.008f, 0.035f}, 0.005f);
    }
    b.SetPlacement(Identity());
    return SingleModel("SwitchBase", b);
}

XModel Door() {
    MeshBuilder b("Door");
    XMaterial lightWood = Colour(0.74f, 0.50f, 0.28f, 1, 6, 0.05f), darkWood = Colour(0.62f, 0.40f, 0.21f, 1, 6, 0.05f);
    lightWood.texture = darkWood.texture = "wood_planks.png";
    const uint32_t backing = b.AddMaterial(Colour(0.24f, 0.14f, 0.07f, 1, 4, 0.02f));
    const uint32_t planks[2] = {b.AddMaterial(lightWood), b.AddMaterial(darkWood)};
    const uint32_t iron = b.AddMaterial(Colour(0.30f, 0.32f, 0.38f, 1, 40, 0.6f));
    const uint32_t rivet = b.AddMaterial(Colour(0.55f, 0.58f, 0.64f, 1, 50, 0.8f));
    const uint32_t glow = b.AddMaterial(RuneGlow());

    b.UseMaterial(backing);
    b.AddBox({0, 1.5f, 0}, {0.97f, 1.49f, 0.08f});
    // A tongue above the doorway, hidden in the lintel: it lifts the door's top above a jump, so the
    // door cannot be stood on under the lintel.
    b.AddBox({0, 3.3f, 0}, {0.97f, 0.3f, 0.08f});
    // Five upright planks with thin dark gaps between them.
    for (int k = 0; k < 5; ++k) {
        b.UseMaterial(planks[k % 2]);
        AddPlank(b, {-0.8f + 0.4f * k, 1.5f, 0}, {0.192f, 1.5f, 0.105f}, 1, 0.43f * k);
    }
    // Iron: the two stiles at the sides and three bands across, rivets along the bands.
    b.UseMaterial(iron);
    for (float x : {-0.94f, 0.94f}) AddBevelBox(b, {x, 1.5f, 0}, {0.06f, 1.5f, 0.125f}, 0.02f);
    for (float y : {0.42f, 1.5f, 2.58f}) AddBevelBox(b, {0, y, 0}, {1.0f, 0.09f, 0.125f}, 0.02f);
    b.UseMaterial(rivet);
    for (float y : {0.42f, 1.5f, 2.58f})
        for (int k = 0; k < 5; ++k)
            for (float z : {-0.122f, 0.122f}) b.AddEllipsoid({-0.8f + 0.4f * k, y, z}, {0.028f, 0.028f, 0.026f}, 4, 8);

    for (float s : {-1.0f, 1.0f}) {
        // The ring handle on its plate, off centre towards +x on the front (and its mirror behind).
        const D3DXVECTOR3 handle(0.55f * s, 1.14f, 0.12f * s);
        b.UseMaterial(iron);
        AddBevelBox(b, handle + D3DXVECTOR3(0, 0.08f, 0), {0.08f, 0.08f, 0.012f}, 0.006f);
        b.SetPlacement(Place(Identity(), handle + D3DXVECTOR3(0, -0.02f, 0.008f * s)));
        AddRingZ(b, 0.1f, 0.02f, 16, 6);
        // The ice crest between the upper bands: a glowing ring round a six-pointed star.
        b.UseMaterial(glow);
        b.SetPlacement(Place(Identity(), {0, 2.04f, 0.118f * s}));
        AddRingZ(b, 0.2f, 0.022f, 24, 6);
        for (int arm = 0; arm < 3; ++arm) {
            b.SetPlacement(Place(RotationZ(D3DX_PI / 3 * arm + D3DX_PI / 2), {0, 2.04f, 0.115f * s}));
            AddBevelBox(b, {0, 0, 0}, {0.17f, 0.022f, 0.012f}, 0.006f);
        }
        b.SetPlacement(Identity());
    }
    return SingleModel("Door", b);
}

}  // namespace

bool WriteSwitchDoor(const std::string& root) {
    const std::string folder = root + "/data/xfile/Object/";
    return WriteX(folder + "SwitchPlate.x", SwitchPlate()) && WriteX(folder + "SwitchBase.x", SwitchBase()) &&
           WriteX(folder + "Door.x", Door());
}

}  // namespace xmodels
