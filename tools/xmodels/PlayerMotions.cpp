// The player's animation sets, one per action state: keyed poses that loop.
#include "tools/xmodels/Skeleton.h"

namespace xmodels {
namespace {

using Angles = std::initializer_list<std::pair<const char*, D3DXVECTOR3>>;

Pose P(Angles angles, D3DXVECTOR3 hip = {0, 0, 0}) {
    Pose pose;
    for (const auto& [bone, a] : angles) pose.angles[bone] = a;
    pose.hipShift = hip;
    return pose;
}

// Left and right swapped: the same pose seen in a mirror across the x = 0 plane.
Pose Mirror(const Pose& in) {
    Pose out;
    for (const auto& [bone, a] : in.angles) {
        std::string name = bone;
        if (name.rfind("L_", 0) == 0) name[0] = 'R';
        else if (name.rfind("R_", 0) == 0) name[0] = 'L';
        out.angles[name] = D3DXVECTOR3(a.x, -a.y, -a.z);
    }
    out.hipShift = D3DXVECTOR3(-in.hipShift.x, in.hipShift.y, in.hipShift.z);
    return out;
}

// Adds the angles of `extra` on top of `base` (for arms laid over leg cycles).
Pose With(Pose base, const Pose& extra) {
    for (const auto& [bone, a] : extra.angles) base.angles[bone] = a;
    return base;
}

// A two-step cycle from the pose of one contact and one passing pose: the other half is mirrored.
Motion Cycle(const char* name, float period, const Pose& contact, const Pose& passing, const Pose* overlay) {
    const Pose c = overlay ? With(contact, *overlay) : contact;
    const Pose p = overlay ? With(passing, *overlay) : passing;
    Pose mc = Mirror(contact), mp = Mirror(passing);
    if (overlay) mc = With(mc, *overlay), mp = With(mp, *overlay);
    return {name, {{0, c}, {period * 0.25f, p}, {period * 0.5f, mc}, {period * 0.75f, mp}, {period, c}}};
}

Motion Loop(const char* name, std::vector<KeyedPose> keys) {
    keys.push_back({keys.back().time * 2 - keys[keys.size() - 2].time, keys.front().pose});
    return {name, keys};
}

const Pose kRest = P({{"L_UpperArm", {0, 0, 8}}, {"R_UpperArm", {0, 0, -8}}, {"L_LowerArm", {8, 0, 0}},
                      {"R_LowerArm", {8, 0, 0}}});
const Pose kBreathe = P({{"L_UpperArm", {0, 0, 10}}, {"R_UpperArm", {0, 0, -10}}, {"L_LowerArm", {10, 0, 0}},
                         {"R_LowerArm", {10, 0, 0}}, {"Chest", {-2, 0, 0}}, {"Head", {2, 4, 0}}},
                        {0, -0.6f, 0});
// Gun raised in the right hand, pointing ahead, steadied by the left.
const Pose kAimArms = P({{"R_UpperArm", {82, 0, 10}}, {"R_LowerArm", {5, 0, 0}}, {"R_Hand", {-87, 0, 0}},
                         {"L_UpperArm", {68, 0, -32}}, {"L_LowerArm", {38, 0, 0}}, {"L_Hand", {-25, 0, 0}},
                         {"Spine", {-3, 0, 0}}, {"Head", {-3, 0, 0}}});

Motion Walk() {
    const Pose contact = P({{"L_Thigh", {28, 0, 0}}, {"L_Shin", {-8, 0, 0}}, {"L_Foot", {10, 0, 0}},
                            {"R_Thigh", {-22, 0, 0}}, {"R_Shin", {-14, 0, 0}}, {"R_Foot", {-10, 0, 0}},
                            {"L_UpperArm", {-22, 0, 8}}, {"R_UpperArm", {24, 0, -8}}, {"L_LowerArm", {10, 0, 0}},
                            {"R_LowerArm", {25, 0, 0}}, {"Spine", {-5, 0, 0}}, {"Chest", {0, 6, 0}}},
                           {0, -2, 0});
    const Pose passing = P({{"L_Thigh", {0, 0, 0}}, {"L_Shin", {-5, 0, 0}}, {"R_Thigh", {8, 0, 0}},
                            {"R_Shin", {-50, 0, 0}}, {"R_Foot", {-5, 0, 0}}, {"L_UpperArm", {0, 0, 8}},
                            {"R_UpperArm", {0, 0, -8}}, {"L_LowerArm", {10, 0, 0}}, {"R_LowerArm", {12, 0, 0}},
                            {"Spine", {-5, 0, 0}}},
                           {0, 1.5f, 0});
    return Cycle("Walk", 1.0f, contact, passing, nullptr);
}

Motion AimWalk(const char* name, bool backwards) {
    const Pose contact = P({{"L_Thigh", {22, 0, 0}}, {"L_Shin", {-8, 0, 0}}, {"L_Foot", {8, 0, 0}},
                            {"R_Thigh", {-18, 0, 0}}, {"R_Shin", {-12, 0, 0}}, {"R_Foot", {-8, 0, 0}}},
                           {0, -1.5f, 0});
    const Pose passing = P({{"R_Thigh", {8, 0, 0}}, {"R_Shin", {-42, 0, 0}}, {"L_Shin", {-5, 0, 0}}}, {0, 1, 0});
    Motion m = Cycle(name, 0.9f, contact, passing, &kAimArms);
    if (backwards) std::swap(m.keys[1].pose, m.keys[3].pose);  // the same steps in reverse order
    return m;
}

Motion AimStep(const char* name, bool left) {
    const Pose lead = P({{"R_Thigh", {4, 0, -18}}, {"R_Shin", {-25, 0, 0}}, {"L_Thigh", {0, 0, 3}}}, {0, 1, 0});
    const Pose wide = P({{"R_Thigh", {0, 0, -12}}, {"L_Thigh", {0, 0, 12}}, {"R_Foot", {0, 0, 6}},
                         {"L_Foot", {0, 0, -6}}},
                        {0, -2, 0});
    const Pose trail = P({{"R_Thigh", {0, 0, -3}}, {"L_Thigh", {4, 0, 14}}, {"L_Shin", {-25, 0, 0}}}, {0, 1, 0});
    std::vector<KeyedPose> keys = {{0, With(P({}), kAimArms)}, {0.2f, With(lead, kAimArms)},
                                   {0.4f, With(wide, kAimArms)}, {0.6f, With(trail, kAimArms)}};
    if (left)
        for (KeyedPose& k : keys) k.pose = With(Mirror(k.pose), kAimArms);  // the gun stays in the right hand
    return Loop(name, keys);
}

Motion Push() {
    const Pose lean = P({{"Spine", {-20, 0, 0}}, {"Chest", {-12, 0, 0}}, {"Head", {16, 0, 0}},
                         {"L_UpperArm", {80, 0, -8}}, {"R_UpperArm", {78, 0, 8}}, {"L_LowerArm", {15, 0, 0}},
                         {"R_LowerArm", {18, 0, 0}}, {"L_Hand", {-35, 0, 0}}, {"R_Hand", {-35, 0, 0}}});
    const Pose contact = With(P({{"L_Thigh", {35, 0, 0}}, {"L_Shin", {-30, 0, 0}}, {"R_Thigh", {-25, 0, 0}},
                                 {"R_Shin", {-10, 0, 0}}, {"R_Foot", {-15, 0, 0}}},
                                {0, -6, 0}),
                              lean);
    const Pose passing = With(P({{"L_Thigh", {15, 0, 0}}, {"L_Shin", {-20, 0, 0}}, {"R_Thigh", {20, 0, 0}},
                                 {"R_Shin", {-55, 0, 0}}},
                                {0, -4, 0}),
                              lean);
    Motion m = Cycle("Push", 1.2f, contact, passing, nullptr);
    for (KeyedPose& k : m.keys) k.pose = With(k.pose, lean);
    return m;
}

Motion Slide() {
    const Pose surf = P({{"Spine", {-12, 0, 0}}, {"Chest", {-5, 10, 0}}, {"Head", {6, -8, 0}},
                         {"L_UpperArm", {10, 0, 65}}, {"R_UpperArm", {10, 0, -65}}, {"L_LowerArm", {15, 0, 0}},
                         {"R_LowerArm", {15, 0, 0}}, {"L_Thigh", {35, 0, 8}}, {"L_Shin", {-45, 0, 0}},
                         {"L_Foot", {10, 0, 0}}, {"R_Thigh", {-5, 0, -8}}, {"R_Shin", {-30, 0, 0}},
                         {"R_Foot", {25, 0, 0}}},
                        {0, -9, 0});
    Pose sway = surf;
    sway.angles["Chest"] = {-5, 14, 0};
    sway.angles["L_UpperArm"] = {10, 0, 72};
    sway.angles["R_UpperArm"] = {10, 0, -60};
    sway.hipShift = {0, -10, 0};
    return Loop("Slide", {{0, surf}, {0.5f, sway}});
}

Motion Rise() {
    const Pose tuck = P({{"L_Thigh", {55, 0, 0}}, {"L_Shin", {-75, 0, 0}}, {"L_Foot", {10, 0, 0}},
                         {"R_Thigh", {8, 0, 0}}, {"R_Shin", {-35, 0, 0}}, {"R_Foot", {-20, 0, 0}},
                         {"L_UpperArm", {35, 0, 40}}, {"R_UpperArm", {-20, 0, -40}}, {"L_LowerArm", {30, 0, 0}},
                         {"R_LowerArm", {30, 0, 0}}, {"Spine", {-5, 0, 0}}, {"Head", {-5, 0, 0}}});
    Pose reach = tuck;
    reach.angles["L_UpperArm"] = {45, 0, 45};
    reach.angles["L_Thigh"] = {60, 0, 0};
    return Loop("Rise", {{0, tuck}, {0.4f, reach}});
}

Motion Fall() {
    const Pose flail = P({{"L_UpperArm", {20, 0, 110}}, {"R_UpperArm", {20, 0, -110}}, {"L_LowerArm", {20, 0, 0}},
                          {"R_LowerArm", {20, 0, 0}}, {"L_Thigh", {20, 0, 8}}, {"L_Shin", {-30, 0, 0}},
                          {"R_Thigh", {-10, 0, -8}}, {"R_Shin", {-15, 0, 0}}, {"Spine", {6, 0, 0}},
                          {"Head", {-10, 0, 0}}});
    return Loop("Fall", {{0, flail}, {0.3f, Mirror(flail)}});
}

Motion Interact() {
    const Pose reach = P({{"Spine", {-18, 0, 0}}, {"Chest", {-6, 0, 0}}, {"Head", {-12, 0, 0}},
                          {"R_UpperArm", {65, 0, 10}}, {"R_LowerArm", {15, 0, 0}}, {"R_Hand", {-15, 0, 0}},
                          {"L_UpperArm", {20, 0, 10}}, {"L_LowerArm", {30, 0, 0}}, {"L_Thigh", {10, 0, 0}},
                          {"L_Shin", {-15, 0, 0}}, {"R_Thigh", {-5, 0, 0}}},
                         {0, -3, 0});
    Pose further = reach;
    further.angles["R_UpperArm"] = {78, 0, 12};
    further.angles["R_LowerArm"] = {4, 0, 0};
    return Loop("Interact", {{0, reach}, {0.8f, further}});
}

Motion Still(const char* name, const Pose& pose) { return {name, {{0, pose}, {1.0f, pose}}}; }

}  // namespace

std::vector<Motion> PlayerMotions() {
    Pose aimStand = With(P({{"R_Thigh", {0, 0, -5}}, {"L_Thigh", {0, 0, 5}}}), kAimArms);
    Pose aimBreathe = aimStand;
    aimBreathe.angles["Chest"] = {-2, 0, 0};
    aimBreathe.hipShift = {0, -0.6f, 0};
    return {
        Still("StandPose", kRest),
        Walk(),
        Loop("Stand", {{0, kRest}, {1.0f, kBreathe}}),
        Slide(),
        Still("StandPose2", kRest),
        Push(),
        AimWalk("AimWalkForward", false),
        AimStep("AimStepRight", false),
        AimStep("AimStepLeft", true),
        AimWalk("AimWalkBack", true),
        Loop("AimStand", {{0, aimStand}, {1.0f, aimBreathe}}),
        Rise(),
        Interact(),
        Fall(),
    };
}

}  // namespace xmodels
