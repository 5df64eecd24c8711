#pragma once
// The effect of the headless device: keeps parameters and pass states like any effect and writes
// every call into the device's record as "Stem.Call:Name" (Stem: the file name without folder and
// extension), so that tests can read the frame's order of draws and parameter changes.
#include <string>

#include "platform/fx/EffectBase.h"
#include "platform/headless/HeadlessDevice.h"

class HeadlessEffect : public EffectBase {
public:
    HeadlessEffect(HeadlessDevice* device, EffectSource source, std::string stem)
        : EffectBase(device, std::move(source)), recorder(device), stem(std::move(stem)) {}

protected:
    void OnBeginPass(size_t, size_t) override {}
    void OnCommit() override {}
    void OnEndPass() override {}
    void OnCall(const char* call, D3DXHANDLE name, UINT index) override {
        if (!recorder->Recording()) return;
        std::string text = stem;
        text.append(".").append(call);
        if (name) text.append(":").append(name);
        if (std::string(call) == "BeginPass") text.append(":").append(std::to_string(index));
        recorder->Record(text);
    }

private:
    HeadlessDevice* recorder;
    std::string stem;
};
