// The final picture: the scene colour with black outlines where the depth or the colour jumps.
// The depth target holds view-space depth, negative where the surface wants no outline, 0 where
// nothing was drawn.
@common
uniform sampler2D SceneTex;
uniform sampler2D ZMapTex;
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

float Depth(vec2 uv, out bool outline) {
    float stored = texture(ZMapTex, uv).r;
    outline = stored > 0.0;
    return stored == 0.0 ? 1000.0 : abs(stored);
}

void PS_Edge() {
    vec2 step = TexelSize.xy;
    bool centreOutline;
    float centre = Depth(vUV, centreOutline);
    vec3 colour = texture(SceneTex, vUV).rgb;
    float depthJump = 0.0;
    float colourJump = 0.0;
    vec2 offsets[4] = vec2[](vec2(step.x, 0.0), vec2(-step.x, 0.0), vec2(0.0, step.y), vec2(0.0, -step.y));
    bool anyOutline = centreOutline;
    float sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        bool outline;
        float d = Depth(vUV + offsets[i], outline);
        anyOutline = anyOutline || (outline && d < centre);
        sum += d;
        colourJump = max(colourJump, length(texture(SceneTex, vUV + offsets[i]).rgb - colour));
    }
    // Second difference of the depth relative to the nearer side: creases and silhouettes, not slopes.
    depthJump = abs(sum - 4.0 * centre) / max(min(centre, sum * 0.25), 0.1);
    float edge = 0.0;
    if (anyOutline) {
        edge = max(smoothstep(Limit * 0.25, Limit * 0.5, depthJump),
                   centreOutline ? smoothstep(Limit * 2.5, Limit * 4.0, colourJump) : 0.0);
    }
    outColor0 = vec4(mix(colour, vec3(0.05, 0.04, 0.06), edge), 1.0);
}

@sampler SceneTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP
@sampler ZMapTex MINFILTER=POINT MAGFILTER=POINT MIPFILTER=NONE ADDRESSU=CLAMP ADDRESSV=CLAMP

@technique EdgeTech
@pass 0 vertex=VS_Screen fragment=PS_Edge ZENABLE=FALSE ZWRITEENABLE=FALSE ALPHABLENDENABLE=FALSE CULLMODE=NONE
