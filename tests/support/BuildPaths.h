#pragma once
// Where this build keeps its runners, its content tree and its sources, for the tests and benchmarks.
// The paths are compiled into one generated source file of the build (BuildPaths.cpp in the build
// folder), not into every test's command line: the tests of a checkout elsewhere then compile to the
// same objects, which the compiler cache already holds.
namespace buildpaths {
const char* Sim();           // veldorin-sim
const char* Game();          // veldorin
const char* BuiltGameDir();  // the content tree the build generated
const char* BuildDir();
const char* SourceDir();
}  // namespace buildpaths

#define VELDORIN_SIM (::buildpaths::Sim())
#define VELDORIN_GAME (::buildpaths::Game())
#define VELDORIN_BUILT_GAME_DIR (::buildpaths::BuiltGameDir())
#define VELDORIN_BUILD_DIR (::buildpaths::BuildDir())
#define VELDORIN_SOURCE_DIR (::buildpaths::SourceDir())
