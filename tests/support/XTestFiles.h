#pragma once
// Small hand-written .x files whose contents the tests know exactly, and a scratch folder to put them in.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace xtest {

// Two triangles in one mesh. Face 0 (material 1, "Blue") is (0,0,0) (0,1,0) (1,0,0): clockwise seen
// from -z, so its front faces -z. Face 1 (material 0, "Red", textured "tex\red.png") is
// (0,0,0) (1,0,0) (0,0,1). Red's ambient is not in the file; its diffuse is (1, 0, 0, 0.5).
inline const char* kTwoMaterials = R"(xof 0303txt 0032
Material Red { 1.000000;0.000000;0.000000;0.500000;; 10.000000; 0.500000;0.500000;0.500000;; 0.000000;0.000000;0.000000;; TextureFilename { "tex\\red.png"; } }
Frame Body {
 FrameTransformMatrix { 1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000;; }
 Mesh Tri {
  4;
  0.000000;0.000000;0.000000;, 1.000000;0.000000;0.000000;, 0.000000;1.000000;0.000000;, 0.000000;0.000000;1.000000;;
  2;
  3;0,2,1;, 3;0,1,3;;
  MeshNormals { 1; 0.000000;0.000000;-1.000000;; 2; 3;0,0,0;, 3;0,0,0;; }
  MeshTextureCoords { 4; 0.000000;0.000000;, 1.000000;0.000000;, 0.000000;1.000000;, 1.000000;1.000000;; }
  MeshMaterialList { 2; 2; 1, 0;; {Red} Material Blue { 0.000000;0.000000;1.000000;1.000000;; 5.000000; 0.000000;0.000000;0.000000;; 0.000000;0.000000;0.000000;; } }
 }
}
)";

// One bone "Arm" standing 10 up from the root, turned 90 degrees about z in the bind pose (its x axis
// points up), one triangle bound to it with the matching offset matrix, textured "tex/skin.png",
// and two animation sets in the file: "Swing" (first) turns the arm about z from 0 to 90 degrees over
// one second with quaternion keys; "Held" (second) holds it at the frame's own rotation with a matrix key.
inline const char* kOneBone = R"(xof 0303txt 0032
Frame Root {
 FrameTransformMatrix { 1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000;; }
 Frame Skin {
  FrameTransformMatrix { 1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000;; }
  Mesh Stick {
   3;
   0.000000;10.000000;0.000000;, 0.000000;20.000000;0.000000;, 1.000000;10.000000;0.000000;;
   1;
   3;0,1,2;;
   MeshNormals { 1; 0.000000;0.000000;-1.000000;; 1; 3;0,0,0;; }
   MeshTextureCoords { 3; 0.000000;0.000000;, 0.000000;1.000000;, 1.000000;0.000000;; }
   MeshMaterialList { 1; 1; 0;; Material { 0.800000;0.700000;0.600000;1.000000;; 5.000000; 0.000000;0.000000;0.000000;; 0.000000;0.000000;0.000000;; TextureFilename { "tex/skin.png"; } } }
   XSkinMeshHeader { 1; 1; 1; }
   SkinWeights { "Arm"; 3; 0,1,2; 1.000000,1.000000,1.000000; 0.000000,-1.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,-10.000000,0.000000,0.000000,1.000000;; }
  }
 }
 Frame Arm {
  FrameTransformMatrix { 0.000000,1.000000,0.000000,0.000000,-1.000000,0.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,10.000000,0.000000,1.000000;; }
 }
}
AnimTicksPerSecond { 4800; }
AnimationSet Swing { Animation { {Arm}
  AnimationKey { 0; 2; 0;4;1.000000,0.000000,0.000000,0.000000;;, 4800;4;0.707107,0.000000,0.000000,0.707107;;; }
  AnimationKey { 2; 1; 0;3;0.000000,10.000000,0.000000;;; } } }
AnimationSet Held { Animation { {Arm}
  AnimationKey { 4; 1; 0;16;0.000000,1.000000,0.000000,0.000000,-1.000000,0.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,10.000000,0.000000,1.000000;;; } } }
)";

// A folder of its own for one test, made the working folder while the object lives.
class ScratchFolder {
public:
    ScratchFolder() {
        root = std::filesystem::temp_directory_path() / ("veldorin_x_" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(root);
    }
    ~ScratchFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(root);
    }
    void Write(const std::string& relative, const std::string& text) const {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

private:
    std::filesystem::path root, previous;
};

}  // namespace xtest
