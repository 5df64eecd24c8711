#include "objects/CFlameStatue.h"

#include <algorithm>
#include <random>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Texture.h"
#include "graphics/TextureManager.h"
#include "objects/Billboard.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "objects/RayProbe.h"
#include "platform/sys/Win32.h"

namespace {

// The unit vector from the camera's look-at point to its eye; zero without a camera or a sight line.
D3DXVECTOR3 SightLine() {
    const Camera* camera = Application::GetInstance().camera;
    if (!camera) return D3DXVECTOR3(0, 0, 0);
    const D3DXVECTOR3 line = camera->eye - camera->target;
    if (D3DXVec3LengthSq(&line) == 0.0f) return D3DXVECTOR3(0, 0, 0);
    D3DXVECTOR3 unit;
    return *D3DXVec3Normalize(&unit, &line);
}

}  // namespace

void CFlameStatue::Init(std::vector<std::string> params) {
    ReadParams(params, [this](const std::string& key, const std::string& value) {
        if (key == "Target") target = PlacementTarget(value);
        else if (key == "FlameTex") flameTexture = TextureManager::GetInstance().GetTexture(value);
    });
}

void CFlameStatue::Update() {
    spawnCounter += 1.0f;
    if (spawnCounter > kBurstAfter) {
        spawnCounter = 0.0f;
        EmitBurst();
    }
    AdvanceParticles();
    PushTarget();
    *world = rotMat * transMat;
}

// The generator is seeded from the platform clock, so a run with a simulated clock repeats exactly.
void CFlameStatue::EmitBurst() {
    std::minstd_rand random(timeGetTime());
    const D3DXVECTOR3 at = Position();
    for (int i = 0; i < kRingsPerBurst; ++i) particles.push_back(FlameParticle::Ring(at, rotMat, i, random));
    for (int i = 0; i < kPuffsPerBurst; ++i) particles.push_back(FlameParticle::Puff(at, rotMat, random));
}

void CFlameStatue::AdvanceParticles() {
    const D3DXVECTOR3 sight = SightLine();
    for (FlameParticle& particle : particles) particle.Advance(sight);
    std::erase_if(particles, [](const FlameParticle& particle) { return particle.dead; });
}

// Every flame near the target shoves it a step across the floor straight away from that flame, from
// where the target stood before any shove this frame; the last such flame decides. A flame right
// over or under the target shoves it along the flame's flight. Walls stop the shove as they stop
// walking.
void CFlameStatue::PushTarget() {
    if (!target) return;
    const D3DXVECTOR3 start = target->Position();
    D3DXVECTOR3 shove(0, 0, 0);
    for (const FlameParticle& particle : particles) {
        D3DXVECTOR3 away = start - particle.position;
        if (D3DXVec3Length(&away) >= kPushReach) continue;
        away.y = 0.0f;
        if (D3DXVec3LengthSq(&away) == 0.0f) away = D3DXVECTOR3(particle.facing.x, 0.0f, particle.facing.z);
        if (D3DXVec3LengthSq(&away) == 0.0f) continue;
        D3DXVec3Normalize(&shove, &away);
    }
    if (D3DXVec3LengthSq(&shove) == 0.0f) return;
    target->MoveTo(start + shove * ShoveRoom(start, shove));
}

// How far (up to a full step) the target may be shoved along the direction before it comes closer
// than the walking clearance to a wall, a door, a box or a statue.
float CFlameStatue::ShoveRoom(const D3DXVECTOR3& from, const D3DXVECTOR3& direction) const {
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_STATUE, KIND_DOOR, KIND_CHEST}, ProbeRange::Window, kProbeWindow);
    probe.Skip(target);
    ProbeHit hit;
    if (!probe.CastNearest(from + D3DXVECTOR3(0, kShoveHeight, 0), direction, hit)) return kPushStep;
    const float c = -D3DXVec3Dot(&hit.normal, &direction);
    if (c <= 1e-6f) return kPushStep;  // a face turned away does not stop the shove
    return std::clamp(hit.distance - kShoveClearance / c, 0.0f, kPushStep);
}

void CFlameStatue::DrawAlpha() {
    if (!flameTexture || !flameTexture->texture) return;
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    BeginAdditiveSquares();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    for (const FlameParticle& particle : particles)
        DrawSquare(particle.world, flameTexture, FlameParticle::kHalfSize, particle.alpha);
    EndAdditiveSquares();
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
}

void CFlameStatue::DumpFields(ObjectFields& out) const { out.Int("particles", static_cast<int>(particles.size())); }
