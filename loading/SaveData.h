#pragma once
#include <optional>

#include "platform/sys/AtomicFile.h"

// The one number of progress the game keeps: how many stages are open in the title hub. Its files
// live in the working directory, the content tree; where that is not writable (an installed game)
// they live under the same names in the player's data folder (see platform/sys/PlayerData.h), which
// starts empty: a new game.

constexpr char kSaveFile[] = "save.dat";
constexpr char kStageFallbackFile[] = "Data/txt/Stage.txt";

// Reads "save.dat", or "Data/txt/Stage.txt" when there is none. Once a save exists, the fallback file
// is rewritten to hold 1. A missing or unreadable number, or one below 1, gives 1, the state of a new
// game.
int ReadProgress();
// Writes n as the only line of "save.dat". The new file replaces the old one in a single step, so a
// crash mid-write leaves the previous save intact. False when it could not be written.
bool WriteProgress(int n);
// While set (a journal played back), ReadProgress gives this number and WriteProgress keeps its number
// here instead of writing it; unset, both use the files again.
void OverrideProgress(std::optional<int> progress);
// Writes n and a line end as the whole content of path, through a temporary file renamed over it.
// The temporary file is synced before the rename and its folder after it, so that once this returns
// a power loss keeps the new number.
bool WriteNumberFile(const char* path, int n);

// The call that flushes a file or a folder to the disk: fsync, unless replaced (the tests watch the
// syncs this way); null restores fsync.
using SyncCall = platform::SyncCall;
void SetSyncCall(SyncCall call);
