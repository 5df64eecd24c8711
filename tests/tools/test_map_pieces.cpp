// Every place's drawn map comes in pieces: together they hold exactly the whole map's faces, the built
// files are those pieces, the placement places each once with only the first line colliding (with the
// whole collision mesh), and looking along a room leaves some pieces out of the view.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "loading/TextData.h"
#include "tests/support/StageWorld.h"

namespace {

struct Plan {
    xmodels::XModel (*build)();
    xmodels::FloorPlanCuts (*cuts)();
    std::string stem, placement, collision;
    D3DXVECTOR3 eye, at;  // a look along a room
};

// Each face as its material and corners.
std::vector<std::vector<float>> Faces(const xmodels::XMesh& mesh, std::vector<std::vector<float>> out = {}) {
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const xmodels::XMaterial& m = mesh.materials[mesh.faceMaterials[f]];
        out.push_back({m.diffuse.r, m.diffuse.g, m.diffuse.b, m.power, static_cast<float>(m.texture.size())});
        for (uint32_t v : mesh.faces[f])
            for (float c : {mesh.positions[v].x, mesh.positions[v].y, mesh.positions[v].z, mesh.uvs[v].x}) out.back().push_back(c);
    }
    return out;
}

class MapPieces : public StageWorldTest {};

TEST_F(MapPieces, EachPlaceIsItsWholeMapInPiecesOfWhichOnlyTheFirstCollidesAndSomeLeaveTheView) {
    for (const Plan& place : {Plan{xmodels::BuildHub, xmodels::HubCuts, "Hub", "MapDataTitle", "HubCol", {0, 2, 8}, {0, 2, 0}},
                               Plan{xmodels::BuildStage1, xmodels::Stage1Cuts, "Stage1", "Mapdata1", "Stage1_Col", {0, 1, 3}, {0, 1, 12}},
                               Plan{xmodels::BuildStage2, xmodels::Stage2Cuts, "Stage2", "Mapdata2", "Stage2_Col", {0, 2, 33}, {0, 2, 25}}}) {
        SCOPED_TRACE(place.stem);
        const std::vector<xmodels::XModel> pieces = xmodels::CutMap(place.build(), place.cuts());
        ASSERT_EQ(pieces.size(), place.cuts().PieceCount());
        std::vector<std::vector<float>> whole = Faces(place.build().frames[0].meshes[0]), together;
        for (const xmodels::XModel& piece : pieces) together = Faces(piece.frames[0].meshes[0], together);
        std::sort(whole.begin(), whole.end());
        std::sort(together.begin(), together.end());
        EXPECT_TRUE(whole == together) << whole.size() << " faces whole, " << together.size() << " in pieces";

        ClearObjects();
        std::ifstream in("Data/txt/" + place.placement + ".txt");
        std::vector<Map*> maps;
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> items;
            Split(line, "\t", items);
            if (!items.empty() && items[0] == "Name(Map)" && line.find("/Sky.x") == std::string::npos) maps.push_back(Place<Map>({items.begin() + 1, items.end()}));
            if (maps.empty()) ADD_FAILURE() << "the map comes first: " << line;
        }
        ASSERT_EQ(maps.size(), pieces.size());
        D3DXMATRIX view, projection;
        const D3DXVECTOR3 up(0, 1, 0);
        D3DXMatrixLookAtLH(&view, &place.eye, &place.at, &up);
        D3DXMatrixPerspectiveFovLH(&projection, 1.0471976f, 4.0f / 3.0f, 0.1f, 1000.0f);
        int outOfView = 0;
        for (size_t k = 0; k < maps.size(); ++k) {
            const std::string file = "data/xfile/Map/" + place.stem + "_" + std::to_string(k) + ".x";
            EXPECT_EQ(maps[k]->mesh, MeshManager::GetInstance().GetMesh(nullptr, file));
            EXPECT_EQ(maps[k]->mesh->mesh->GetNumFaces(), pieces[k].frames[0].meshes[0].faces.size()) << file;
            EXPECT_EQ(maps[k]->GetColMesh(), k ? nullptr : MeshManager::GetInstance().GetMesh(nullptr, "data/xfile/Map/" + place.collision + ".x"));
            outOfView += BoxOutsideClip(maps[k]->mesh->box, *maps[k]->world * view * projection);
        }
        EXPECT_GE(outOfView, 1);
        EXPECT_LT(outOfView, static_cast<int>(maps.size()) - 1);
    }
}

}  // namespace
