// Toon shading with shadows and outlines: every ordinary mesh of the game is drawn through this file.
//
// Scene-pass outputs (three targets):
//   outColor0  the shaded colour, alpha for blending
//   outColor1  view-space depth of the surface, negative where the object asks for no outline
//              (Edge 0); the edge filter and the ice read it
//   outColor2  the surface normal in view space packed to 0..1 (rgb) and the outline flag (a); the
//              edge filter draws creases where the normals of two outlined surfaces part
//
// Self-lit materials: a material whose own emissive colour is white ("SelfLit" 1, the sky dome's)
// shows its texture times its diffuse colour as it is: no light bands, no highlight, no rim and no
// cast shadow darken it. The lighting flag of the draw parameters does the same for a whole object;
// the material is the way for meshes placed by the plain placement keys, which cannot set lighting.
@common
uniform mat4 mW;
uniform mat4 mW2;
uniform float Y;
uniform mat4 mV;
uniform mat4 mP;
uniform vec3 LightDir;
uniform vec3 CamPos;
uniform float Scroll;
uniform int bClip;
uniform vec3 ClipPos;
uniform vec4 ClipDir;
uniform int bRefract;
uniform vec4 ScreenSize;
uniform vec4 TexelSize;
uniform sampler2D ToonTex;
uniform float Ambient;
uniform float Reflection;
uniform int bLight;
uniform vec4 Diffuse;
uniform vec4 Specular;
uniform float Power;
uniform float EmissivePow;
uniform vec4 Emissive;
uniform float SelfLit;
uniform float Edge;
uniform sampler2D MeshTex;
uniform vec4 OutlineColor;
uniform float OutlineSize;
uniform mat4 mLVP;
uniform sampler2DShadow ShadowTex;
// The same map read with the sampler's own filtering: one lookup blends the four nearest comparisons.
uniform sampler2DShadow ShadowTexSmooth;
// 1 for the light picture (software rasterisers): one filtered shadow lookup instead of nine.
uniform int bLightPicture;

@vertex
out vec3 vWorld;
out vec3 vNormal;
out vec2 vUV;
out float vViewZ;

void VS_Main() {
    vec4 world = mul(vec4(inPosition, 1.0), mW);
    vec4 view = mul(world, mV);
    gl_Position = mul(view, mP);
    vWorld = world.xyz;
    vNormal = mul(vec4(inNormal, 0.0), mW).xyz;
    vUV = inTexCoord + vec2(Scroll, 0.0);
    vViewZ = view.z;
}

// The outline shell: the surface pushed out along its normal, drawn inside out.
void VS_Outline() {
    vec3 normal = normalize(mul(vec4(inNormal, 0.0), mW).xyz);
    vec4 world = mul(vec4(inPosition, 1.0), mW) + vec4(normal * OutlineSize, 0.0);
    vec4 view = mul(world, mV);
    gl_Position = mul(view, mP);
    vWorld = world.xyz;
    vNormal = normal;
    vUV = inTexCoord;
    vViewZ = view.z;
}

@fragment
in vec3 vWorld;
in vec3 vNormal;
in vec2 vUV;
in float vViewZ;

// Share of light reaching the point past the casters in the shadow map (3 x 3 samples, each compared
// by the sampler: 1 where the point lies at or in front of the nearest caster).
float Lit(vec3 world, float facing) {
    vec4 light = mul(vec4(world, 1.0), mLVP);
    vec2 uv = vec2(light.x * 0.5 + 0.5, 0.5 - light.y * 0.5);
    if (uv.x <= 0.0 || uv.x >= 1.0 || uv.y <= 0.0 || uv.y >= 1.0 || light.z >= 1.0) return 1.0;
    float bias = 0.0015 + 0.004 * (1.0 - clamp(facing, 0.0, 1.0));
    if (bLightPicture != 0) return texture(ShadowTexSmooth, vec3(uv, light.z - bias * 2.0));
    float lit = 0.0;
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            lit += texture(ShadowTex, vec3(uv + vec2(x, y) / 2048.0, light.z - bias));
        }
    }
    return lit / 9.0;
}

void ClipIfAsked() {
    if (bClip != 0 && dot(vWorld - ClipPos, ClipDir.xyz) < 0.0) discard;
}

void WriteTargets(vec3 colour, float alpha, vec3 normal) {
    outColor0 = vec4(colour, alpha);
    outColor1 = vec4(Edge > 0.5 ? vViewZ : -vViewZ, 0.0, 0.0, 1.0);
    outColor2 = vec4(normalize(mul(vec4(normal, 0.0), mV).xyz) * 0.5 + 0.5, Edge > 0.5 ? 1.0 : 0.0);
}

vec3 Toon(vec3 base, vec3 n, out float specular) {
    vec3 toLight = -normalize(LightDir);
    vec3 toEye = normalize(CamPos - vWorld);
    float facing = dot(n, toLight);
    float ramp = texture(ToonTex, vec2(clamp(facing * 0.5 + 0.5, 0.02, 0.98), 0.5)).r;
    // Cast shadows take the ramp's shadow band, so that they match the sides turned from the light;
    // the ambient light only lifts that band a little (it would wash the bands out otherwise).
    float shade = min(ramp, mix(0.58, 1.0, Lit(vWorld, facing)));
    shade = mix(shade, 1.0, clamp(Ambient, 0.0, 1.0) * 0.15);
    vec3 colour = base * shade;
    // Hard-edged highlight and a soft rim, both in the cartoon manner.
    float highlight = pow(max(dot(n, normalize(toLight + toEye)), 0.0), max(Power, 1.0));
    specular = step(0.55, highlight);
    colour += Specular.rgb * specular;
    float rim = pow(1.0 - max(dot(n, toEye), 0.0), 3.0);
    colour += base * rim * Reflection * 0.35 * shade;
    // A little self-light keeps the dark side from going black.
    colour += Emissive.rgb * (1.0 - EmissivePow) * base;
    return colour;
}

// The texture times the diffuse colour, in the toon bands where lit.
void ShadeToon(bool lit) {
    vec4 texel = texture(MeshTex, vUV);
    vec3 base = Diffuse.rgb * texel.rgb;
    vec3 n = normalize(vNormal);
    float specular = 0.0;
    vec3 colour = lit ? Toon(base, n, specular) : base;
    float alpha = Diffuse.a * texel.a;
    WriteTargets(colour, max(alpha, Specular.a * specular * alpha), n);
}

bool LightAsked() {
    return bLight != 0 && SelfLit < 0.5;
}

void PS_Toon() {
    ClipIfAsked();
    ShadeToon(LightAsked());
}

// The toon pass of a draw that clips nothing: without a discard in the program the rasterizer may test
// depth before shading, so hidden surfaces cost no shading.
void PS_ToonWhole() {
    ShadeToon(LightAsked());
}

// The same for an unlit draw or a self-lit material (the sky): the program carries no lighting at all,
// where the toon pass would work the lighting out on every pixel only to leave it unused.
void PS_UnlitWhole() {
    ShadeToon(false);
}

// Frozen through: the toon colour under a cold, glassy skin that lets the scene show at the rim.
void PS_Frozen() {
    ClipIfAsked();
    vec4 texel = texture(MeshTex, vUV);
    vec3 n = normalize(vNormal);
    float specular = 0.0;
    vec3 colour = Toon(Diffuse.rgb * texel.rgb, n, specular);
    vec3 toEye = normalize(CamPos - vWorld);
    float fresnel = pow(1.0 - max(dot(n, toEye), 0.0), 2.0);
    vec3 ice = vec3(0.62, 0.86, 1.0);
    colour = mix(colour * ice, vec3(0.9, 0.97, 1.0), 0.25 + 0.5 * fresnel) + specular * 0.5;
    WriteTargets(colour, clamp(0.55 + 0.4 * fresnel, 0.0, 1.0) * Diffuse.a, n);
}

void PS_Outline() {
    outColor0 = OutlineColor;
    outColor1 = vec4(-vViewZ, 0.0, 0.0, 1.0);
    outColor2 = vec4(0.5, 0.5, 0.0, 0.0);
}

@sampler ToonTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler ShadowTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler ShadowTexSmooth MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler MeshTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=LINEAR ADDRESSU=WRAP ADDRESSV=WRAP

@technique Tech
@pass 0 vertex=VS_Main fragment=PS_Toon
@pass 1 vertex=VS_Main fragment=PS_Frozen ZWRITEENABLE=FALSE
@pass 2 vertex=VS_Main fragment=PS_ToonWhole
@pass 3 vertex=VS_Main fragment=PS_UnlitWhole
@technique OutlineTech
@pass 0 vertex=VS_Outline fragment=PS_Outline CULLMODE=CW
