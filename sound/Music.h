#pragma once
// The two pieces of music and their slots. A scene stops the other scene's music first thing in its
// Initialize, then loads its resource lists, and starts its own music last, looping at the music
// volume.
constexpr int kGameMusicSlot = 0;
constexpr int kTitleMusicSlot = 1;

inline bool IsMusicSlot(int slot) { return slot == kGameMusicSlot || slot == kTitleMusicSlot; }

// The title scene: StopGameMusic first, StartTitleMusic once the hub is loaded.
void StopGameMusic();
void StartTitleMusic();
// The game scene: StopTitleMusic first, StartGameMusic once the stage is loaded.
void StopTitleMusic();
void StartGameMusic();
