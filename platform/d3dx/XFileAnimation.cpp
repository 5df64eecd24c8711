#include <cmath>

#include "platform/d3dx/XFileImport.h"

namespace platform::xfile {
namespace {

// A file without AnimTicksPerSecond counts 4800 ticks per second, as D3DX does.
constexpr double kDefaultTicksPerSecond = 4800.0;

D3DXQUATERNION ToQuaternion(const aiQuaternion& q) { return D3DXQUATERNION(q.x, q.y, q.z, q.w); }

bool SameRotation(const D3DXQUATERNION& a, const D3DXQUATERNION& b) {
    const float dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    return std::fabs(std::fabs(dot) - 1.0f) < 1e-5f;
}

// Whether Assimp inverted this channel's rotation keys. For a text file the scan says so; for a binary
// file every rotation given by keys is taken as inverted, except the single key Assimp fills in from
// the frame's own matrix when a bone has no rotation keys.
bool RotationInverted(const ImportedFile& file, int setIndex, const aiNodeAnim& channel) {
    if (file.text) return file.quaternionKeyed.count({setIndex, channel.mNodeName.C_Str()}) > 0;
    if (channel.mNumRotationKeys != 1) return true;
    const aiNode* node = file.scene->mRootNode->FindNode(channel.mNodeName);
    if (!node) return true;
    aiVector3D s, t;
    aiQuaternion bind;
    node->mTransformation.Decompose(s, bind, t);
    return !SameRotation(ToQuaternion(bind), ToQuaternion(channel.mRotationKeys[0].mValue));
}

std::vector<VectorKey> VectorKeys(const aiVectorKey* keys, unsigned count, double ticks) {
    std::vector<VectorKey> out;
    for (unsigned i = 0; i < count; ++i)
        out.push_back({keys[i].mTime / ticks, D3DXVECTOR3(keys[i].mValue.x, keys[i].mValue.y, keys[i].mValue.z)});
    return out;
}

AnimationChannel BuildChannel(const ImportedFile& file, int setIndex, const aiNodeAnim& c, double ticks) {
    AnimationChannel out;
    out.frameName = c.mNodeName.C_Str();
    out.scale = VectorKeys(c.mScalingKeys, c.mNumScalingKeys, ticks);
    out.translation = VectorKeys(c.mPositionKeys, c.mNumPositionKeys, ticks);
    const bool inverted = RotationInverted(file, setIndex, c);
    for (unsigned i = 0; i < c.mNumRotationKeys; ++i) {
        D3DXQUATERNION q = ToQuaternion(c.mRotationKeys[i].mValue);
        if (inverted) q.w = -q.w;
        out.rotation.push_back({c.mRotationKeys[i].mTime / ticks, q});
    }
    return out;
}

}  // namespace

std::vector<ID3DXAnimationSet*> BuildAnimationSets(const ImportedFile& file) {
    std::vector<ID3DXAnimationSet*> sets;
    const aiScene& scene = *file.scene;
    for (unsigned a = scene.mNumAnimations; a-- > 0;) {
        const aiAnimation& anim = *scene.mAnimations[a];
        const double ticks = anim.mTicksPerSecond > 0 ? anim.mTicksPerSecond : kDefaultTicksPerSecond;
        std::vector<AnimationChannel> channels;
        for (unsigned c = 0; c < anim.mNumChannels; ++c)
            channels.push_back(BuildChannel(file, static_cast<int>(a), *anim.mChannels[c], ticks));
        sets.push_back(new ID3DXAnimationSet(anim.mName.C_Str(), anim.mDuration / ticks, std::move(channels)));
    }
    return sets;
}

}  // namespace platform::xfile
