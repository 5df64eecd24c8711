#pragma once
// Our effect-file format: GLSL code in sections plus declarations of techniques, passes, per-pass
// render states and samplers.
//
//   @common                 GLSL shared by both stages: uniforms (the effect's parameters), helpers
//   @vertex                 GLSL of the vertex stage: its entry functions and outputs
//   @fragment               GLSL of the fragment stage
//   @sampler NAME KEY=VALUE...          filtering and addressing of a sampler2D(Shadow) parameter
//   @technique NAME
//   @pass INDEX vertex=ENTRY fragment=ENTRY [STATE=VALUE]...
//
// Lines starting with "//" outside the GLSL sections are comments. Pass states use the render-state
// names without their prefix (CULLMODE=NONE, ZWRITEENABLE=FALSE, SRCBLEND=ONE ...); a pass's states are
// set when the pass begins and the previous values come back when the technique ends.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/d3d9/D3D9Types.h"

enum class EffectParamType { Float, Float2, Float3, Float4, Int, Matrix, Texture };

struct EffectParamDecl {
    std::string name;
    EffectParamType type = EffectParamType::Float;
    // A sampler2DShadow: it reads a depth texture and compares, lit (1) where the reference is at or
    // in front of the stored depth, as hardware shadow maps do.
    bool shadow = false;
};

struct EffectSamplerDesc {
    DWORD minFilter = D3DTEXF_LINEAR;
    DWORD magFilter = D3DTEXF_LINEAR;
    DWORD mipFilter = D3DTEXF_LINEAR;
    DWORD addressU = D3DTADDRESS_WRAP;
    DWORD addressV = D3DTADDRESS_WRAP;
};

struct EffectPass {
    std::string vertexEntry;
    std::string fragmentEntry;
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> states;
};

struct EffectTechnique {
    std::string name;
    std::vector<EffectPass> passes;
};

struct EffectSource {
    std::string common;
    std::string vertex;
    std::string fragment;
    int vertexLine = 1;    // file line where each GLSL section starts, for compiler messages
    int fragmentLine = 1;
    int commonLine = 1;
    std::vector<EffectTechnique> techniques;
    std::vector<EffectParamDecl> params;  // from the uniform declarations of @common
    std::map<std::string, EffectSamplerDesc> samplers;
};

// Parses an effect file; on failure returns false and describes the fault in error
// ("FILE(LINE): what is wrong").
bool ParseEffectFile(const std::string& text, const std::string& fileName, EffectSource& out, std::string& error);
