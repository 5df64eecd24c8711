#include "platform/gl/FixedFunction.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/gl/FixedFunctionShaders.h"
#include "platform/gl/GLTexture.h"

namespace {

GLuint Compile(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "fixed-function shader: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLint MinFilter(DWORD min, DWORD mip, bool hasMips) {
    const bool linear = min == D3DTEXF_LINEAR;
    if (!hasMips || mip == D3DTEXF_NONE) return linear ? GL_LINEAR : GL_NEAREST;
    if (mip == D3DTEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

GLint AddressMode(DWORD mode) {
    switch (mode) {
        case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
        default: return GL_REPEAT;
    }
}

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST: return GL_POINTS;
        case D3DPT_LINELIST: return GL_LINES;
        case D3DPT_LINESTRIP: return GL_LINE_STRIP;
        case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
        case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
        default: return GL_TRIANGLE_STRIP;
    }
}

const void* Offset(size_t bytes) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(bytes)); }

}  // namespace

FixedFunction::~FixedFunction() {
    // The device deletes its program with the context; nothing to do when none was built.
    if (program) glDeleteProgram(program);
    if (vertexBuffer) glDeleteBuffers(1, &vertexBuffer);
    if (vertexArray) glDeleteVertexArrays(1, &vertexArray);
}

bool FixedFunction::Build() {
    GLuint vs = Compile(GL_VERTEX_SHADER, platform::gl::kFixedVertexShader);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, platform::gl::kFixedFragmentShader);
    if (!vs || !fs) {
        failed = true;
        return false;
    }
    program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(program);
        program = 0;
        failed = true;
        return false;
    }
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    return true;
}

void FixedFunction::SetUniforms(const FixedDrawState& state) {
    auto at = [this](const char* name) { return glGetUniformLocation(program, name); };
    glUniformMatrix4fv(at("uWorldViewProj"), 1, GL_FALSE, &state.worldViewProj._11);
    glUniform1i(at("uPretransformed"), (state.fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW);
    glUniform4f(at("uViewport"), static_cast<float>(state.viewport.X), static_cast<float>(state.viewport.Y),
                static_cast<float>(state.viewport.Width), static_cast<float>(state.viewport.Height));
    glUniform3i(at("uColourOp"), static_cast<GLint>(state.stage0[0]), static_cast<GLint>(state.stage0[1]),
                static_cast<GLint>(state.stage0[2]));
    glUniform3i(at("uAlphaOp"), static_cast<GLint>(state.stage0[3]), static_cast<GLint>(state.stage0[4]),
                static_cast<GLint>(state.stage0[5]));
    glUniform1i(at("uAlphaTest"), state.alphaTest);
    glUniform1i(at("uAlphaFunc"), static_cast<GLint>(state.alphaFunc));
    glUniform1f(at("uAlphaRef"), static_cast<float>(state.alphaRef & 0xFF));
    glUniform1i(at("uTexture"), 0);
    glUniform1i(at("uLighting"), state.lighting);
    glUniformMatrix4fv(at("uWorld"), 1, GL_FALSE, &state.world._11);
    glUniform3f(at("uLightDirection"), state.light.Direction.x, state.light.Direction.y, state.light.Direction.z);
    const auto colour = [&](const char* name, const D3DCOLORVALUE& c) { glUniform4f(at(name), c.r, c.g, c.b, c.a); };
    colour("uLightDiffuse", state.light.Diffuse);
    colour("uLightAmbient", state.light.Ambient);
    colour("uMaterialDiffuse", state.material.Diffuse);
    colour("uMaterialAmbient", state.material.Ambient);
    colour("uMaterialEmissive", state.material.Emissive);
    glUniform4f(at("uAmbient"), ((state.ambient >> 16) & 0xFF) / 255.0f, ((state.ambient >> 8) & 0xFF) / 255.0f,
                (state.ambient & 0xFF) / 255.0f, 1.0f);
    glUniform1i(at("uHasTexture"), state.texture != nullptr);
}

void FixedFunction::BindTexture(const FixedDrawState& state) {
    glActiveTexture(GL_TEXTURE0);
    if (!state.texture) {
        glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    glBindTexture(GL_TEXTURE_2D, state.texture->Prepare());
    const auto& s = state.sampler0;
    const bool hasMips = state.texture->GetLevelCount() > 1;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, MinFilter(s[D3DSAMP_MINFILTER], s[D3DSAMP_MIPFILTER], hasMips));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, s[D3DSAMP_MAGFILTER] == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, AddressMode(s[D3DSAMP_ADDRESSU]));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, AddressMode(s[D3DSAMP_ADDRESSV]));
    float bias = 0.0f;
    static_assert(sizeof bias == sizeof s[D3DSAMP_MIPMAPLODBIAS]);
    std::memcpy(&bias, &s[D3DSAMP_MIPMAPLODBIAS], sizeof bias);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, bias);
}

// Vertex members follow one another in the order position, normal, diffuse, specular, texture sets.
void FixedFunction::SetVertexLayout(DWORD fvf, UINT stride) {
    const auto step = static_cast<GLsizei>(stride);
    size_t offset = 0;
    const bool pretransformed = (fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW;
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, pretransformed ? 4 : 3, GL_FLOAT, GL_FALSE, step, Offset(offset));
    offset += pretransformed ? 16 : 12;
    if (fvf & D3DFVF_NORMAL) {
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, step, Offset(offset));
        offset += 12;
    } else {
        glDisableVertexAttribArray(1);
        glVertexAttrib3f(1, 0.0f, 0.0f, 0.0f);
    }
    if (fvf & D3DFVF_DIFFUSE) {
        glEnableVertexAttribArray(2);
        // D3DCOLOR is stored B, G, R, A.
        glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, step, Offset(offset));
        offset += 4;
    } else {
        glDisableVertexAttribArray(2);
        glVertexAttrib4f(2, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (fvf & D3DFVF_SPECULAR) offset += 4;
    if ((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT) {
        glEnableVertexAttribArray(3);
        glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, step, Offset(offset));
    } else {
        glDisableVertexAttribArray(3);
        glVertexAttrib2f(3, 0.0f, 0.0f);
    }
}

void FixedFunction::UseProgram(const FixedDrawState& state) {
    if (state.effectProgram) {
        // Effects place pre-transformed vertices with the viewport the device reports.
        glUseProgram(state.effectProgram);
        glUniform4f(glGetUniformLocation(state.effectProgram, "fxViewport"), static_cast<float>(state.viewport.X),
                    static_cast<float>(state.viewport.Y), static_cast<float>(state.viewport.Width),
                    static_cast<float>(state.viewport.Height));
        return;
    }
    glUseProgram(program);
    SetUniforms(state);
    BindTexture(state);
}

bool FixedFunction::Draw(const FixedDrawState& state, D3DPRIMITIVETYPE type, UINT primitiveCount,
                         const void* vertices, UINT stride) {
    if (failed || (!program && !Build())) return false;
    const DWORD position = state.fvf & D3DFVF_POSITION_MASK;
    if (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) return false;
    const UINT count = VertexCountOf(type, primitiveCount);
    if (count == 0) return true;
    UseProgram(state);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * stride, vertices, GL_STREAM_DRAW);
    SetVertexLayout(state.fvf, stride);
    glDrawArrays(PrimitiveMode(type), 0, static_cast<GLsizei>(count));
    glBindVertexArray(0);
    glUseProgram(0);
    return true;
}

bool FixedFunction::DrawIndexed(const FixedDrawState& state, const GLMeshBuffers& buffers, UINT stride,
                                UINT firstIndex, UINT indexCount) {
    if (failed || (!program && !Build())) return false;
    if (indexCount == 0) return true;
    UseProgram(state);
    glBindVertexArray(buffers.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indexBuffer);
    SetVertexLayout(state.fvf, stride);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_SHORT, Offset(firstIndex * 2u));
    glBindVertexArray(0);
    glUseProgram(0);
    return true;
}
