// Assimp inverts the rotation of quaternion animation keys (it negates w) but reads matrix keys and
// frame matrices as D3DX does. A text file tells which kind of key each animation holds; this scan
// finds the quaternion-keyed ones so that the loader can undo the inversion for exactly those.
#include "platform/d3dx/XFileKeyScan.h"

#include <cctype>
#include <vector>

namespace platform::xfile {
namespace {

std::vector<std::string> Tokenize(const std::string& text) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if ((c == '/' && i + 1 < text.size() && text[i + 1] == '/') || c == '#') {
            while (i < text.size() && text[i] != '\n') ++i;
        } else if (c == '{' || c == '}') {
            tokens.emplace_back(1, c);
            ++i;
        } else if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ';') {
            ++i;
        } else {
            const size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && text[i] != ',' &&
                   text[i] != ';' && text[i] != '{' && text[i] != '}')
                ++i;
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

}  // namespace

std::set<std::pair<int, std::string>> ScanQuaternionKeys(const std::string& text) {
    const std::vector<std::string> t = Tokenize(text);
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

}  // namespace platform::xfile
