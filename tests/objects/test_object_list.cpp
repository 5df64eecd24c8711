// The object list: the update pass that picks up objects appended while it runs, removal of dead
// objects in one sweep with the order of the living kept, gathering by kind, and clearing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "objects/ObjectList.h"

namespace {

// What happened to the test objects, in order: "update:NAME", "draw2d:NAME", "delete:NAME".
std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class Probe : public CharacterBase {
public:
    explicit Probe(std::string name, int kindCode = KIND_BOX) : name(std::move(name)) { kind = kindCode; }
    ~Probe() override { Log().push_back("delete:" + name); }
    const char* ClassName() const override { return "Probe"; }
    void Update() override {
        Log().push_back("update:" + name);
        ++updates;
        if (onUpdate) onUpdate(*this);
    }
    void Draw2D() override {
        Log().push_back("draw2d:" + name);
        if (onDraw2D) onDraw2D(*this);
    }

    std::string name;
    int updates = 0;
    std::function<void(Probe&)> onUpdate;
    std::function<void(Probe&)> onDraw2D;
};

class ObjectListTest : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
    void TearDown() override { ClearObjects(); }

    static Probe* Add(const std::string& name, int kindCode = KIND_BOX) {
        auto* probe = new Probe(name, kindCode);
        AddObject(probe);
        return probe;
    }
    static std::vector<std::string> Names(const std::vector<CharacterBase*>& objects) {
        std::vector<std::string> names;
        for (CharacterBase* object : objects) names.push_back(static_cast<Probe*>(object)->name);
        return names;
    }
};

}  // namespace

TEST_F(ObjectListTest, ObjectsAppendedDuringTheUpdatePassAreUpdatedInTheSamePass) {
    // The launcher lays a patch when it is updated; the patch lays one of its own the first time.
    Probe* launcher = Add("launcher");
    Add("after");
    launcher->onUpdate = [](Probe& self) {
        if (self.updates > 1) return;
        Probe* patch = new Probe("patch", KIND_COLD);
        patch->onUpdate = [](Probe& p) {
            if (p.updates == 1) AddObject(new Probe("patch2", KIND_COLD));
        };
        AddObject(patch);
    };
    UpdateObjects();
    EXPECT_EQ(Log(), (std::vector<std::string>{"update:launcher", "update:after", "update:patch", "update:patch2"}));
    EXPECT_EQ(Names(GetObjectList()), (std::vector<std::string>{"launcher", "after", "patch", "patch2"}));

    // The next pass updates each of them once more, and nothing new appears.
    Log().clear();
    UpdateObjects();
    EXPECT_EQ(Log(), (std::vector<std::string>{"update:launcher", "update:after", "update:patch", "update:patch2"}));
}

TEST_F(ObjectListTest, ManyAppendsDuringOnePassMoveTheStorageSafely) {
    // Enough appends to make the list grow its storage several times while an update is running.
    Probe* gun = Add("gun");
    gun->onUpdate = [](Probe& self) {
        if (self.updates > 1) return;
        for (int i = 0; i < 200; ++i) AddObject(new Probe("shot" + std::to_string(i), KIND_COLD));
        // The object that is being updated is still itself after the list moved.
        self.state = 42;
    };
    UpdateObjects();
    ASSERT_EQ(GetObjectList().size(), 201u);
    EXPECT_EQ(gun->state, 42);
    for (size_t i = 1; i < GetObjectList().size(); ++i) EXPECT_EQ(static_cast<Probe*>(GetObjectList()[i])->updates, 1);
}

TEST_F(ObjectListTest, Draw2DPassAlsoReachesObjectsAppendedDuringIt) {
    Probe* first = Add("first");
    first->onDraw2D = [](Probe& self) {
        if (self.name == "first" && self.state++ == 0) AddObject(new Probe("late"));
    };
    DrawObjects2D();
    EXPECT_EQ(Log(), (std::vector<std::string>{"draw2d:first", "draw2d:late"}));
}

TEST_F(ObjectListTest, AdjacentDeadObjectsAreAllRemovedInOneSweepAndTheRestKeepTheirOrder) {
    Add("a");
    Add("b")->dead = 1;
    Add("c")->dead = 1;
    Add("d");
    Add("e")->dead = 1;
    Add("f")->dead = 1;
    RemoveDeadObjects();
    EXPECT_EQ(Names(GetObjectList()), (std::vector<std::string>{"a", "d"}));
    // Each dead object was deleted exactly once; the living were not touched.
    EXPECT_EQ(Log(), (std::vector<std::string>{"delete:b", "delete:c", "delete:e", "delete:f"}));
}

TEST_F(ObjectListTest, OnlyTheFlagValueOneRemovesAndAnEmptyOrAllDeadListIsHandled) {
    RemoveDeadObjects();  // nothing to do on an empty list
    EXPECT_TRUE(GetObjectList().empty());
    Add("two")->dead = 2;
    Add("minus")->dead = -1;
    RemoveDeadObjects();
    EXPECT_EQ(Names(GetObjectList()), (std::vector<std::string>{"two", "minus"}));
    for (CharacterBase* object : GetObjectList()) object->dead = 1;
    RemoveDeadObjects();
    EXPECT_TRUE(GetObjectList().empty());
    EXPECT_EQ(Log(), (std::vector<std::string>{"delete:two", "delete:minus"}));
}

TEST_F(ObjectListTest, ObjectThatDiesDuringItsUpdateIsGoneAfterThePass) {
    Add("keeper");
    Probe* doomed = Add("doomed");
    doomed->onUpdate = [](Probe& self) { self.dead = 1; };
    Add("tail");
    UpdateObjects();
    RemoveDeadObjects();
    EXPECT_EQ(Names(GetObjectList()), (std::vector<std::string>{"keeper", "tail"}));
    // The next frame's passes no longer reach it.
    Log().clear();
    UpdateObjects();
    DrawObjects2D();
    EXPECT_EQ(Log(), (std::vector<std::string>{"update:keeper", "update:tail", "draw2d:keeper", "draw2d:tail"}));
}

TEST_F(ObjectListTest, CollectByKindOrdersByTheKindsAskedThenByListOrderAndNeverClears) {
    Add("box1", KIND_BOX);
    Add("map1", KIND_MAP);
    Add("switch1", KIND_SWITCH);
    Add("box2", KIND_BOX);
    Add("map2", KIND_MAP);
    Probe outside("outside");
    std::vector<CharacterBase*> found{&outside};
    CollectByKind(found, KIND_MAP);
    CollectByKind(found, KIND_BOX);
    CollectByKind(found, KIND_SWITCH);
    EXPECT_EQ(Names(found), (std::vector<std::string>{"outside", "map1", "map2", "box1", "box2", "switch1"}));

    // A kind nobody has leaves the list as it was.
    CollectByKind(found, KIND_DOOR);
    EXPECT_EQ(found.size(), 6u);
    // Asking twice gathers twice: the caller owns the list.
    CollectByKind(found, KIND_SWITCH);
    EXPECT_EQ(Names(found).back(), "switch1");
    EXPECT_EQ(found.size(), 7u);

    EXPECT_EQ(FirstOfKind(KIND_BOX), GetObjectList()[0]);
    EXPECT_EQ(FirstOfKind(KIND_MAP), GetObjectList()[1]);
    EXPECT_EQ(FirstOfKind(KIND_PLAYER), nullptr);
}

TEST_F(ObjectListTest, ClearObjectsDeletesEveryObjectInOrderAndTheListStartsOver) {
    Add("a");
    Add("b");
    Add("c");
    ClearObjects();
    EXPECT_TRUE(GetObjectList().empty());
    EXPECT_EQ(Log(), (std::vector<std::string>{"delete:a", "delete:b", "delete:c"}));
    ClearObjects();  // a second clear finds nothing to delete
    EXPECT_EQ(Log().size(), 3u);
    Add("new");
    EXPECT_EQ(Names(GetObjectList()), (std::vector<std::string>{"new"}));
}
