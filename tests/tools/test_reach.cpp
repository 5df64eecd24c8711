// The reach check over the built places: each is sound, while a stair of crates by a wall, a door
// moved out of its doorway and an unreadable placement are each found.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/Pattern.h"
#include "tests/support/TestCourtyard.h"
#include "tools/reach/ReachCheck.h"

namespace {

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ReachCheck, EveryPlaceIsSoundAndStairsOpenDoorsAndMissingFilesAreFound) {
    ScratchContent content("reach");
    const std::string root = content.root.string();
    for (const reach::PlaceRules& rules : reach::Places()) {
        const reach::PlaceReport report = reach::CheckPlace(root, rules);
        EXPECT_TRUE(report.loaded) << rules.name;
        EXPECT_GT(report.spots, 2000) << rules.name;
        EXPECT_TRUE(report.findings.empty()) << reach::Describe(report, 10);
    }
    const std::string crate = "Name(CSimpleObject)\tPos(%)\tAngle(0,0,0)\tMesh(data/xfile/Object/Crate.x)\n";
    const auto stair = [&](std::string text) {
        for (const char* at : {"-5.4,0,9", "-5.4,0,10", "-5.4,1,10", "-5.4,0,11", "-5.4,1,11", "-5.4,2,11"})
            text += Pattern("%").Replace(crate, at);
        return text;
    };
    struct Case {
        const char* place;
        std::string text;
        const char* found;
    } cases[] = {
        {"stage1", stair(Read(content.root / "Data/txt/Mapdata1.txt")), "outside the rooms"},
        {"hub", Pattern(R"(Pos\(-6,0,12\.25\))").Replace(Read(content.root / "Data/txt/MapDataTitle.txt"), "Pos(-6,0,20)"),
         "behind first stage's door"},
        {"stage2", "", ""},
    };
    for (const Case& c : cases) {
        const reach::PlaceRules& rules = *reach::FindPlace(c.place);
        content.Write(rules.placement) << c.text;
        const reach::PlaceReport report = reach::CheckPlace(root, rules);
        EXPECT_EQ(report.loaded, !c.text.empty()) << c.place;
        bool found = false;
        for (const reach::Finding& f : report.findings) found |= f.what == c.found;
        EXPECT_EQ(found, *c.found != 0) << reach::Describe(report, 10);
    }
}

}  // namespace
