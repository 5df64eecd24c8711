#pragma once
// Where an object's collision mesh lies in the world, as a box: the mesh's own box (measured once per
// mesh) turned and moved by the object's current placement.
#include <map>

#include "explore/Aabb.h"

class CharacterBase;
class ID3DXMesh;

class ObjectBounds {
public:
    // False for an object without a loaded mesh.
    bool Of(CharacterBase& object, Aabb& out);
    // The mesh's box in its own space.
    bool Local(CharacterBase& object, Aabb& out);

private:
    std::map<const ID3DXMesh*, Aabb> local;
};
