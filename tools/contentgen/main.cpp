// The content generator: draws the game's binary assets into the content tree given as its argument.
// Every module writes its own files; the output depends on nothing but this code.
#include <cstdio>
#include <string>

#include "tools/contentgen/BreakPieces.h"
#include "tools/contentgen/Flame.h"
#include "tools/contentgen/IceEffects.h"
#include "tools/contentgen/LoadingBar.h"
#include "tools/contentgen/Marker.h"
#include "tools/contentgen/ScreenImages.h"
#include "tools/contentgen/TitleImages.h"

namespace {

struct Module {
    const char* name;
    bool (*write)(const std::string& root);
};

// New assets join as modules here.
const Module kModules[] = {
    {"loading bar", WriteLoadingBar},
    {"toon ramp", WriteToonRamp},
    {"fade images", WriteFadeImages},
    {"slide spray", WriteSlipEffect},
    {"question marker", WriteQuestionMarker},
    {"mist cloud", WriteCloud},
    {"wood splinters", WriteWoodSplinters},
    {"stone chunks", WriteStoneChunks},
    {"flame puff", WriteFlame},
    {"title images", WriteTitleImages},
    {"closing picture", WriteClosingImage},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: veldorin_contentgen CONTENT_DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    for (const Module& module : kModules) {
        if (!module.write(root)) {
            std::fprintf(stderr, "veldorin_contentgen: could not write the %s\n", module.name);
            return 1;
        }
    }
    return 0;
}
