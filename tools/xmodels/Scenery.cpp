// Scenery for the stages: a wooden crate, an iron-banded barrel, a mossy boulder and the ice launcher's
// machine (Launcher.cpp). Each stands on its origin, about one unit across.
#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"

namespace xmodels {
namespace {

XModel Single(const std::string& name, const MeshBuilder& builder) {
    return {{{name, Identity(), {builder.Build()}, {}}}, 0, {}};
}

// Planks inside a heavier frame: twelve edge beams around a slightly smaller box.
XModel Crate() {
    MeshBuilder b("Crate");
    const uint32_t planks = b.AddMaterial(Colour(0.72f, 0.52f, 0.30f, 1, 6, 0.05f));
    const uint32_t frame = b.AddMaterial(Colour(0.45f, 0.30f, 0.16f, 1, 6, 0.05f));
    b.UseMaterial(planks);
    b.AddBox({0, 0.5f, 0}, {0.46f, 0.46f, 0.46f});
    b.UseMaterial(frame);
    const float e = 0.5f - 0.05f, t = 0.06f;
    for (float a : {-e, e})
        for (float c : {-e, e}) {
            b.AddBox({a, 0.5f, c}, {t, 0.5f, t});           // uprights
            b.AddBox({a, 0.5f + c, 0}, {t, t, 0.5f});       // beams along z
            b.AddBox({0, 0.5f + a, c}, {0.5f, t, t});       // beams along x
        }
    return Single("Crate", b);
}

XModel Barrel() {
    MeshBuilder b("Barrel");
    const uint32_t wood = b.AddMaterial(Colour(0.60f, 0.38f, 0.20f, 1, 10, 0.1f));
    const uint32_t iron = b.AddMaterial(Colour(0.30f, 0.32f, 0.36f, 1, 40, 0.6f));
    b.UseMaterial(wood);
    b.AddCylinder({0, 0, 0}, 0.5f, {0.36f, 0.36f}, {0.44f, 0.44f}, 20);
    b.AddCylinder({0, 0.5f, 0}, 0.5f, {0.44f, 0.44f}, {0.36f, 0.36f}, 20);
    b.UseMaterial(iron);
    for (float y : {0.12f, 0.46f, 0.84f}) b.AddCylinder({0, y, 0}, 0.06f, {0.43f, 0.43f}, {0.45f, 0.45f}, 20);
    return Single("Barrel", b);
}

XModel Boulder() {
    MeshBuilder b("Boulder");
    const uint32_t rock = b.AddMaterial(Colour(0.55f, 0.56f, 0.60f, 1, 4, 0.05f));
    const uint32_t moss = b.AddMaterial(Colour(0.36f, 0.55f, 0.30f, 1, 4, 0.02f));
    b.UseMaterial(rock);
    b.AddEllipsoid({0, 0.42f, 0}, {0.6f, 0.45f, 0.5f}, 10, 16, 0.08f);
    b.UseMaterial(moss);
    b.AddEllipsoid({0.05f, 0.8f, 0.0f}, {0.35f, 0.1f, 0.3f}, 6, 12, 0.05f);
    return Single("Boulder", b);
}

}  // namespace

bool WriteScenery(const std::string& root) {
    const std::string folder = root + "/data/xfile/Object/";
    return WriteX(folder + "Crate.x", Crate()) && WriteX(folder + "Barrel.x", Barrel()) &&
           WriteX(folder + "Boulder.x", Boulder()) && WriteX(folder + "Launcher.x", BuildLauncher());
}

}  // namespace xmodels
