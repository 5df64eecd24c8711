// The sky dome every place shares: a low-poly hemisphere of radius 150 round the origin, facing
// inward, with a short skirt below the horizon so that no gap shows under the rim. Its flat faces lie
// at least 147 from the centre, beyond the 100 units that any ray query reaches from anywhere within
// 45 units of the centre (where a place's play area stays): the dome never stops a probe, a shot or
// the camera.
// Its one material has a white emissive colour: the toon effect draws such a material self-lit,
// with its texture as it is (no light bands, no cast shadows).
#include <cmath>

#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"
#include "tools/xmodels/Shapes.h"
#include "tools/xmodels/Textures.h"

namespace xmodels {
namespace {

constexpr float kRadius = 150.0f;
constexpr int kSegments = 24;             // round the horizon
constexpr int kRings = 6;                 // from the horizon up to the zenith
constexpr float kSkirtDegrees = -12.0f;   // how far the skirt reaches below the horizon

// A point of the dome at an elevation (degrees) and a step round the horizon; the normal points
// back to the centre, so the faces turn inward.
BuildVertex DomeVertex(float elevation, float segment) {
    const float e = D3DXToRadian(elevation), a = 2.0f * D3DX_PI * segment / kSegments;
    const D3DXVECTOR3 out(std::cos(e) * std::cos(a), std::sin(e), std::cos(e) * std::sin(a));
    // v: 0 at the zenith, kSkyHorizonV at the horizon, 1 at the foot of the skirt.
    const float v = elevation >= 0.0f ? kSkyHorizonV * (1.0f - elevation / 90.0f)
                                      : kSkyHorizonV + (1.0f - kSkyHorizonV) * elevation / kSkirtDegrees;
    return {out * kRadius, -out, {segment / kSegments, v}};
}

XModel SkyDome() {
    MeshBuilder b("Sky");
    XMaterial sky = Colour(1, 1, 1, 1, 1, 0.0f, {1, 1, 1});
    sky.texture = "sky.png";
    b.UseMaterial(b.AddMaterial(sky));
    for (int s = 0; s < kSegments; ++s) {
        const float s0 = static_cast<float>(s), s1 = s0 + 1.0f;
        // The skirt, then the rings up to the last one below the zenith.
        b.AddQuad(DomeVertex(kSkirtDegrees, s0), DomeVertex(kSkirtDegrees, s1), DomeVertex(0, s1), DomeVertex(0, s0));
        for (int r = 0; r + 1 < kRings; ++r) {
            const float e0 = 90.0f * r / kRings, e1 = 90.0f * (r + 1) / kRings;
            b.AddQuad(DomeVertex(e0, s0), DomeVertex(e0, s1), DomeVertex(e1, s1), DomeVertex(e1, s0));
        }
        // The cap: one triangle per segment meeting at the zenith.
        const float top = 90.0f * (kRings - 1) / kRings;
        b.AddTriangle(DomeVertex(top, s0), DomeVertex(top, s1), DomeVertex(90.0f, s0 + 0.5f));
    }
    return SingleModel("Sky", b);
}

}  // namespace

bool WriteSky(const std::string& root) {
    const std::string folder = root + "/data/xfile/Map/";
    return WriteX(folder + "Sky.x", SkyDome()) && WriteSkyTexture(folder + "sky.png", 256, 128);
}

}  // namespace xmodels
