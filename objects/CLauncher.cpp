#include "objects/CLauncher.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "loading/TextData.h"
#include "objects/ColdShot.h"
#include "objects/ObjectFields.h"
#include "sound/SoundManager.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;

// A number as the standard string-to-float conversion reads it (leading blanks, then a number; what
// follows is ignored). False where that conversion would fail: no number, or out of range.
bool ReadNumber(const std::string& text, float& out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value)) return false;
    out = value;
    return true;
}

// Exactly the "x,y,z" of an angle: three readable numbers.
bool ReadAngles(const std::string& value, D3DXVECTOR3& out) {
    std::vector<std::string> parts;
    Split(value, ",", parts);
    if (parts.size() < 3) return false;
    float v[3];
    for (int i = 0; i < 3; ++i)
        if (!ReadNumber(parts[static_cast<size_t>(i)], v[i])) return false;
    out = D3DXVECTOR3(v[0], v[1], v[2]);
    return true;
}

}  // namespace

void CLauncher::Init(std::vector<std::string> params) {
    mesh = nullptr;
    colMesh = nullptr;
    state = 0;
    for (size_t i = 1; i < params.size(); ++i) {
        std::string key, value;
        if (!SplitParam(params[i], key, value)) continue;
        SetParam(key, value);
        if (!ReadLauncherKey(key, value)) usable = false;
    }
    if (!(duration > 0.0f)) usable = false;
    angle = startAngle;
    drawParams->lighting = 0;
    drawParams->edge = 0;
    drawParams->castShadow = 0;
    *world = rotMat * transMat;
}

// False for a launcher key whose value cannot be read.
bool CLauncher::ReadLauncherKey(const std::string& key, const std::string& value) {
    if (key == "Angle") return ReadAngles(value, startAngle);
    if (key == "ChangeAngle") return ReadAngles(value, targetAngle);
    if (key == "Time") return ReadNumber(value, duration);
    if (key == "Launch") {
        if (value == "COLD") shotType = 0;
        else if (value == "FLAME") shotType = 1;
    }
    return true;
}

void CLauncher::Update() {
    if (state != 0 && !usable) state = 0;
    if (state != 0) {
        angle += (targetAngle - startAngle) / duration;
        D3DXMatrixRotationYawPitchRoll(&rotMat, angle.y * kDegreesToRadians, angle.x * kDegreesToRadians,
                                       angle.z * kDegreesToRadians);
        elapsed += 1.0f;
        if (elapsed > duration) {
            elapsed = duration;
            state = 0;
        }
        if (state != 0 && static_cast<long>(elapsed) % kShotInterval == 0) Fire();
    }
    *world = rotMat * transMat;
}

void CLauncher::Fire() {
    const D3DXVECTOR3 forward(0.0f, 0.0f, 1.0f);
    D3DXVECTOR3 direction;
    D3DXVec3TransformNormal(&direction, &forward, &rotMat);
    D3DXVec3Normalize(&direction, &direction);
    RayProbe probe = ColdShotProbe(ProbeRange::Everywhere, 0.0f);
    ProbeHit hit;
    if (!probe.CastNearest(Position(), direction, hit)) return;
    // Hits on boxes and statues are silent; patches laid or grown make the impact sound.
    if (StrikeCold(hit) != ColdStrike::Froze) SoundManager::GetInstance().Play(kImpactSound, SoundManager::kEffectVolume);
}

void CLauncher::DumpFields(ObjectFields& out) const {
    out.Float("elapsed", elapsed);
    out.Int("on", state != 0 ? 1 : 0);
}
