#include "objects/CameraObstacles.h"

#include "graphics/Mesh.h"
#include "objects/Collision.h"
#include "objects/ObjectList.h"

CameraObstacleQuery ObjectListObstacles() {
    return [](int kind, std::vector<CameraObstacle>& out) {
        std::vector<CharacterBase*> objects;
        CollectByKind(objects, kind);
        for (CharacterBase* object : objects) {
            const D3DXVECTOR3 position(object->world->_41, object->world->_42, object->world->_43);
            out.push_back(CameraObstacle{
                position, [object, position](const D3DXVECTOR3& origin, const D3DXVECTOR3& direction, float* distance,
                                             D3DXVECTOR3* hitPoint) {
                    Mesh* mesh = object->GetColMesh();
                    return mesh && IntersectMesh(mesh->mesh, origin, direction, position, object->rotMat,
                                                 object->scaleMat, hitPoint, nullptr, distance);
                }});
        }
    };
}
