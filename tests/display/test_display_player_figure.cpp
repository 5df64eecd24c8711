// The player model through the runner: a content root of the test's own places the player's bind pose
// (the generated model under a root frame that scales it to stage size) as scenery on the test stage
// and renders it lit by light 0 through the toon path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestCourtyard.h"
#include "tools/xmodels/Models.h"

namespace {

namespace fs = std::filesystem;

TEST(DisplayPlayerFigure, ThePlayerModelStandsOnTheStageLitAndOutlined) {
    ScratchContent content("figure");
    const fs::path& root = content.root;

    // The model is 170 units tall and faces -z, toward the camera behind the origin; the figure is it
    // at stage size.
    xmodels::XModel player = xmodels::BuildPlayer();
    D3DXMATRIX scale;
    D3DXMatrixScaling(&scale, 0.01f, 0.01f, 0.01f);
    xmodels::XModel figure{{{"Figure", scale, {}, player.frames}}, 0, {}};
    ASSERT_TRUE(xmodels::WriteX((root / "data/xfile/Debug/Figure.x").string(), figure));
    content.Write("Data/txt/Mapdata1.txt")
        << "Name(Map)\tPos(0,0,0)\tMesh(data/xfile/Map/TestRoom.x)\n"
        << "Name(CSimpleObject)\tPos(0,0,1.2)\tMesh(data/xfile/Debug/Figure.x)\n";

    const std::string shot = (root / "figure.png").string();
    const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --root " + root.string() +
                                         " --render --scene 2 --stage 0 --frames 3 --screenshot 3:" + shot);
    ASSERT_EQ(run.status, 0) << run.err;
    Screenshot picture;
    ASSERT_TRUE(picture.Load(shot));
    // The camera stands behind the origin looking along +z: the figure fills the middle column of the
    // picture from its feet on the floor up past the horizon. Its colours are not the floor's grey-blue
    // and it carries outlines.
    int coloured = 0, outline = 0;
    for (int y = 150; y < 450; ++y) {
        for (int x = 360; x < 440; ++x) {
            const uint8_t* p = picture.At(x, y);
            const int r = p[0], g = p[1], b = p[2];
            if (r < 40 && g < 40 && b < 40) ++outline;
            else if (std::abs(r - g) > 30 || std::abs(g - b) > 30 || b < r) ++coloured;
        }
    }
    EXPECT_GT(coloured, 2000) << "look at " << shot;
    EXPECT_GT(outline, 50) << "look at " << shot;
    content.keep = HasFailure() || std::getenv("VELDORIN_KEEP_PICTURES");
}

}  // namespace
