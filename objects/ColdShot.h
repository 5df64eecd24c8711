#pragma once
// What a cold ray does where it strikes, shared by the player's gun and the launchers: a box, a statue
// or an ice patch is told it was hit by cold; any other surface gets a new ice patch laid on it.
#include "objects/RayProbe.h"

class ColdObject;

// What a strike did.
enum class ColdStrike {
    Froze,     // a box or statue was hit
    Grew,      // an existing ice patch was hit
    LaidPatch  // a new patch lies on the surface
};

// The kinds a cold ray can strike, in the order they are tested.
RayProbe ColdShotProbe(ProbeRange range, float reach);

// Delivers the strike of the hit to its object, or lays a patch at the hit point; a patch laid on
// anything but the map melts once that object moves.
ColdStrike StrikeCold(const ProbeHit& hit);

// A new ice patch at point, lifted 0.01 off the surface along the normal and turned to lie in it;
// appended to the object list.
ColdObject* LayIcePatch(const D3DXVECTOR3& point, const D3DXVECTOR3& normal);

// The rotation that lays the patch mesh (flat in its own x/z plane) onto a face with this normal.
D3DXMATRIX SurfaceAlignment(const D3DXVECTOR3& normal);
