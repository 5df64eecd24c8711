// A separable Gaussian blur for the blur targets: pass 0 blurs across, pass 1 down.
@common
uniform sampler2D SceneTex;
uniform vec4 TexelSize;
uniform vec4 ScreenSize;
uniform vec3 LightDir;
uniform vec3 CamPos;
uniform mat4 mV;
uniform mat4 mP;
uniform int bClip;

@vertex
out vec2 vUV;

void VS_Screen() {
    gl_Position = ScreenPosition();
    vUV = inTexCoord;
}

@fragment
in vec2 vUV;

vec4 Blur(vec2 direction) {
    const float weights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);
    vec4 sum = texture(SceneTex, vUV) * weights[0];
    for (int i = 1; i < 5; ++i) {
        sum += texture(SceneTex, vUV + direction * float(i)) * weights[i];
        sum += texture(SceneTex, vUV - direction * float(i)) * weights[i];
    }
    return sum;
}

void PS_Across() { outColor0 = Blur(vec2(TexelSize.x, 0.0)); }
void PS_Down() { outColor0 = Blur(vec2(0.0, TexelSize.y)); }

@sampler SceneTex MINFILTER=LINEAR MAGFILTER=LINEAR MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP

@technique BlurTech
@pass 0 vertex=VS_Screen fragment=PS_Across ZENABLE=FALSE ALPHABLENDENABLE=FALSE CULLMODE=NONE
@pass 1 vertex=VS_Screen fragment=PS_Down ZENABLE=FALSE ALPHABLENDENABLE=FALSE CULLMODE=NONE
