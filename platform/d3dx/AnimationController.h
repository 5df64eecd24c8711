#pragma once
// The animation mixer in the shape of ID3DXAnimationController: a few tracks, each playing one animation
// set at its own speed, weight and position; AdvanceTime moves every enabled track on and writes the
// weighted blend of their poses into the registered frame matrices.
#include <string>
#include <utility>
#include <vector>

#include "platform/d3dx/AnimationSet.h"

enum D3DXPRIORITY_TYPE : uint32_t { D3DXPRIORITY_LOW = 0, D3DXPRIORITY_HIGH = 1 };

struct D3DXTRACK_DESC {
    D3DXPRIORITY_TYPE Priority;
    float Weight;
    float Speed;
    double Position;  // the track's local time in seconds
    BOOL Enable;
};

class ID3DXAnimationController : public Unknown {
public:
    // Takes a reference to each set; sets are handed out by index in the order given.
    ID3DXAnimationController(UINT maxTracks, std::vector<ID3DXAnimationSet*> sets);
    ~ID3DXAnimationController() override;

    // --- outputs ---
    HRESULT RegisterAnimationOutput(const char* name, D3DXMATRIX* matrix);

    // --- sets ---
    UINT GetNumAnimationSets() const { return static_cast<UINT>(sets.size()); }
    // Hands out a reference the caller releases.
    HRESULT GetAnimationSet(UINT index, ID3DXAnimationSet** set);

    // --- tracks ---
    UINT GetMaxNumTracks() const { return static_cast<UINT>(tracks.size()); }
    HRESULT SetTrackAnimationSet(UINT track, ID3DXAnimationSet* set);
    HRESULT GetTrackAnimationSet(UINT track, ID3DXAnimationSet** set);
    HRESULT SetTrackDesc(UINT track, const D3DXTRACK_DESC* desc);
    HRESULT GetTrackDesc(UINT track, D3DXTRACK_DESC* desc) const;
    HRESULT SetTrackEnable(UINT track, BOOL enable);
    HRESULT SetTrackWeight(UINT track, float weight);
    HRESULT SetTrackSpeed(UINT track, float speed);
    HRESULT SetTrackPosition(UINT track, double position);

    // --- time ---
    double GetTime() const { return time; }

    // Where every track stands, to play on later from the same point. The sets are the controller's
    // own, held by it for its whole life.
    struct Playback {
        std::vector<std::pair<D3DXTRACK_DESC, ID3DXAnimationSet*>> tracks;
        double time = 0;
    };
    Playback SavePlayback() const;
    void RestorePlayback(const Playback& playback);
    HRESULT AdvanceTime(double elapsed, void* callbackHandler);

private:
    struct Output {
        std::string name;
        D3DXMATRIX* matrix;
    };
    struct Track {
        D3DXTRACK_DESC desc{D3DXPRIORITY_LOW, 1.0f, 1.0f, 0.0, FALSE};
        ID3DXAnimationSet* set = nullptr;
        std::vector<int> channelOfOutput;  // per output: the set's channel for it, or -1
    };
    void MapOutputs(Track& track) const;

    void ApplyOutput(size_t output) const;

    std::vector<ID3DXAnimationSet*> sets;
    std::vector<Output> outputs;
    std::vector<Track> tracks;
    double time = 0;
};
