# The build's own paths, for the tests and the benchmarks (support/BuildPaths.h).
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/tests/BuildPaths.cpp CONTENT "#include \"tests/support/BuildPaths.h\"
namespace buildpaths {
const char* Sim() { return \"$<TARGET_FILE:veldorin-sim>\"; }
const char* Game() { return \"$<TARGET_FILE:veldorin>\"; }
const char* BuiltGameDir() { return \"${VELDORIN_GAME_DIR}\"; }
const char* BuildDir() { return \"${CMAKE_BINARY_DIR}\"; }
const char* SourceDir() { return \"${CMAKE_SOURCE_DIR}\"; }
}  // namespace buildpaths
")
add_library(veldorin_buildpaths STATIC ${CMAKE_BINARY_DIR}/tests/BuildPaths.cpp)
target_include_directories(veldorin_buildpaths PRIVATE ${CMAKE_SOURCE_DIR})
