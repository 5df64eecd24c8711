#include "objects/CameraObstacles.h"

#include "graphics/Mesh.h"
#include "objects/Collision.h"
#include "objects/ObjectList.h"
#include "objects/RayProbe.h"

CameraObstacleQuery ObjectListObstacles() {
    return [](int kind, std::vector<CameraObstacle>& out) {
        ForEachOfKind(kind, [&out](CharacterBase* object) {
            // The cast captures the object alone (small enough to live inside the function object,
            // without an allocation); its position is the same when read again at the cast.
            out.push_back(CameraObstacle{
                WorldPosition(*object), [object](const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                                                 float* distance, D3DXVECTOR3* hitPoint) {
                    Mesh* mesh = object->GetColMesh();
                    return mesh && IntersectMesh(mesh->mesh, origin, direction, WorldPosition(*object),
                                                 object->rotMat, object->scaleMat, hitPoint, nullptr, distance);
                },
                [object](const D3DXVECTOR3& point) {
                    Mesh* mesh = object->GetColMesh();
                    return mesh && WithinMeshBounds(mesh->mesh, point, WorldPosition(*object), object->rotMat,
                                                    object->scaleMat);
                }});
        });
    };
}
