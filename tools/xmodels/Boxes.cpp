// The two pushable boxes, 1 x 1 x 1 standing on their origin and kept within half extents of 0.5 so
// that the ice overlays fit over them. The wooden one is warm brown planks in a darker frame with a
// diagonal brace on each side; the stone one is a grey-blue block with proud top and bottom courses,
// chiselled edges and a glowing rune on every side, so the two read apart at a glance.
#include <cmath>

#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

XMaterial Textured(XMaterial material, const std::string& texture) {
    material.texture = texture;
    return material;
}

// Each side is drawn on the +z face and turned about y into place (sides 0 to 3), or tipped onto the
// top (side 4).
D3DXMATRIX Side(int side) {
    if (side == 4) return Place(RotationX(-D3DX_PI / 2), {0, 0.5f, 0.5f});
    return Place(RotationY(D3DX_PI / 2 * side), {0, 0, 0});
}

XModel WoodBox() {
    MeshBuilder b("WoodBox");
    const uint32_t core = b.AddMaterial(Colour(0.30f, 0.18f, 0.09f, 1, 4, 0.02f));
    const uint32_t light = b.AddMaterial(Textured(Colour(0.86f, 0.60f, 0.33f, 1, 6, 0.05f), "wood_planks.png"));
    const uint32_t mid = b.AddMaterial(Textured(Colour(0.76f, 0.50f, 0.26f, 1, 6, 0.05f), "wood_planks.png"));
    const uint32_t frame = b.AddMaterial(Textured(Colour(0.55f, 0.34f, 0.17f, 1, 6, 0.05f), "wood_planks.png"));
    const uint32_t iron = b.AddMaterial(Colour(0.26f, 0.26f, 0.30f, 1, 40, 0.5f));

    // The dark core shows in the gaps between the planks.
    b.UseMaterial(core);
    b.AddBox({0, 0.5f, 0}, {0.40f, 0.40f, 0.40f});

    // Three planks on each side and on top, running level; a brace corner to corner on the sides.
    for (int side = 0; side < 5; ++side) {
        b.SetPlacement(Side(side));
        for (int k = 0; k < 3; ++k) {
            b.UseMaterial(k == 1 ? mid : light);
            AddPlank(b, {0, 0.5f + 0.255f * (k - 1), 0.42f}, {0.38f, 0.118f, 0.03f}, 0, 0.31f * (side * 3 + k));
        }
        if (side < 4) {
            b.UseMaterial(frame);
            b.SetPlacement(Place(RotationZ(side % 2 ? D3DX_PI / 4 : -D3DX_PI / 4), {0, 0.5f, 0}) * Side(side));
            AddPlank(b, {0, 0, 0.465f}, {0.5f, 0.055f, 0.02f}, 0, 0.5f * side);
            b.SetPlacement(Side(side));
            b.UseMaterial(iron);  // nails at the brace's ends
            const float s = side % 2 ? 1.0f : -1.0f;
            for (float t : {-0.3f, 0.3f}) AddBevelBox(b, {t, 0.5f + s * t, 0.487f}, {0.022f, 0.022f, 0.006f}, 0.004f);
        }
    }
    b.SetPlacement(Identity());

    // The frame: twelve beams on the edges, the outer sides at 0.49 (top and bottom at 1 and 0), nail
    // heads proud of them.
    b.UseMaterial(frame);
    const float e = 0.43f, ey = 0.44f, t = 0.06f;
    for (float a : {-1.0f, 1.0f})
        for (float c : {-1.0f, 1.0f}) {
            AddPlank(b, {a * e, 0.5f, c * e}, {t, 0.5f, t}, 1, a + 2 * c);                // uprights
            AddPlank(b, {a * e, 0.5f + c * ey, 0}, {t, t, e - t}, 2, a - c);             // beams along z
            AddPlank(b, {0, 0.5f + a * ey, c * e}, {e - t, t, t}, 0, c - a);             // beams along x
        }
    b.UseMaterial(iron);
    for (float a : {-e, e})
        for (float c : {-e, e})
            for (float y : {0.06f, 0.94f}) {
                AddBevelBox(b, {a, y, 0.494f * (c > 0 ? 1 : -1)}, {0.022f, 0.022f, 0.006f}, 0.004f);
                AddBevelBox(b, {0.494f * (a > 0 ? 1 : -1), y, c}, {0.006f, 0.022f, 0.022f}, 0.004f);
            }
    return SingleModel("WoodBox", b);
}

// A raised stroke of the rune on the +z face at depth z, from (x0, y0) to (x1, y1).
void AddStroke(MeshBuilder& b, const D3DXMATRIX& side, float x0, float y0, float x1, float y1, float z) {
    const float length = std::hypot(x1 - x0, y1 - y0), angle = std::atan2(y1 - y0, x1 - x0);
    b.SetPlacement(Place(RotationZ(angle), {(x0 + x1) / 2, (y0 + y1) / 2, z}) * side);
    AddBevelBox(b, {0, 0, 0}, {length / 2 + 0.02f, 0.022f, 0.012f}, 0.008f);
}

XModel StoneBox() {
    MeshBuilder b("StoneBox");
    const uint32_t stone = b.AddMaterial(Textured(Colour(0.60f, 0.66f, 0.76f, 1, 6, 0.08f), "stone_block.png"));
    const uint32_t course = b.AddMaterial(Textured(Colour(0.46f, 0.52f, 0.63f, 1, 6, 0.08f), "stone_block.png"));
    const uint32_t panel = b.AddMaterial(Colour(0.34f, 0.40f, 0.52f, 1, 4, 0.05f));
    const uint32_t rune = b.AddMaterial(Colour(0.45f, 0.90f, 1.0f, 1, 60, 0.9f, {0.3f, 0.6f, 0.7f}));

    b.UseMaterial(stone);
    AddBevelBox(b, {0, 0.5f, 0}, {0.46f, 0.40f, 0.46f}, 0.05f, 1.5f);
    b.UseMaterial(course);
    AddBevelBox(b, {0, 0.065f, 0}, {0.5f, 0.065f, 0.5f}, 0.025f, 1.5f);
    AddBevelBox(b, {0, 0.93f, 0}, {0.5f, 0.06f, 0.5f}, 0.025f, 1.5f);

    // On each side a dark sunken panel with the rune on it: a diamond crossed by a stave, ticks at
    // the stave's ends.
    for (int side = 0; side < 4; ++side) {
        const D3DXMATRIX at = Side(side);
        b.SetPlacement(at);
        b.UseMaterial(panel);
        AddBevelBox(b, {0, 0.5f, 0.458f}, {0.27f, 0.28f, 0.006f}, 0.004f);
        b.UseMaterial(rune);
        const float z = 0.468f;
        AddStroke(b, at, 0, 0.72f, 0.15f, 0.5f, z);
        AddStroke(b, at, 0.15f, 0.5f, 0, 0.28f, z);
        AddStroke(b, at, 0, 0.28f, -0.15f, 0.5f, z);
        AddStroke(b, at, -0.15f, 0.5f, 0, 0.72f, z);
        AddStroke(b, at, 0, 0.28f, 0, 0.72f, z);
        AddStroke(b, at, 0, 0.72f, (side % 2 ? 0.1f : -0.1f), 0.76f, z);
        AddStroke(b, at, 0, 0.28f, (side % 2 ? -0.1f : 0.1f), 0.24f, z);
    }
    // A ring of the same glow set into the top.
    b.SetPlacement(Identity());
    AddTube(b, 0.985f, 1.0f, 0.22f, 0.28f, 32);
    b.AddCylinder({0, 0.985f, 0}, 0.015f, {0.07f, 0.07f}, {0.06f, 0.06f}, 4);
    return SingleModel("StoneBox", b);
}

}  // namespace

bool WriteBoxes(const std::string& root) {
    const std::string folder = root + "/data/xfile/Object/";
    return WriteX(folder + "WoodBox.x", WoodBox()) && WriteWoodTexture(folder + "wood_planks.png", 128, 5) &&
           WriteX(folder + "StoneBox.x", StoneBox()) && WriteRockTexture(folder + "stone_block.png", 128);
}

}  // namespace xmodels
