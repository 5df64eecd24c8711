#pragma once
// Solids the stage props share, built on MeshBuilder: bevelled blocks, grained planks, rings, tubes,
// curved slabs and gems. All of them go through the builder's current placement, so a caller turns
// and moves a piece with SetPlacement (Place below) and sets it back to Identity() afterwards.
#include <string>

#include "tools/xmodels/MeshBuilder.h"

namespace xmodels {

// The rotation followed by a move to `at`.
D3DXMATRIX Place(const D3DXMATRIX& rotation, const D3DXVECTOR3& at);
D3DXMATRIX RotationX(float radians);
D3DXMATRIX RotationY(float radians);
D3DXMATRIX RotationZ(float radians);

// A one-mesh model with its frame.
XModel SingleModel(const std::string& name, const MeshBuilder& builder);

// A box with its twelve edges cut at 45 degrees `bevel` deep; texture coordinates are the positions
// on each face times uvPerUnit, so a texture tiles evenly over blocks of any size.
void AddBevelBox(MeshBuilder& b, const D3DXVECTOR3& center, const D3DXVECTOR3& half, float bevel,
                 float uvPerUnit = 1.0f);
// A box whose texture runs along `grainAxis` (0 x, 1 y, 2 z) on its four long faces, as wood grain
// runs along a plank. uvOffset shifts the texture so that neighbouring planks differ.
void AddPlank(MeshBuilder& b, const D3DXVECTOR3& center, const D3DXVECTOR3& half, int grainAxis,
              float uvOffset = 0.0f);
// A ring round the z axis in the x/y plane, centred on the origin: `radius` to the middle of a tube
// `tube` thick.
void AddRingZ(MeshBuilder& b, float radius, float tube, int segments, int sides = 8);
// A thick hollow cylinder along +y from y0 to y1 between radii inner and outer: the walls and the
// flat rings closing top and bottom.
void AddTube(MeshBuilder& b, float y0, float y1, float inner, float outer, int segments);
// A curved slab round the z axis between radii r0 and r1, from angle a0 to a1 (radians from +x
// towards +y), z from -halfDepth to halfDepth. The front and back take `face`, the curved sides and
// ends `side`.
void AddArc(MeshBuilder& b, float r0, float r1, float a0, float a1, float halfDepth, int segments, uint32_t face,
            uint32_t side);
// A flat disc facing +y (or -y) of the given radius at the origin; texture coordinates map the disc
// onto the middle of the image.
void AddDisc(MeshBuilder& b, float radius, int segments, bool up = true);
// A pointed eight-faced gem centred on `at`, `radius` from its middle to the side points and `height`
// to the tips, leaning `lean` radians about `axis`. Sets its own placement and leaves it at identity.
void AddGem(MeshBuilder& b, const D3DXVECTOR3& at, float radius, float height, const D3DXVECTOR3& axis = {1, 0, 0},
            float lean = 0.0f);

}  // namespace xmodels
