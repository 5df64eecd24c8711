// Ice: frozen boxes, statues and the ice patches the cold shots lay.
// Pass 0 solid ice, pass 1 a translucent skin, pass 2 an additive sheen, pass 3 the glassy patch that
// reads the depth of the scene drawn so far ("ZMapTex") to fade where it meets other surfaces.
// "AlphaTest": 1 keeps every texel; lower values cut texels whose alpha is below 1 - AlphaTest.
// Outputs as the toon shader: colour, view-space depth (negative: no outline), normal and flag.
@common
uniform mat4 mW;
uniform mat4 mV;
uniform mat4 mP;
uniform vec3 LightDir;
uniform vec3 CamPos;
uniform vec4 NormalLightDir;
uniform vec4 ScreenSize;
uniform vec4 TexelSize;
uniform int bClip;
uniform vec3 ClipPos;
uniform vec4 ClipDir;
uniform int bRefract;
uniform sampler2D ToonTex;
uniform float Ambient;
uniform float Reflection;
uniform float AlphaTest;
uniform int bLight;
uniform vec4 Diffuse;
uniform vec4 Specular;
uniform float Power;
uniform float EmissivePow;
uniform vec4 Emissive;
uniform sampler2D MeshTex;
uniform sampler2D ZMapTex;

@vertex
out vec3 vWorld;
out vec3 vNormal;
out vec2 vUV;
out float vViewZ;

void VS_Ice() {
    vec4 world = mul(vec4(inPosition, 1.0), mW);
    vec4 view = mul(world, mV);
    gl_Position = mul(view, mP);
    vWorld = world.xyz;
    vNormal = mul(vec4(inNormal, 0.0), mW).xyz;
    vUV = inTexCoord;
    vViewZ = view.z;
}

@fragment
in vec3 vWorld;
in vec3 vNormal;
in vec2 vUV;
in float vViewZ;

const vec3 kDeep = vec3(0.28, 0.58, 0.86);
const vec3 kFrost = vec3(0.86, 0.96, 1.0);

struct IceLook {
    vec3 colour;
    float fresnel;
    float alpha;
};

IceLook Shade() {
    if (bClip != 0 && dot(vWorld - ClipPos, ClipDir.xyz) < 0.0) discard;
    vec4 texel = texture(MeshTex, vUV);
    if (texel.a < 1.0 - AlphaTest) discard;
    vec3 n = normalize(vNormal);
    vec3 toLight = -normalize(LightDir);
    vec3 toEye = normalize(CamPos - vWorld);
    float facing = dot(n, toLight);
    float ramp = bLight != 0 ? texture(ToonTex, vec2(clamp(facing * 0.5 + 0.5, 0.02, 0.98), 0.5)).r : 1.0;
    IceLook look;
    look.fresnel = pow(1.0 - max(dot(n, toEye), 0.0), 2.5);
    vec3 base = Diffuse.rgb * texel.rgb * mix(kDeep, kFrost, 0.35 + 0.65 * ramp);
    float glint = step(0.6, pow(max(dot(n, normalize(toLight + toEye)), 0.0), max(Power, 8.0)));
    // A second, fixed light from the side brings out the facets.
    float side = max(dot(n, -normalize(NormalLightDir.xyz)), 0.0) * 0.2;
    look.colour = base * max(ramp, Ambient) + kFrost * (look.fresnel * Reflection + side) + Specular.rgb * glint
                + Emissive.rgb * (1.0 - EmissivePow);
    look.alpha = Diffuse.a * texel.a;
    return look;
}

void Write(IceLook look, float alpha) {
    outColor0 = vec4(look.colour, alpha);
    outColor1 = vec4(vViewZ, 0.0, 0.0, 1.0);
    outColor2 = vec4(normalize(mul(vec4(normalize(vNormal), 0.0), mV).xyz) * 0.5 + 0.5, 1.0);
}

void PS_Solid() {
    IceLook look = Shade();
    Write(look, look.alpha);
}

void PS_Skin() {
    IceLook look = Shade();
    Write(look, look.alpha * (0.45 + 0.5 * look.fresnel));
}

void PS_Sheen() {
    IceLook look = Shade();
    outColor0 = vec4(kFrost * look.fresnel * 0.5, 1.0);
    outColor1 = vec4(vViewZ, 0.0, 0.0, 1.0);
    outColor2 = vec4(0.0);
}

// The patch: a sheet of clear ice that lets the surface under it show through, tinted and frosted.
// "ZMapTex" holds the depth of what was drawn before it: where the surface behind falls away from the
// sheet (a patch reaching over an edge) the ice reads thicker, deeper blue and milkier; where something
// rises through the sheet (a boot, a crate standing in it) a frosted line marks the contact.
void PS_Glass() {
    IceLook look = Shade();
    vec2 screen = gl_FragCoord.xy / max(ScreenSize.xy, vec2(1.0));
    float behind = abs(texture(ZMapTex, screen).r);
    // Depth of clear ice along the sight line; nothing behind reads as deep ice.
    float gap = behind > 0.0 ? behind - vViewZ : 4.0;
    float thickness = clamp(gap * 0.5, 0.0, 1.0);
    float contact = behind > 0.0 ? 1.0 - smoothstep(0.0, 0.012, abs(gap)) : 0.0;
    vec3 colour = mix(look.colour, look.colour * kDeep * 1.2, thickness * 0.6);
    colour = mix(colour, kFrost, contact * 0.6);
    float alpha = look.alpha * (0.5 + 0.4 * look.fresnel + 0.3 * thickness) + 0.3 * contact;
    Write(IceLook(colour, look.fresnel, look.alpha), clamp(alpha, 0.0, 0.92));
}

@sampler ToonTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler ZMapTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler MeshTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=LINEAR

@technique Tech
@pass 0 vertex=VS_Ice fragment=PS_Solid
@pass 1 vertex=VS_Ice fragment=PS_Skin ZWRITEENABLE=FALSE
@pass 2 vertex=VS_Ice fragment=PS_Sheen ZWRITEENABLE=FALSE SRCBLEND=ONE DESTBLEND=ONE
@pass 3 vertex=VS_Ice fragment=PS_Glass ZWRITEENABLE=FALSE
