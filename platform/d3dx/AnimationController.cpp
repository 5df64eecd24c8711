#include "platform/d3dx/AnimationController.h"

ID3DXAnimationController::ID3DXAnimationController(UINT maxTracks, std::vector<ID3DXAnimationSet*> sets_)
    : sets(std::move(sets_)), tracks(maxTracks) {
    for (ID3DXAnimationSet* set : sets) set->AddRef();
}

ID3DXAnimationController::~ID3DXAnimationController() {
    for (Track& track : tracks) SafeRelease(track.set);
    for (ID3DXAnimationSet* set : sets) set->Release();
}

HRESULT ID3DXAnimationController::RegisterAnimationOutput(const char* name, D3DXMATRIX* matrix) {
    if (!name || !matrix) return D3DERR_INVALIDCALL;
    outputs.push_back({name, matrix});
    for (Track& track : tracks) MapOutputs(track);
    return D3D_OK;
}

HRESULT ID3DXAnimationController::GetAnimationSet(UINT index, ID3DXAnimationSet** set) {
    if (!set || index >= sets.size()) return D3DERR_INVALIDCALL;
    *set = sets[index];
    (*set)->AddRef();
    return D3D_OK;
}

HRESULT ID3DXAnimationController::SetTrackAnimationSet(UINT track, ID3DXAnimationSet* set) {
    if (track >= tracks.size()) return D3DERR_INVALIDCALL;
    Track& t = tracks[track];
    if (t.set == set) return D3D_OK;
    if (set) set->AddRef();
    SafeRelease(t.set);
    t.set = set;
    MapOutputs(t);
    return D3D_OK;
}

HRESULT ID3DXAnimationController::GetTrackAnimationSet(UINT track, ID3DXAnimationSet** set) {
    if (!set || track >= tracks.size()) return D3DERR_INVALIDCALL;
    *set = tracks[track].set;
    if (*set) (*set)->AddRef();
    return D3D_OK;
}

HRESULT ID3DXAnimationController::SetTrackDesc(UINT track, const D3DXTRACK_DESC* desc) {
    if (!desc || track >= tracks.size()) return D3DERR_INVALIDCALL;
    tracks[track].desc = *desc;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::GetTrackDesc(UINT track, D3DXTRACK_DESC* desc) const {
    if (!desc || track >= tracks.size()) return D3DERR_INVALIDCALL;
    *desc = tracks[track].desc;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::SetTrackEnable(UINT track, BOOL enable) {
    if (track >= tracks.size()) return D3DERR_INVALIDCALL;
    tracks[track].desc.Enable = enable;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::SetTrackWeight(UINT track, float weight) {
    if (track >= tracks.size()) return D3DERR_INVALIDCALL;
    tracks[track].desc.Weight = weight;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::SetTrackSpeed(UINT track, float speed) {
    if (track >= tracks.size()) return D3DERR_INVALIDCALL;
    tracks[track].desc.Speed = speed;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::SetTrackPosition(UINT track, double position) {
    if (track >= tracks.size()) return D3DERR_INVALIDCALL;
    tracks[track].desc.Position = position;
    return D3D_OK;
}

HRESULT ID3DXAnimationController::AdvanceTime(double elapsed, void*) {
    time += elapsed;
    for (Track& track : tracks)
        if (track.desc.Enable) track.desc.Position += elapsed * track.desc.Speed;
    for (size_t i = 0; i < outputs.size(); ++i) ApplyOutput(i);
    return D3D_OK;
}

void ID3DXAnimationController::MapOutputs(Track& track) const {
    track.channelOfOutput.assign(outputs.size(), -1);
    if (!track.set) return;
    for (size_t i = 0; i < outputs.size(); ++i) {
        UINT channel;
        if (SUCCEEDED(track.set->GetAnimationIndexByName(outputs[i].name.c_str(), &channel)))
            track.channelOfOutput[i] = static_cast<int>(channel);
    }
}

// The weighted mean of the poses of every enabled track that animates this frame, composed as
// scale x rotation x translation. A frame that no such track animates keeps its matrix.
void ID3DXAnimationController::ApplyOutput(size_t output) const {
    float total = 0;
    D3DXVECTOR3 scale, translation;
    D3DXQUATERNION rotation;
    for (const Track& track : tracks) {
        if (!track.desc.Enable || !track.set || track.desc.Weight <= 0) continue;
        const int channel = track.channelOfOutput[output];
        if (channel < 0) continue;
        D3DXVECTOR3 s, t;
        D3DXQUATERNION q;
        track.set->GetSRT(track.set->GetPeriodicPosition(track.desc.Position), static_cast<UINT>(channel), &s,
                          &q, &t);
        const float w = track.desc.Weight;
        total += w;
        scale += s * w;
        translation += t * w;
        if (total == w) rotation = q;
        else D3DXQuaternionSlerp(&rotation, &rotation, &q, w / total);
    }
    if (total <= 0) return;
    scale /= total;
    translation /= total;
    D3DXMATRIX s, r;
    D3DXMatrixScaling(&s, scale.x, scale.y, scale.z);
    D3DXQuaternionNormalize(&rotation, &rotation);
    D3DXMatrixRotationQuaternion(&r, &rotation);
    *outputs[output].matrix = s * r;
    outputs[output].matrix->_41 = translation.x;
    outputs[output].matrix->_42 = translation.y;
    outputs[output].matrix->_43 = translation.z;
}

ID3DXAnimationController::Playback ID3DXAnimationController::SavePlayback() const {
    Playback kept{{}, time};
    for (const Track& track : tracks) kept.tracks.emplace_back(track.desc, track.set);
    return kept;
}

void ID3DXAnimationController::RestorePlayback(const Playback& playback) {
    // Only a playback of this controller fits its tracks.
    if (playback.tracks.size() != tracks.size()) return;
    for (UINT i = 0; i < tracks.size(); ++i) {
        SetTrackAnimationSet(i, playback.tracks[i].second);
        tracks[i].desc = playback.tracks[i].first;
    }
    time = playback.time;
}
