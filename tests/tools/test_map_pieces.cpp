// Each place's map pieces: the whole map's faces, as built, only the first colliding, some out of a look along a room.
#include <gtest/gtest.h>

#include <algorithm>

#include "loading/ObjectPlacement.h"
#include "tests/support/StageWorld.h"

namespace {

struct Plan { xmodels::XModel (*build)(); xmodels::FloorPlanCuts (*cuts)(); std::string stem, placement; D3DXVECTOR3 eye, at; };  // a look along a room

// Every face of the models as its material and corners, sorted.
std::vector<std::vector<float>> SortedFaces(const std::vector<xmodels::XModel>& models, std::vector<std::vector<float>> out = {}) {
    for (const xmodels::XModel& model : models)
        for (const xmodels::XMesh& m : model.frames[0].meshes)
            for (size_t f = 0; f < m.faces.size(); ++f) {
                const xmodels::XMaterial& t = m.materials[m.faceMaterials[f]];
                out.push_back({t.diffuse.r, t.diffuse.g, t.diffuse.b, t.power, static_cast<float>(t.texture.size())});
                for (uint32_t v : m.faces[f]) out.back().insert(out.back().end(), {m.positions[v].x, m.positions[v].y, m.positions[v].z, m.uvs[v].x});
            }
    std::sort(out.begin(), out.end());
    return out;
}
class MapPieces : public StageWorldTest {};

TEST_F(MapPieces, EachPlaceIsItsWholeMapInPiecesOfWhichOnlyTheFirstCollidesAndSomeLeaveTheView) {
    const Plan plans[] = {{xmodels::BuildHub, xmodels::HubCuts, "Hub", "MapDataTitle", {0, 2, 8}, {0, 2, 0}},
                          {xmodels::BuildStage1, xmodels::Stage1Cuts, "Stage1", "Mapdata1", {0, 1, 3}, {0, 1, 12}},
                          {xmodels::BuildStage2, xmodels::Stage2Cuts, "Stage2", "Mapdata2", {0, 2, 33}, {0, 2, 25}}};
    D3DXMATRIX view, projection;
    D3DXMatrixPerspectiveFovLH(&projection, 1.0471976f, 4.0f / 3.0f, 0.1f, 1000.0f);
    for (const Plan& place : plans) {
        SCOPED_TRACE(place.stem);
        const std::vector<xmodels::XModel> pieces = xmodels::CutMap(place.build(), place.cuts());
        EXPECT_TRUE(SortedFaces({place.build()}) == SortedFaces(pieces)) << "the pieces hold the whole map's faces";
        ClearObjects();
        ObjectPlacement("Data/txt/" + place.placement + ".txt");
        std::vector<CharacterBase*> maps;
        CollectByKind(maps, KIND_MAP);
        std::erase_if(maps, [](CharacterBase* m) { return m->mesh == MeshManager::GetInstance().GetMesh(nullptr, "data/xfile/Map/Sky.x"); });
        ASSERT_EQ(maps.size(), pieces.size());
        const D3DXVECTOR3 up(0, 1, 0);
        D3DXMatrixLookAtLH(&view, &place.eye, &place.at, &up);
        int outOfView = 0;
        for (size_t k = 0; k < maps.size(); ++k) {
            const std::string file = "data/xfile/Map/" + place.stem + "_" + std::to_string(k) + ".x";
            EXPECT_TRUE(maps[k]->mesh == MeshManager::GetInstance().GetMesh(nullptr, file) &&
                        maps[k]->mesh->mesh->GetNumFaces() == pieces[k].frames[0].meshes[0].faces.size()) << file;
            EXPECT_TRUE(k ? maps[k]->GetColMesh() == nullptr : maps[k]->GetColMesh() == maps[k]->colMesh && maps[k]->colMesh->mesh) << file;
            outOfView += BoxOutsideClip(maps[k]->mesh->box, *maps[k]->world * view * projection);
        }
        EXPECT_TRUE(outOfView >= 1 && outOfView < static_cast<int>(maps.size()) - 1) << outOfView << " pieces out of view";
    }
}

}  // namespace
