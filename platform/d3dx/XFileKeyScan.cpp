// Assimp inverts the rotation of quaternion animation keys (it negates w) but reads matrix keys and
// frame matrices as D3DX does. A text file tells which kind of key each animation holds; this scan
// finds the quaternion-keyed ones so that the loader can undo the inversion for exactly those.
#include "platform/d3dx/XFileKeyScan.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform::xfile {
namespace {

using Tokens = std::vector<std::string_view>;

enum CharClass : uint8_t { kWordChar, kSeparator, kBrace };

// Blanks and the separators between numbers are kSeparator; the locale plays no part in a .x file.
// One table lookup a character: the file's bulk is numbers, and the scan runs on every model loaded.
constexpr std::array<uint8_t, 256> kClasses = [] {
    std::array<uint8_t, 256> classes{};
    for (unsigned char c : {' ', '\n', '\r', '\t', '\f', '\v', ',', ';'}) classes[c] = kSeparator;
    classes['{'] = classes['}'] = kBrace;
    return classes;
}();

uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

// Views into the text, which outlives them. A comment ("//" or "#") runs to the end of its line.
Tokens Tokenize(const std::string& text) {
    Tokens tokens;
    tokens.reserve(text.size() / 6);
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* p = begin; p < end;) {
        const uint8_t kind = ClassOf(*p);
        if (kind == kSeparator) {
            ++p;
        } else if (kind == kBrace) {
            tokens.emplace_back(p++, 1);
        } else if (*p == '#' || (*p == '/' && p + 1 < end && p[1] == '/')) {
            const void* lineEnd = std::memchr(p, '\n', static_cast<size_t>(end - p));
            p = lineEnd ? static_cast<const char*>(lineEnd) : end;
        } else {
            const char* const start = p;
            while (p < end && ClassOf(*p) == kWordChar) ++p;
            tokens.emplace_back(start, static_cast<size_t>(p - start));
        }
    }
    return tokens;
}

}  // namespace

TextScan::TextScan(const std::string& text) : tokens(Tokenize(text)) {}

std::set<std::pair<int, std::string>> ScanQuaternionKeys(const std::string& text) {
    return TextScan(text).QuaternionKeys();
}

bool StructureSound(const std::string& text) { return TextScan(text).StructureSound(); }

std::set<std::pair<int, std::string>> TextScan::QuaternionKeys() const {
    const Tokens& t = tokens;
    std::set<std::pair<int, std::string>> found;
    int set = -1;
    std::string frame;
    bool quaternion = false, inAnimation = false;
    auto flush = [&] {
        if (inAnimation && quaternion && !frame.empty()) found.insert({set, frame});
        inAnimation = quaternion = false;
        frame.clear();
    };
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == "AnimationSet") {
            flush();
            ++set;
        } else if (t[i] == "Animation") {
            flush();
            inAnimation = true;
        } else if (inAnimation && t[i] == "{" && i + 2 < t.size() && t[i + 2] == "}" && t[i + 1] != "{") {
            frame = t[i + 1];
            i += 2;
        } else if (inAnimation && t[i] == "AnimationKey") {
            size_t k = i + 1;
            if (k < t.size() && t[k] != "{") ++k;  // optional name
            if (k + 1 < t.size() && t[k] == "{" && t[k + 1] == "0") quaternion = true;
        }
    }
    flush();
    return found;
}

namespace {

// Reads the tokens of one data object's numbers in order; any token that is not a whole number below
// the limit fails the read.
class NumberReader {
public:
    NumberReader(const Tokens& tokens, size_t at) : t(tokens), i(at) {}
    bool Next(unsigned long limit, unsigned long& value) {
        if (i >= t.size() || t[i].empty() || t[i].size() > 9 || t[i].find_first_not_of("0123456789") != std::string::npos)
            return false;
        const std::string_view digits = t[i++];
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return value < limit;
    }
    bool Skip(size_t count) {
        for (size_t k = 0; k < count; ++k, ++i)
            if (i >= t.size() || t[i] == "{" || t[i] == "}") return false;
        return true;
    }
    size_t At() const { return i; }

private:
    const Tokens& t;
    size_t i;
};

constexpr unsigned long kCountLimit = 1000000;

// The index of the "{" opening the object whose template name is at i (a name of its own may sit
// between), or 0 when none follows.
size_t OpeningBrace(const Tokens& t, size_t i) {
    for (size_t k = i + 1; k < t.size() && k <= i + 2; ++k)
        if (t[k] == "{") return k;
    return 0;
}

bool MeshSound(const Tokens& t, size_t open) {
    NumberReader in(t, open + 1);
    unsigned long vertices = 0, faces = 0, corners = 0, index = 0;
    if (!in.Next(kCountLimit, vertices) || !in.Skip(vertices * 3) || !in.Next(kCountLimit, faces)) return false;
    for (unsigned long f = 0; f < faces; ++f) {
        if (!in.Next(kCountLimit, corners) || corners != 3) return false;
        for (int c = 0; c < 3; ++c)
            if (!in.Next(vertices, index)) return false;
    }
    return true;
}

bool MaterialListSound(const Tokens& t, size_t open) {
    NumberReader in(t, open + 1);
    unsigned long materials = 0, faces = 0, material = 0;
    if (!in.Next(kCountLimit, materials) || !in.Next(kCountLimit, faces)) return false;
    for (unsigned long f = 0; f < faces; ++f)
        if (!in.Next(materials, material)) return false;
    // The materials follow as Material objects (named or not), or as references in braces.
    unsigned long found = 0;
    int depth = 0;
    for (size_t k = in.At(); k < t.size() && depth >= 0; ++k) {
        if (t[k] == "}") {
            --depth;
            continue;
        }
        if (t[k] != "{" || depth++ != 0) continue;
        const bool object = t[k - 1] == "Material" || t[k - 2] == "Material";
        const bool reference = k + 2 < t.size() && t[k + 2] == "}" && t[k + 1] != "{";
        if (object || reference) ++found;
    }
    return found >= materials;
}

}  // namespace

bool TextScan::StructureSound() const {
    const Tokens& t = tokens;
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == "{") ++depth;
        else if (t[i] == "}" && --depth < 0) return false;
        const bool mesh = t[i] == "Mesh", list = t[i] == "MeshMaterialList";
        if ((!mesh && !list) || (i > 0 && t[i - 1] == "template")) continue;
        const size_t open = OpeningBrace(t, i);
        if (!open || !(mesh ? MeshSound(t, open) : MaterialListSound(t, open))) return false;
    }
    return depth == 0;
}

}  // namespace platform::xfile
