#pragma once
// The probe every moving object makes: one ray cast at the collision meshes of the objects of some
// kinds, gathered from the object list. Callers name the kinds in the order they want them tested and
// how far around the ray's origin a candidate may stand; the map is always tested.
#include <array>
#include <initializer_list>
#include <vector>

#include "objects/CharacterBase.h"

struct ProbeHit {
    CharacterBase* object = nullptr;
    float distance = 0.0f;  // in units of the ray's direction
    D3DXVECTOR3 point{0, 0, 0};
    D3DXVECTOR3 normal{0, 0, 0};
};

// Which candidates a probe keeps besides the map.
enum class ProbeRange {
    Everywhere,  // every object of the kinds
    Window,      // standing less than reach from the origin in x and in z
    Sphere,      // standing no more than reach from the origin
};

class RayProbe {
public:
    // Hits at or beyond this distance are never the nearest.
    static constexpr float kMaxDistance = 100.0f;

    // At most kMaxKinds kinds; more are ignored.
    static constexpr size_t kMaxKinds = 12;

    RayProbe(std::initializer_list<int> kinds, ProbeRange range = ProbeRange::Everywhere, float reach = 0.0f);
    // The hit list goes back to a spare pool with its capacity: probes are made per query, dozens a
    // frame, and a frame should not have to allocate for them.
    ~RayProbe();
    RayProbe(const RayProbe&) = delete;
    RayProbe& operator=(const RayProbe&) = delete;

    // Every candidate the ray hits, with its own nearest hit, in candidate order (kinds as named, then
    // list order). The list is reused by the next cast.
    const std::vector<ProbeHit>& CastAll(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction);
    // The nearest hit below kMaxDistance; false when there is none.
    bool CastNearest(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction, ProbeHit& nearest);
    // The object casting the probe, never its own candidate.
    void Skip(const CharacterBase* self) { skip = self; }
    // True when the last cast found any candidate at all (hit or not).
    bool HadCandidates() const { return candidateCount > 0; }

private:
    bool InRange(const CharacterBase& object, const D3DXVECTOR3& origin) const;

    std::array<int, kMaxKinds> kinds{};
    size_t kindCount = 0;
    ProbeRange range;
    float reach;
    const CharacterBase* skip = nullptr;
    std::vector<ProbeHit> hits;
    size_t candidateCount = 0;
};

// Where an object stands for the probes: the translation row of its world matrix.
D3DXVECTOR3 WorldPosition(const CharacterBase& object);
