#pragma once
// Scans of a text .x file that Assimp's reader cannot be trusted with: which animations are given by
// quaternion keys (see XFileKeyScan.cpp), and whether the file's structure is sound enough to read.
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::xfile {

// Both scans of one text, which is split into its words once; the text must outlive the scan.
class TextScan {
public:
    explicit TextScan(const std::string& text);
    // See ScanQuaternionKeys and StructureSound below.
    std::set<std::pair<int, std::string>> QuaternionKeys() const;
    bool StructureSound() const;

private:
    std::vector<std::string_view> tokens;
};

// (animation set in file order, frame name) of every animation with a quaternion AnimationKey.
std::set<std::pair<int, std::string>> ScanQuaternionKeys(const std::string& text);

// Braces that pair up; every Mesh with as many coordinates as it counts vertices and only triangles
// within them; every MeshMaterialList with material numbers below its count and that many materials.
// Assimp's reader crashes or aborts on files that break these.
bool StructureSound(const std::string& text);

}  // namespace platform::xfile
