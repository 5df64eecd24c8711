#pragma once
// Scene ids stored in the application's nextScene; 0 means no change is pending.
enum SceneId {
    SCENE_NONE = 0,
    SCENE_TITLE = 1,
    SCENE_GAME = 2,
    SCENE_CONTINUE = 3,
};
