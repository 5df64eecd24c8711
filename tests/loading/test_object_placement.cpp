// Placement files: the line rules (the "Name(" key, the class name with or without its closing
// parenthesis, tab-separated fields), the class table, and the objects appended in file order.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "loading/ObjectPlacement.h"
#include "objects/ObjectList.h"
#include "tests/support/GraphicsFixture.h"

namespace {

using Strings = std::vector<std::string>;

struct Parsed {
    bool ok = false;
    std::string className;
    Strings params;
};

Parsed Parse(const std::string& line) {
    Parsed p;
    p.ok = ParsePlacementLine(line, p.className, p.params);
    return p;
}

class PlacementFileTest : public ::testing::Test {
protected:
    void TearDown() override { ClearObjects(); }

    void Place(const std::string& text) {
        std::ofstream("place.txt", std::ios::binary) << text;
        ObjectPlacement("place.txt");
    }
    static std::vector<std::string> Classes() {
        std::vector<std::string> names;
        for (CharacterBase* object : GetObjectList()) names.push_back(object->ClassName());
        return names;
    }
    static D3DXVECTOR3 PositionOf(size_t i) { return GetObjectList().at(i)->Position(); }

    testsupport::TempDir dir{"placement"};
};

}  // namespace

TEST(PlacementLine, ClassNameAndParametersWithWhatFollowedTheParenthesisAsItemZero) {
    Parsed p = Parse("Name(Map)\tPos(1,2,3)\tMesh(data/a.x)");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.className, "Map");
    EXPECT_EQ(p.params, (Strings{"", "Pos(1,2,3)", "Mesh(data/a.x)"}));

    p = Parse("Name(CSimpleObject)tail\tPos(0,0,0)");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.className, "CSimpleObject");
    EXPECT_EQ(p.params, (Strings{"tail", "Pos(0,0,0)"}));

    // Only the first ")" closes the name; a second one stays in item 0.
    p = Parse("Name(Map))\tPos(1,1,1)");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.className, "Map");
    EXPECT_EQ(p.params[0], ")");
}

TEST(PlacementLine, WithoutTheClosingParenthesisTheWholeRemainderIsTheClassName) {
    Parsed p = Parse("Name(Map\tPos(1,2,3)");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.className, "Map");
    EXPECT_EQ(p.params, (Strings{"Map", "Pos(1,2,3)"}));

    // The remainder is taken whole, so anything after the name makes it another name.
    p = Parse("Name(Map extra\tPos(1,2,3)");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.className, "Map extra");
    EXPECT_EQ(CreateObject(p.className), nullptr);
}

TEST(PlacementLine, TheKeyMustBeExactlyNameAtTheStartOfTheLine) {
    for (const char* line : {" Name(Map)\tPos(1,2,3)", "\xC2\xA0Name(Map)", "name(Map)", "NAME(Map)", "Names(Map)",
                             "Name (Map)", "Name", "Map\tPos(1,2,3)", "Pos(1,2,3)\tName(Map)"}) {
        EXPECT_FALSE(Parse(line).ok) << line;
    }
    // A tab in front is no part of the field: the empty field before it is dropped.
    EXPECT_TRUE(Parse("\tName(Map)\tPos(1,2,3)").ok);
}

TEST(PlacementLine, EmptyFieldsFromDoubledTabsAreDroppedAndEmptyLinesNameNothing) {
    Parsed p = Parse("Name(Map)\t\tPos(1,2,3)\t\t\tAngle(0,90,0)\t");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.params, (Strings{"", "Pos(1,2,3)", "Angle(0,90,0)"}));
    // Nothing is trimmed: spaces stay part of a field.
    p = Parse("Name(Map)\t Pos(1,2,3)");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.params[1], " Pos(1,2,3)");
    for (const char* line : {"", "\t", "\t\t\t"}) EXPECT_FALSE(Parse(line).ok) << "[" << line << "]";
}

TEST(PlacementLine, ClassTableMatchesWholeNamesExactly) {
    CharacterBase* map = CreateObject("Map");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->kind, KIND_MAP);
    EXPECT_STREQ(map->ClassName(), "Map");
    delete map;
    CharacterBase* simple = CreateObject("CSimpleObject");
    ASSERT_NE(simple, nullptr);
    EXPECT_EQ(simple->kind, KIND_BOX);
    EXPECT_STREQ(simple->ClassName(), "CSimpleObject");
    delete simple;
    for (const char* name : {"", "map", "MAP", "Map ", " Map", "Ma", "Maps", "CSimpleObjects", "csimpleobject",
                             "Nothing"}) {
        EXPECT_EQ(CreateObject(name), nullptr) << "[" << name << "]";
    }
}

TEST_F(PlacementFileTest, ObjectsAreAppendedInFileOrderWithTheirParameters) {
    Place("Name(Map)\tPos(1,2,3)\n"
          "Name(CSimpleObject)\tPos(-4,0,2.5)\n"
          "Name(Map)\tPos(7,8,9)\n");
    EXPECT_EQ(Classes(), (Strings{"Map", "CSimpleObject", "Map"}));
    EXPECT_EQ(PositionOf(0), D3DXVECTOR3(1, 2, 3));
    EXPECT_EQ(PositionOf(1), D3DXVECTOR3(-4, 0, 2.5f));
    EXPECT_EQ(PositionOf(2), D3DXVECTOR3(7, 8, 9));
    EXPECT_EQ(GetObjectList()[1]->kind, KIND_BOX);
    // The world matrix is built by Init, before the object joins the list.
    EXPECT_EQ(GetObjectList()[2]->world->_42, 8.0f);
}

TEST_F(PlacementFileTest, SkippedLinesLeaveTheOthersInPlace) {
    Place("Name(Map)\tPos(1,0,0)\n"
          "\n"
          "Name(Nothing)\tPos(2,0,0)\n"
          "  Name(Map)\tPos(3,0,0)\n"
          "# Name(Map)\tPos(4,0,0)\n"
          "Name(map)\tPos(5,0,0)\n"
          "Name(CSimpleObject\tPos(6,0,0)\n"
          "Name(CSimpleObject \tPos(7,0,0)\n"
          "Name(Map)\t\tPos(8,0,0)\t\tShadow(0)\r\n");
    EXPECT_EQ(Classes(), (Strings{"Map", "CSimpleObject", "Map"}));
    EXPECT_EQ(PositionOf(0).x, 1.0f);
    EXPECT_EQ(PositionOf(1).x, 6.0f);
    EXPECT_EQ(PositionOf(2).x, 8.0f);
}

TEST_F(PlacementFileTest, InitSkipsItemZeroEvenWhenItLooksLikeAParameter) {
    // What follows "Name(Map)" is item 0; it is handed to Init but is never read as a parameter.
    Place("Name(Map)Pos(5,5,5)\tPos(1,2,3)\n"
          "Name(Map)Pos(5,5,5)\n"
          "Name(CSimpleObject\tPos(9,9,9)\n");
    ASSERT_EQ(GetObjectList().size(), 3u);
    EXPECT_EQ(PositionOf(0), D3DXVECTOR3(1, 2, 3));
    EXPECT_EQ(PositionOf(1), D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(PositionOf(2), D3DXVECTOR3(9, 9, 9));
}

TEST_F(PlacementFileTest, PlacementAppendsToWhatIsAlreadyInTheList) {
    Place("Name(Map)\tPos(1,0,0)\n");
    Place("Name(CSimpleObject)\tPos(2,0,0)\n");
    EXPECT_EQ(Classes(), (Strings{"Map", "CSimpleObject"}));
}

TEST_F(PlacementFileTest, MissingEmptyOrUnnamedFilesPlaceNothing) {
    ObjectPlacement("does/not/exist.txt");
    ObjectPlacement("");
    EXPECT_TRUE(GetObjectList().empty());
    Place("");
    EXPECT_TRUE(GetObjectList().empty());
    Place("\n\n\t\n");
    EXPECT_TRUE(GetObjectList().empty());
}

TEST_F(PlacementFileTest, FileNamesAreFoundWhateverTheirCaseAndSlashes) {
    std::filesystem::create_directories("Data/txt");
    std::ofstream("Data/txt/Mapdata1.txt", std::ios::binary) << "Name(Map)\tPos(0,1,0)\n";
    ObjectPlacement("data\\TXT\\mapdata1.txt");
    ASSERT_EQ(GetObjectList().size(), 1u);
    EXPECT_EQ(PositionOf(0).y, 1.0f);
}
