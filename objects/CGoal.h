#pragma once
// The exit of a stage (kind 2). The player's touch starts the fade to black, and the stage's own exit
// (kind 0) saves the progress at once; while the screen darkens the player is turned to walk on and
// the camera swings after it; once black, the goal asks for the next scene and stage by its exit kind
// (its state). Drawn unlit, without outline or shadow. Without a mesh, the player's standing in
// its opening is the touch.
#include "objects/CharacterBase.h"

enum GoalExit {
    GOAL_TO_TITLE = 0,       // a stage finished: progress saved, back to the title
    GOAL_FIRST_STAGE = 1,    // from the title into the first stage
    GOAL_CONTINUE = 2,       // from the title to the closing picture (stage choice 1)
    GOAL_CLOSING = 3,        // from the title to the closing picture (stage choice 2)
    GOAL_SECOND_STAGE = 4,   // from the title into the second stage
};

class CGoal : public CharacterBase {
public:
    CGoal() { kind = KIND_GOAL; }
    const char* ClassName() const override { return "CGoal"; }
    CharacterBase* Clone() const override { return new CGoal(*this); }

    void Init(std::vector<std::string> params) override;
    void ReadClassParam(const std::string& key, const std::string& value) override;
    void Update() override;
    void OnHit(CharacterBase* other) override;
    void DumpFields(ObjectFields& out) const override;

    int reached = 0;

private:
    // The scene request and stage choice once the screen is black.
    void Leave();
    void SaveWin();
    void TurnPlayerAndCamera();
    void TouchInOpening();
};

// True while some goal of the stage has been touched and its fade runs: the stage is won then.
bool AnyGoalReached();
