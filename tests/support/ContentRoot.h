#pragma once
// The content tree a test or benchmark process plays in: a tree of its own, linked to the built one
// and starting as a new game, so that nothing a game played in the build left there (a save, the
// stage fallback) reaches a test, and nothing a test writes reaches the build. Every source of the
// tests and benchmarks sees this header first (-include): there VELDORIN_GAME_DIR names this tree,
// VELDORIN_BUILT_GAME_DIR the built one. The runners a test starts find it through VELDORIN_ROOT.
#include <filesystem>

#include "tests/support/BuildPaths.h"

#define VELDORIN_GAME_DIR (::contentroot::Root())

// A copy of the built content tree at `to` made of links to its files, so that a run may write files of
// its own (and replace a linked one after removing the link) without touching the built tree.
void LinkContentTree(const std::filesystem::path& to);

namespace contentroot {
// Made on the first call (which sets VELDORIN_ROOT), removed when the process ends normally.
const char* Root();
// Makes the tree afresh: what the test before wrote there is gone.
void Renew();
}  // namespace contentroot
