// The final picture: the scene colour with dark outlines where the depth jumps (silhouettes) or the
// surface normal turns sharply (creases), never where only the colour changes: texture detail such as
// the joints of floor tiles stays free of lines.
// "ZMapTex" holds view-space depth, negative where the surface wants no outline, 0 where nothing was
// drawn; "NormalTex" the view-space normal packed to 0..1.
// A depth jump between two pixels belongs to the nearer surface, the one whose silhouette it is: it is
// drawn only if that surface wants outlines. So a surface drawn without outline (Edge 0, the sky) gets
// no ring, neither on itself nor on what lies behind it, while outlined objects in front of it keep
// theirs. Creases are drawn only between two outlined surfaces.
@common
uniform sampler2D SceneTex;
uniform sampler2D ZMapTex;
uniform sampler2D NormalTex;
uniform vec4 TexelSize;
uniform float Limit;
uniform vec4 ScreenSize;
uniform vec3 LightDir;
uniform vec3 CamPos;
uniform mat4 mV;
uniform mat4 mP;
uniform int bClip;

@vertex
out vec2 vUV;

// The quad arrives in screen pixels.
void VS_Screen() {
    gl_Position = ScreenPosition();
    vUV = inTexCoord;
}

@fragment
in vec2 vUV;

struct Surface {
    float depth;
    bool outline;
    vec3 normal;
};

Surface Read(vec2 uv) {
    float stored = texture(ZMapTex, uv).r;
    Surface s;
    s.depth = stored == 0.0 ? 1000.0 : abs(stored);
    s.outline = stored > 0.0;
    s.normal = texture(NormalTex, uv).rgb * 2.0 - 1.0;
    return s;
}

void PS_Edge() {
    vec2 step = TexelSize.xy;
    Surface centre = Read(vUV);
    vec3 colour = texture(SceneTex, vUV).rgb;
    vec2 offsets[4] = vec2[](vec2(step.x, 0.0), vec2(-step.x, 0.0), vec2(0.0, step.y), vec2(0.0, -step.y));
    float sum = 0.0;
    float bend = 0.0;
    for (int i = 0; i < 4; ++i) {
        Surface s = Read(vUV + offsets[i]);
        // A neighbour across a silhouette that is not outlined counts as level with the centre.
        bool owned = s.depth < centre.depth ? s.outline : centre.outline;
        sum += owned ? s.depth : centre.depth;
        // Creases against the right and lower neighbours only: a line one pixel wide, so that small
        // raised details (runes, rivets) stay crisp instead of turning into dark blots.
        if ((i == 0 || i == 3) && centre.outline && s.outline) bend = max(bend, 1.0 - dot(centre.normal, s.normal));
    }
    // Second difference of the depth relative to the nearer side: silhouettes, not slopes.
    float depthJump = abs(sum - 4.0 * centre.depth) / max(min(centre.depth, sum * 0.25), 0.1);
    // Normals more than about 40 degrees apart: the corners of walls, platforms and boxes.
    float edge = max(smoothstep(Limit * 0.25, Limit * 0.5, depthJump), smoothstep(0.2, 0.3, bend));
    outColor0 = vec4(mix(colour, vec3(0.05, 0.04, 0.06), edge), 1.0);
}

// The light picture's filter (software rasterisers, no normal target): silhouettes from the depth
// alone, by the same rule of the nearer surface, from four neighbours read once each.
void PS_EdgeLight() {
    vec2 step = TexelSize.xy;
    float stored = texture(ZMapTex, vUV).r;
    float centre = stored == 0.0 ? 1000.0 : abs(stored);
    bool outlined = stored > 0.0;
    vec4 around = vec4(texture(ZMapTex, vUV + vec2(step.x, 0.0)).r, texture(ZMapTex, vUV - vec2(step.x, 0.0)).r,
                       texture(ZMapTex, vUV + vec2(0.0, step.y)).r, texture(ZMapTex, vUV - vec2(0.0, step.y)).r);
    vec4 depth = mix(abs(around), vec4(1000.0), equal(around, vec4(0.0)));
    bvec4 owned = bvec4(mix(vec4(outlined), vec4(greaterThan(around, vec4(0.0))), lessThan(depth, vec4(centre))));
    float sum = dot(mix(vec4(centre), depth, vec4(owned)), vec4(1.0));
    float depthJump = abs(sum - 4.0 * centre) / max(min(centre, sum * 0.25), 0.1);
    float edge = smoothstep(Limit * 0.25, Limit * 0.5, depthJump);
    outColor0 = vec4(mix(texture(SceneTex, vUV).rgb, vec3(0.05, 0.04, 0.06), edge), 1.0);
}

@sampler SceneTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler ZMapTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler NormalTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP

@technique EdgeTech
@pass 0 vertex=VS_Screen fragment=PS_Edge ZENABLE=FALSE ZWRITEENABLE=FALSE ALPHABLENDENABLE=FALSE CULLMODE=NONE
@technique EdgeLightTech
@pass 0 vertex=VS_Screen fragment=PS_EdgeLight ZENABLE=FALSE ZWRITEENABLE=FALSE ALPHABLENDENABLE=FALSE CULLMODE=NONE
