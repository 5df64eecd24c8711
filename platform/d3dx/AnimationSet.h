#pragma once
// One animation set in the shape of ID3DXAnimationSet: a named set of keyed tracks, one per animated
// frame, sampled at a position in seconds. Positions past the period wrap round, so a set loops.
#include <string>
#include <vector>

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/Unknown.h"

struct VectorKey {
    double time;  // seconds
    D3DXVECTOR3 value;
};
struct RotationKey {
    double time;  // seconds
    D3DXQUATERNION value;  // in the convention of D3DXMatrixRotationQuaternion
};

// The keys of one frame. Every list holds at least one key.
struct AnimationChannel {
    std::string frameName;
    std::vector<VectorKey> scale;
    std::vector<RotationKey> rotation;
    std::vector<VectorKey> translation;
};

class ID3DXAnimationSet : public Unknown {
public:
    ID3DXAnimationSet(std::string name, double period, std::vector<AnimationChannel> channels);

    const char* GetName() const { return name.c_str(); }
    double GetPeriod() const { return period; }
    // The position within one period: positions loop.
    double GetPeriodicPosition(double position) const;
    UINT GetNumAnimations() const { return static_cast<UINT>(channels.size()); }
    HRESULT GetAnimationNameByIndex(UINT index, const char** name) const;
    HRESULT GetAnimationIndexByName(const char* name, UINT* index) const;
    // Scale and translation interpolate linearly between keys, rotation spherically; before the first
    // key and after the last the end key holds.
    HRESULT GetSRT(double periodicPosition, UINT animation, D3DXVECTOR3* scale, D3DXQUATERNION* rotation,
                   D3DXVECTOR3* translation) const;

private:
    std::string name;
    double period;
    std::vector<AnimationChannel> channels;
};
