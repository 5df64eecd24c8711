#include "platform/fx/GLEffect.h"

#include "platform/gl/GLDevice.h"

namespace {

// Vertex inputs at the locations every vertex layout of the device binds them to, the three colour
// outputs of the scene pass, and mul() with D3DX's row-vector meaning: matrices arrive in D3DX's memory
// layout, which GLSL reads as the transpose, so mul(v, M) is M * v. ScreenPosition() places a
// pre-transformed vertex (screen pixels) as the fixed pipeline does.
const char* const kVertexPrelude =
    "#version 450 core\n"
    "#define mul(v, m) ((m) * (v))\n"
    "layout(location = 0) in vec4 fxPosition;\n"
    "layout(location = 1) in vec3 inNormal;\n"
    "layout(location = 2) in vec4 inColor;\n"
    "layout(location = 3) in vec2 inTexCoord;\n"
    "#define inPosition (fxPosition.xyz)\n"
    "uniform vec4 fxViewport;\n"
    "vec4 ScreenPosition() {\n"
    "    vec2 onCentre = vec2(equal(fract(fxPosition.xy), vec2(0.0)));\n"
    "    vec2 pixel = fxPosition.xy + 0.5 - onCentre * (1.0 / 128.0) - fxViewport.xy;\n"
    "    return vec4(pixel.x / fxViewport.z * 2.0 - 1.0, 1.0 - pixel.y / fxViewport.w * 2.0, fxPosition.z, 1.0);\n"
    "}\n";
const char* const kFragmentPrelude =
    "#version 450 core\n"
    "#define mul(v, m) ((m) * (v))\n"
    "layout(location = 0) out vec4 outColor0;\n"
    "layout(location = 1) out vec4 outColor1;\n"
    "layout(location = 2) out vec4 outColor2;\n";

std::string InfoLog(GLuint object, bool program) {
    GLint length = 0;
    program ? glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length) : glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    program ? glGetProgramInfoLog(object, length, nullptr, log.data()) : glGetShaderInfoLog(object, length, nullptr, log.data());
    return log.c_str();
}

GLuint CompileStage(GLenum stage, const std::string& text, std::string& error) {
    const GLuint shader = glCreateShader(stage);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        error += InfoLog(shader, false);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// One stage's source: prelude, shared code, the stage's code and a main that calls the entry. #line
// keeps the compiler's line numbers those of the effect file.
std::string StageSource(const char* prelude, const EffectSource& s, const std::string& code, int codeLine,
                        const std::string& entry) {
    return std::string(prelude) + "#line " + std::to_string(s.commonLine) + "\n" + s.common + "#line " +
           std::to_string(codeLine) + "\n" + code + "\nvoid main() { " + entry + "(); }\n";
}

GLint GLWrap(DWORD address) {
    return address == D3DTADDRESS_CLAMP ? GL_CLAMP_TO_EDGE : address == D3DTADDRESS_MIRROR ? GL_MIRRORED_REPEAT : GL_REPEAT;
}

GLuint MakeSampler(const EffectSamplerDesc& d, bool shadow) {
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    const bool linear = d.minFilter == D3DTEXF_LINEAR;
    GLint minFilter = linear ? GL_LINEAR : GL_NEAREST;
    if (d.mipFilter == D3DTEXF_LINEAR) minFilter = linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    if (d.mipFilter == D3DTEXF_POINT) minFilter = linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, d.magFilter == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GLWrap(d.addressU));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GLWrap(d.addressV));
    if (shadow) {
        glSamplerParameteri(sampler, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glSamplerParameteri(sampler, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    }
    return sampler;
}

}  // namespace

GLEffect::GLEffect(GLDevice* device, EffectSource source) : EffectBase(device, std::move(source)), glDevice(device) {}

GLEffect::~GLEffect() {
    for (auto& technique : programs) {
        for (auto& program : technique) glDeleteProgram(program.id);
    }
    for (GLuint sampler : samplers) {
        if (sampler) glDeleteSamplers(1, &sampler);
    }
}

GLEffect* GLEffect::Create(GLDevice* device, EffectSource source, const std::string& fileName, std::string& error) {
    auto* effect = new GLEffect(device, std::move(source));
    if (!effect->Compile(fileName, error)) {
        effect->Release();
        return nullptr;
    }
    return effect;
}

bool GLEffect::Compile(const std::string& fileName, std::string& error) {
    const EffectSource& s = Source();
    for (const auto& technique : s.techniques) {
        programs.emplace_back();
        for (size_t p = 0; p < technique.passes.size(); ++p) {
            const EffectPass& pass = technique.passes[p];
            std::string log;
            const GLuint vs = CompileStage(GL_VERTEX_SHADER,
                                           StageSource(kVertexPrelude, s, s.vertex, s.vertexLine, pass.vertexEntry), log);
            const GLuint fs = CompileStage(
                GL_FRAGMENT_SHADER, StageSource(kFragmentPrelude, s, s.fragment, s.fragmentLine, pass.fragmentEntry), log);
            Program program;
            if (vs && fs) {
                program.id = glCreateProgram();
                glAttachShader(program.id, vs);
                glAttachShader(program.id, fs);
                glLinkProgram(program.id);
                GLint linked = 0;
                glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
                if (!linked) log += InfoLog(program.id, true);
            }
            if (vs) glDeleteShader(vs);
            if (fs) glDeleteShader(fs);
            if (!log.empty() || !program.id) {
                error = fileName + ": technique " + technique.name + ", pass " + std::to_string(p) + ":\n" + log;
                if (program.id) glDeleteProgram(program.id);
                return false;
            }
            for (const auto& param : Params()) {
                program.locations.push_back(glGetUniformLocation(program.id, param.decl.name.c_str()));
            }
            programs.back().push_back(std::move(program));
        }
    }
    for (const auto& param : Params()) {
        const bool texture = param.decl.type == EffectParamType::Texture;
        auto desc = s.samplers.find(param.decl.name);
        samplers.push_back(
            texture ? MakeSampler(desc != s.samplers.end() ? desc->second : EffectSamplerDesc{}, param.decl.shadow) : 0);
    }
    return true;
}

void GLEffect::OnBeginPass(size_t technique, size_t pass) {
    current = &programs[technique][pass];
    glDevice->SetEffectProgram(current->id);
}

void GLEffect::OnCommit() {
    if (!current) return;
    glUseProgram(current->id);
    GLint unit = 0;
    auto& params = Params();
    for (size_t i = 0; i < params.size(); ++i) {
        const EffectParam& param = params[i];
        const GLint location = current->locations[i];
        if (param.decl.type == EffectParamType::Texture) {
            // Every sampler the pass reads gets its own unit; an unset texture samples as black. One the
            // pass does not read is left unbound: binding a current target would copy it for nothing.
            if (location >= 0) {
                glDevice->BindEffectTexture(unit, param.texture, samplers[i]);
                glUniform1i(location, unit);
            }
            ++unit;
            continue;
        }
        if (location < 0) continue;
        switch (param.decl.type) {
            case EffectParamType::Float: glUniform1f(location, param.values[0]); break;
            case EffectParamType::Float2: glUniform2fv(location, 1, param.values); break;
            case EffectParamType::Float3: glUniform3fv(location, 1, param.values); break;
            case EffectParamType::Float4: glUniform4fv(location, 1, param.values); break;
            case EffectParamType::Int: glUniform1i(location, param.intValue); break;
            case EffectParamType::Matrix: glUniformMatrix4fv(location, 1, GL_FALSE, param.values); break;
            default: break;
        }
    }
}

void GLEffect::OnEndPass() {
    current = nullptr;
    glDevice->SetEffectProgram(0);
}
