#include "app/KeyNames.h"

#include "platform/input/Input.h"

namespace {

struct Named {
    int vk;
    const char* name;
};

constexpr Named kSpecial[] = {{VK_SPACE, "SPACE"}, {VK_RETURN, "RETURN"},   {VK_SHIFT, "SHIFT"},
                              {VK_UP, "UP"},       {VK_DOWN, "DOWN"},       {VK_LEFT, "LEFT"},
                              {VK_RIGHT, "RIGHT"}, {VK_LBUTTON, "LBUTTON"}, {VK_RBUTTON, "RBUTTON"}};

bool IsLetterOrDigit(int vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }

}  // namespace

std::string KeyName(int vk) {
    if (IsLetterOrDigit(vk)) return std::string(1, static_cast<char>(vk));
    for (const Named& key : kSpecial)
        if (key.vk == vk) return key.name;
    return {};
}

int KeyByName(const std::string& name) {
    if (name.size() == 1 && IsLetterOrDigit(name[0])) return name[0];
    for (const Named& key : kSpecial)
        if (name == key.name) return key.vk;
    return 0;
}

bool IsReservedKey(int vk) { return vk == VK_ESCAPE || vk == 'P' || vk == 'R' || vk == 'O' || vk == VK_BACK; }
