#pragma once
// The headless device's record of one action at a time, as call names, and finding calls in it.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessDevice.h"

namespace testsupport {

// The calls the device recorded while the action ran (recording is off afterwards).
inline std::vector<std::string> RecordCalls(HeadlessDevice& device, const std::function<void()>& action) {
    device.ClearCalls();
    device.StartRecording();
    action();
    device.StopRecording();
    std::vector<std::string> names;
    for (const auto& call : device.Calls()) names.push_back(call.ToString());
    return names;
}

inline int CountCalls(const std::vector<std::string>& calls, const std::string& prefix) {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

// The position of the first call starting with the prefix, or -1.
inline long IndexOfCall(const std::vector<std::string>& calls, const std::string& prefix) {
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
    return -1;
}

}  // namespace testsupport
