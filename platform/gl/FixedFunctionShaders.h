#pragma once
// GLSL of the fixed-function program.

namespace platform::gl {

inline constexpr char kFixedVertexShader[] = R"(#version 330 core
layout(location = 0) in vec4 aPosition;   // x, y, z and rhw (1 for untransformed vertices)
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aDiffuse;
layout(location = 3) in vec2 aTexCoord;
uniform mat4 uWorldViewProj;              // Direct3D row-vector matrix as stored
uniform bool uPretransformed;
uniform vec4 uViewport;                   // x, y, width, height in pixels
// Lighting of light 0 (directional) on the material, per vertex as the fixed pipeline lights.
uniform bool uLighting;
uniform mat4 uWorld;
uniform vec3 uLightDirection;             // world space, pointing from the light
uniform vec4 uLightDiffuse;
uniform vec4 uLightAmbient;
uniform vec4 uAmbient;                    // the global ambient render state
uniform vec4 uMaterialDiffuse;
uniform vec4 uMaterialAmbient;
uniform vec4 uMaterialEmissive;
out vec4 vDiffuse;
out vec2 vTexCoord;
void main() {
    if (uPretransformed) {
        float w = aPosition.w != 0.0 ? 1.0 / aPosition.w : 1.0;
        // Direct3D 9 puts pixel centres on whole coordinates, OpenGL half a pixel further on. An edge
        // through whole coordinates runs through pixel centres, where Direct3D's top-left rule takes the
        // top and left edges' pixels and leaves the bottom and right ones; such coordinates are pulled
        // up and left by a little more than the rasteriser's sub-pixel step to get the same pixels.
        // (Sprites sit half a pixel off whole coordinates and are left alone, so they stay texel-exact.)
        vec2 d3d = aPosition.xy;
        vec2 onCentre = vec2(equal(fract(d3d), vec2(0.0)));
        vec2 pixel = d3d + 0.5 - onCentre * (1.0 / 128.0) - uViewport.xy;
        vec2 ndc = vec2(pixel.x / uViewport.z * 2.0 - 1.0, 1.0 - pixel.y / uViewport.w * 2.0);
        gl_Position = vec4(ndc * w, aPosition.z * w, w);
    } else {
        gl_Position = uWorldViewProj * vec4(aPosition.xyz, 1.0);
    }
    vDiffuse = aDiffuse;
    if (uLighting && !uPretransformed) {
        vec3 normal = normalize((uWorld * vec4(aNormal, 0.0)).xyz);
        float facing = max(dot(normal, -normalize(uLightDirection)), 0.0);
        vec3 lit = uMaterialEmissive.rgb + uMaterialAmbient.rgb * (uAmbient.rgb + uLightAmbient.rgb)
                 + uMaterialDiffuse.rgb * uLightDiffuse.rgb * facing;
        vDiffuse = vec4(clamp(lit, 0.0, 1.0), uMaterialDiffuse.a);
    }
    vTexCoord = aTexCoord;
}
)";

inline constexpr char kFixedFragmentShader[] = R"(#version 330 core
in vec4 vDiffuse;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform bool uHasTexture;
uniform ivec3 uColourOp;                  // operation, argument 1, argument 2
uniform ivec3 uAlphaOp;
uniform bool uAlphaTest;
uniform int uAlphaFunc;
uniform float uAlphaRef;                  // 0 to 255
out vec4 fragColour;

vec4 Argument(int arg, vec4 tex) {
    int source = arg & 15;
    if (source == 2) return tex;          // texture
    return vDiffuse;                      // diffuse, or the current value, which is diffuse at stage 0
}

vec4 Operation(ivec3 op, vec4 tex) {
    vec4 a = Argument(op.y, tex), b = Argument(op.z, tex);
    if (op.x == 1) return vDiffuse;       // disabled
    if (op.x == 2) return a;
    if (op.x == 3) return b;
    return a * b;                         // modulate
}

bool AlphaPasses(float alpha) {
    float a = floor(alpha * 255.0 + 0.5);
    if (uAlphaFunc == 1) return false;
    if (uAlphaFunc == 2) return a < uAlphaRef;
    if (uAlphaFunc == 3) return a == uAlphaRef;
    if (uAlphaFunc == 4) return a <= uAlphaRef;
    if (uAlphaFunc == 5) return a > uAlphaRef;
    if (uAlphaFunc == 6) return a != uAlphaRef;
    if (uAlphaFunc == 7) return a >= uAlphaRef;
    return true;
}

void main() {
    // A stage without a texture reads its texture argument as white.
    vec4 tex = uHasTexture ? texture(uTexture, vTexCoord) : vec4(1.0);
    vec4 colour = vec4(Operation(uColourOp, tex).rgb, Operation(uAlphaOp, tex).a);
    if (uAlphaTest && !AlphaPasses(colour.a)) discard;
    fragColour = colour;
}
)";

}  // namespace platform::gl
