#pragma once
// One animation set of a skinned model with its playback settings. The first five fields are a track
// description, handed to the controller as one.
#include "platform/d3dx/AnimationController.h"

struct AnimationEntry {
    D3DXPRIORITY_TYPE priority = D3DXPRIORITY_LOW;
    float weight = 0.0f;  // also the blend time elapsed since this entry became current
    float speed = 0.0125f;
    double position = 0.0;  // where this animation's playback stands, in seconds
    BOOL enable = FALSE;
    ID3DXAnimationSet* set = nullptr;
    float blendTime = 0.6f;  // length of the cross-fade into this entry

    D3DXTRACK_DESC TrackDesc() const { return {priority, weight, speed, position, enable}; }
};
