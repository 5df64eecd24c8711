#pragma once
// Finding the content tree the game reads its data from.

// True when the working directory holds the content tree: its start-up list "Data/txt/Init.txt",
// in any mix of case. A folder that merely holds a "data" folder is not one.
bool InContentTree();

// The game reads its data relative to the working directory. Started from elsewhere, it moves into
// the content tree that the build puts beside its binary (build/bin/../game) or, installed, the one
// under its prefix (PREFIX/libexec/veldorin/../../share/veldorin; the launcher starts it there).
void EnterContentTree(const char* argv0);
