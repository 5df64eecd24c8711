// The shadow map: depth of every caster seen from the light, one float per texel (0 near, 1 far).
@common
uniform mat4 mW;
uniform mat4 mLV;
uniform mat4 mLP;
uniform mat4 mV;
uniform mat4 mP;
uniform vec3 LightDir;
uniform vec3 CamPos;
uniform vec4 ScreenSize;
uniform vec4 TexelSize;
uniform int bClip;
uniform sampler2D MeshTex;

@vertex
out float vDepth;
out vec2 vUV;

void VS_Shadow() {
    gl_Position = mul(mul(mul(vec4(inPosition, 1.0), mW), mLV), mLP);
    vDepth = gl_Position.z / gl_Position.w;
    vUV = inTexCoord;
}

@fragment
in float vDepth;
in vec2 vUV;

void PS_Shadow() {
    // Cut-out texels (leaves, grates) cast no shadow.
    if (texture(MeshTex, vUV).a < 0.3) discard;
    outColor0 = vec4(vDepth, 0.0, 0.0, 1.0);
}

@sampler MeshTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=NONE

@technique Tech
@pass 0 vertex=VS_Shadow fragment=PS_Shadow ALPHABLENDENABLE=FALSE CULLMODE=NONE
