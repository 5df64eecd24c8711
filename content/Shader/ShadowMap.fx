// The shadow map: depth of every caster seen from the light, in a depth texture (0 near, 1 far). The
// pass draws depth only.
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
out vec2 vUV;

void VS_Shadow() {
    gl_Position = mul(mul(mul(vec4(inPosition, 1.0), mW), mLV), mLP);
    vUV = inTexCoord;
}

@fragment
in vec2 vUV;

void PS_Shadow() {
    // Cut-out texels (leaves, grates) cast no shadow.
    if (texture(MeshTex, vUV).a < 0.3) discard;
}

@sampler MeshTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=NONE

@technique Tech
@pass 0 vertex=VS_Shadow fragment=PS_Shadow ALPHABLENDENABLE=FALSE CULLMODE=NONE
