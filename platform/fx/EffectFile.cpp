#include "platform/fx/EffectFile.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace {

const std::map<std::string, D3DRENDERSTATETYPE>& StateNames() {
    static const std::map<std::string, D3DRENDERSTATETYPE> names = {
        {"ZENABLE", D3DRS_ZENABLE},
        {"ZWRITEENABLE", D3DRS_ZWRITEENABLE},
        {"ZFUNC", D3DRS_ZFUNC},
        {"CULLMODE", D3DRS_CULLMODE},
        {"FILLMODE", D3DRS_FILLMODE},
        {"ALPHABLENDENABLE", D3DRS_ALPHABLENDENABLE},
        {"SRCBLEND", D3DRS_SRCBLEND},
        {"DESTBLEND", D3DRS_DESTBLEND},
        {"BLENDOP", D3DRS_BLENDOP},
        {"SEPARATEALPHABLENDENABLE", D3DRS_SEPARATEALPHABLENDENABLE},
        {"SRCBLENDALPHA", D3DRS_SRCBLENDALPHA},
        {"DESTBLENDALPHA", D3DRS_DESTBLENDALPHA},
        {"STENCILENABLE", D3DRS_STENCILENABLE},
        {"COLORWRITEENABLE", D3DRS_COLORWRITEENABLE},
    };
    return names;
}

const std::map<std::string, DWORD>& ValueNames() {
    static const std::map<std::string, DWORD> values = {
        {"TRUE", 1}, {"FALSE", 0},
        {"NONE", D3DCULL_NONE}, {"CW", D3DCULL_CW}, {"CCW", D3DCULL_CCW},
        {"ZERO", D3DBLEND_ZERO}, {"ONE", D3DBLEND_ONE}, {"SRCALPHA", D3DBLEND_SRCALPHA},
        {"INVSRCALPHA", D3DBLEND_INVSRCALPHA}, {"SRCCOLOR", D3DBLEND_SRCCOLOR},
        {"INVSRCCOLOR", D3DBLEND_INVSRCCOLOR}, {"DESTALPHA", D3DBLEND_DESTALPHA},
        {"INVDESTALPHA", D3DBLEND_INVDESTALPHA}, {"DESTCOLOR", D3DBLEND_DESTCOLOR},
        {"INVDESTCOLOR", D3DBLEND_INVDESTCOLOR},
        {"ADD", D3DBLENDOP_ADD}, {"SUBTRACT", D3DBLENDOP_SUBTRACT}, {"MAX", D3DBLENDOP_MAX},
        {"MIN", D3DBLENDOP_MIN},
        {"NEVER", D3DCMP_NEVER}, {"LESS", D3DCMP_LESS}, {"EQUAL", D3DCMP_EQUAL},
        {"LESSEQUAL", D3DCMP_LESSEQUAL}, {"GREATER", D3DCMP_GREATER}, {"ALWAYS", D3DCMP_ALWAYS},
        {"SOLID", D3DFILL_SOLID}, {"WIREFRAME", D3DFILL_WIREFRAME},
    };
    return values;
}

bool ParseValue(const std::string& text, DWORD& out) {
    if (auto found = ValueNames().find(text); found != ValueNames().end()) {
        out = found->second;
        return true;
    }
    try {
        size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 0);
        out = static_cast<DWORD>(value);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

bool ParseSamplerKey(const std::string& key, const std::string& value, EffectSamplerDesc& sampler) {
    const std::map<std::string, DWORD> filters = {{"POINT", D3DTEXF_POINT}, {"LINEAR", D3DTEXF_LINEAR},
                                                  {"NONE", D3DTEXF_NONE}};
    const std::map<std::string, DWORD> addresses = {{"WRAP", D3DTADDRESS_WRAP}, {"CLAMP", D3DTADDRESS_CLAMP},
                                                    {"MIRROR", D3DTADDRESS_MIRROR}};
    DWORD* filter = key == "MINFILTER" ? &sampler.minFilter
                    : key == "MAGFILTER" ? &sampler.magFilter
                    : key == "MIPFILTER" ? &sampler.mipFilter
                                         : nullptr;
    DWORD* address = key == "ADDRESSU" ? &sampler.addressU : key == "ADDRESSV" ? &sampler.addressV : nullptr;
    if (filter && filters.count(value)) {
        *filter = filters.at(value);
        return true;
    }
    if (address && addresses.count(value)) {
        *address = addresses.at(value);
        return true;
    }
    return false;
}

// GLSL compilers accept identifiers of up to this many characters; longer words are refused here,
// with their line, before they reach a compiler.
constexpr size_t kMaxWord = 1024;

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The effect's parameters are the uniforms the shared section declares ("uniform TYPE NAME;").
// A plain scan over words and punctuation: its cost and stack use do not depend on the text.
bool CollectParams(EffectSource& out, int& faultLine, std::string& fault) {
    static const std::map<std::string, EffectParamType> types = {
        {"float", EffectParamType::Float}, {"vec2", EffectParamType::Float2}, {"vec3", EffectParamType::Float3},
        {"vec4", EffectParamType::Float4}, {"int", EffectParamType::Int},     {"bool", EffectParamType::Int},
        {"mat4", EffectParamType::Matrix}, {"sampler2D", EffectParamType::Texture},
        {"sampler2DShadow", EffectParamType::Texture}};
    const std::string& text = out.common;
    std::vector<std::string> tokens;  // the last four words or punctuation marks
    int line = out.commonLine;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\n') ++line;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        if (IsWordChar(c)) {
            while (end < text.size() && IsWordChar(text[end])) ++end;
            if (end - i > kMaxWord) {
                faultLine = line;
                fault = "a word longer than " + std::to_string(kMaxWord) + " characters";
                return false;
            }
        }
        if (tokens.size() == 4) tokens.erase(tokens.begin());
        tokens.push_back(text.substr(i, end - i));
        i = end;
        if (tokens.size() == 4 && tokens[0] == "uniform" && tokens[3] == ";" && IsWordChar(tokens[2][0])) {
            if (auto type = types.find(tokens[1]); type != types.end()) {
                out.params.push_back(EffectParamDecl{tokens[2], type->second, tokens[1] == "sampler2DShadow"});
            }
        }
    }
    return true;
}

}  // namespace

bool ParseEffectFile(const std::string& text, const std::string& fileName, EffectSource& out, std::string& error) {
    out = EffectSource{};
    std::istringstream in(text);
    std::string line;
    std::string* section = nullptr;
    EffectTechnique* technique = nullptr;
    auto fail = [&](int number, const std::string& what) {
        error = fileName + "(" + std::to_string(number) + "): " + what;
        return false;
    };
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("@", 0) != 0) {
            if (section) {
                *section += line + "\n";
            } else if (line.find_first_not_of(" \t") != std::string::npos && line.rfind("//", 0) != 0) {
                return fail(number, "text outside any section");
            }
            continue;
        }
        std::istringstream words(line);
        std::string directive;
        words >> directive;
        section = nullptr;
        if (directive == "@common" || directive == "@vertex" || directive == "@fragment") {
            section = directive == "@common" ? &out.common : directive == "@vertex" ? &out.vertex : &out.fragment;
            int& start = directive == "@common" ? out.commonLine : directive == "@vertex" ? out.vertexLine : out.fragmentLine;
            start = number + 1;
        } else if (directive == "@technique") {
            std::string name;
            if (!(words >> name)) return fail(number, "@technique needs a name");
            out.techniques.push_back(EffectTechnique{name, {}});
            technique = &out.techniques.back();
        } else if (directive == "@pass") {
            if (!technique) return fail(number, "@pass outside a technique");
            unsigned index = 0;
            if (!(words >> index) || index != technique->passes.size()) {
                return fail(number, "passes must be numbered 0, 1, 2 ... in order");
            }
            EffectPass pass;
            std::string item;
            while (words >> item) {
                const size_t eq = item.find('=');
                if (eq == std::string::npos) return fail(number, "expected KEY=VALUE, got '" + item + "'");
                const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
                if (key == "vertex") {
                    pass.vertexEntry = value;
                } else if (key == "fragment") {
                    pass.fragmentEntry = value;
                } else if (auto state = StateNames().find(key); state != StateNames().end()) {
                    DWORD v = 0;
                    if (!ParseValue(value, v)) return fail(number, "unknown value '" + value + "' for " + key);
                    pass.states.emplace_back(state->second, v);
                } else {
                    return fail(number, "unknown pass state '" + key + "'");
                }
            }
            if (pass.vertexEntry.empty() || pass.fragmentEntry.empty()) {
                return fail(number, "a pass needs vertex=ENTRY and fragment=ENTRY");
            }
            technique->passes.push_back(std::move(pass));
        } else if (directive == "@sampler") {
            std::string name, item;
            if (!(words >> name)) return fail(number, "@sampler needs a parameter name");
            EffectSamplerDesc& sampler = out.samplers[name];
            while (words >> item) {
                const size_t eq = item.find('=');
                if (eq == std::string::npos || !ParseSamplerKey(item.substr(0, eq), item.substr(eq + 1), sampler)) {
                    return fail(number, "unknown sampler setting '" + item + "'");
                }
            }
        } else {
            return fail(number, "unknown directive '" + directive + "'");
        }
    }
    if (out.techniques.empty()) return fail(1, "no technique");
    for (const auto& t : out.techniques) {
        if (t.passes.empty()) return fail(1, "technique " + t.name + " has no pass");
    }
    int faultLine = 0;
    std::string fault;
    if (!CollectParams(out, faultLine, fault)) return fail(faultLine, fault);
    return true;
}
