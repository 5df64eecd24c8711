#pragma once
// Which animations of a text .x file are given by quaternion keys (see XFileKeyScan.cpp).
#include <set>
#include <string>
#include <utility>

namespace platform::xfile {

// (animation set in file order, frame name) of every animation with a quaternion AnimationKey.
std::set<std::pair<int, std::string>> ScanQuaternionKeys(const std::string& text);

}  // namespace platform::xfile
