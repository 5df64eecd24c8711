#include "objects/BreakPiece.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;
constexpr float kStartRise = 0.1f;
constexpr float kRiseLoss = 0.005f;

}  // namespace

void BreakPiece::Start(int index, const D3DXVECTOR3& boxPosition) {
    alpha = 255;
    yaw = static_cast<float>(index % 2) * 90.0f;
    riseSpeed = kStartRise;
    position = boxPosition + D3DXVECTOR3(0, 1, 0);
    // Only the piece's own axis is set; the others keep what they had.
    switch (index) {
        case 0: direction.x = 1.0f; break;
        case 1: direction.z = 1.0f; break;
        case 2: direction.x = -1.0f; break;
        default: direction.z = -1.0f; break;
    }
    Place();
}

void BreakPiece::Fly(float speed) {
    position.y += riseSpeed;
    riseSpeed -= kRiseLoss;
    position += direction * speed;
    Place();
    if (alpha < 0) alpha = 0;
}

void BreakPiece::Place() {
    D3DXMATRIX turn, at;
    D3DXMatrixRotationY(&turn, yaw * kDegreesToRadians);
    D3DXMatrixTranslation(&at, position.x, position.y, position.z);
    transform = turn * at;
}
