// Writes the generated .x models (and the images they name) into the content tree given.
#include <cstdio>

#include "tools/xmodels/Models.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: veldorin-xmodels CONTENT_ROOT\n");
        return 2;
    }
    const std::string root = argv[1];
    if (!xmodels::WritePlayer(root) || !xmodels::WriteIceModels(root) || !xmodels::WriteMapPiece(root) ||
        !xmodels::WriteScenery(root) || !xmodels::WriteBoxes(root) || !xmodels::WriteSwitchDoor(root) ||
        !xmodels::WriteChestItem(root) || !xmodels::WriteGoal(root) || !xmodels::WriteStatues(root) || !xmodels::WriteHub(root) ||
        !xmodels::WriteSky(root) || !xmodels::WriteStage2(root) ||
        !xmodels::WriteStage1(root)) {
        std::fprintf(stderr, "veldorin-xmodels: could not write the models under %s\n", root.c_str());
        return 1;
    }
    return 0;
}
