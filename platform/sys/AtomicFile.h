#pragma once
// Writing a file so that a crash or a power loss leaves either the old content or the new one, never a
// mix: the bytes go to a temporary file beside it, which is synced, renamed over the target, and the
// folder synced after the rename.
#include <string>

namespace platform {

// The call that flushes a file or a folder to the disk: fsync, unless replaced (the tests watch the
// syncs this way); null restores fsync.
using SyncCall = int (*)(int fd);
void SetSyncCall(SyncCall call);

// Writes bytes as the whole content of path (a path on disk, not resolved). False, with the target
// untouched and no temporary file left, when it could not be written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace platform
