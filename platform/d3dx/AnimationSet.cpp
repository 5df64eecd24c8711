#include "platform/d3dx/AnimationSet.h"

#include <algorithm>
#include <cmath>

namespace {

// Index of the last key at or before t (0 when t precedes every key) and the blend factor to the next.
template <typename Key>
size_t FindKey(const std::vector<Key>& keys, double t, float& blend) {
    blend = 0.0f;
    auto after = std::upper_bound(keys.begin(), keys.end(), t,
                                  [](double time, const Key& key) { return time < key.time; });
    if (after == keys.begin()) return 0;
    const size_t i = static_cast<size_t>(after - keys.begin()) - 1;
    if (i + 1 < keys.size()) {
        const double span = keys[i + 1].time - keys[i].time;
        if (span > 0) blend = static_cast<float>((t - keys[i].time) / span);
    }
    return i;
}

D3DXVECTOR3 SampleVector(const std::vector<VectorKey>& keys, double t, const D3DXVECTOR3& fallback) {
    if (keys.empty()) return fallback;
    float blend;
    const size_t i = FindKey(keys, t, blend);
    if (blend == 0.0f) return keys[i].value;
    D3DXVECTOR3 out;
    D3DXVec3Lerp(&out, &keys[i].value, &keys[i + 1].value, blend);
    return out;
}

D3DXQUATERNION SampleRotation(const std::vector<RotationKey>& keys, double t) {
    if (keys.empty()) return D3DXQUATERNION(0, 0, 0, 1);
    float blend;
    const size_t i = FindKey(keys, t, blend);
    if (blend == 0.0f) return keys[i].value;
    D3DXQUATERNION out;
    D3DXQuaternionSlerp(&out, &keys[i].value, &keys[i + 1].value, blend);
    return out;
}

}  // namespace

ID3DXAnimationSet::ID3DXAnimationSet(std::string name_, double period_, std::vector<AnimationChannel> channels_)
    : name(std::move(name_)), period(period_), channels(std::move(channels_)) {}

double ID3DXAnimationSet::GetPeriodicPosition(double position) const {
    if (!(period > 0)) return 0;
    const double wrapped = std::fmod(position, period);
    return wrapped < 0 ? wrapped + period : wrapped;
}

HRESULT ID3DXAnimationSet::GetAnimationNameByIndex(UINT index, const char** out) const {
    if (!out || index >= channels.size()) return D3DERR_INVALIDCALL;
    *out = channels[index].frameName.c_str();
    return D3D_OK;
}

HRESULT ID3DXAnimationSet::GetAnimationIndexByName(const char* frame, UINT* index) const {
    if (!frame || !index) return D3DERR_INVALIDCALL;
    for (size_t i = 0; i < channels.size(); ++i)
        if (channels[i].frameName == frame) {
            *index = static_cast<UINT>(i);
            return D3D_OK;
        }
    return D3DERR_NOTAVAILABLE;
}

HRESULT ID3DXAnimationSet::GetSRT(double t, UINT animation, D3DXVECTOR3* scale, D3DXQUATERNION* rotation,
                                  D3DXVECTOR3* translation) const {
    if (animation >= channels.size()) return D3DERR_INVALIDCALL;
    const AnimationChannel& c = channels[animation];
    if (scale) *scale = SampleVector(c.scale, t, D3DXVECTOR3(1, 1, 1));
    if (rotation) *rotation = SampleRotation(c.rotation, t);
    if (translation) *translation = SampleVector(c.translation, t, D3DXVECTOR3());
    return D3D_OK;
}
