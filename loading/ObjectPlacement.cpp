#include "loading/ObjectPlacement.h"

#include <functional>
#include <utility>

#include "loading/TextData.h"
#include "objects/CChest.h"
#include "objects/CDoor.h"
#include "objects/CFlameStatue.h"
#include "objects/CGoal.h"
#include "objects/CItem.h"
#include "objects/CLauncher.h"
#include "objects/CSimpleObject.h"
#include "objects/CStoneBox.h"
#include "objects/CStoneStatue.h"
#include "objects/CSwitch.h"
#include "objects/CWoodBox.h"
#include "objects/Map.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"

namespace {

template <typename T>
CharacterBase* Make() {
    return new T;
}

// The classes a placement line may name, tried in this order; a line naming another is skipped.
const std::vector<std::pair<const char*, CharacterBase* (*)()>>& ClassTable() {
    static const std::vector<std::pair<const char*, CharacterBase* (*)()>> table = {
        {"Player", Make<Player>},
        {"Map", Make<Map>},
        {"CWoodBox", Make<CWoodBox>},
        {"CStoneBox", Make<CStoneBox>},
        {"CItem", Make<CItem>},
        {"CFlameStatue", Make<CFlameStatue>},
        {"CStoneStatue", Make<CStoneStatue>},
        {"CGoal", Make<CGoal>},
        {"CSwitch", Make<CSwitch>},
        {"CDoor", Make<CDoor>},
        {"CChest", Make<CChest>},
        {"CSimpleObject", Make<CSimpleObject>},
        {"CLauncher", Make<CLauncher>},
    };
    return table;
}

}  // namespace

bool ParsePlacementLine(const std::string& line, std::string& className, std::vector<std::string>& params) {
    Split(line, "\t", params);
    if (params.empty()) return false;
    std::string& first = params[0];
    const size_t open = first.find('(');
    if (open == std::string::npos || first.substr(0, open) != "Name") return false;
    const std::string rest = first.substr(open + 1);
    const size_t close = rest.find(')');
    className = rest.substr(0, close);
    first = close == std::string::npos ? rest : rest.substr(close + 1);
    return true;
}

CharacterBase* CreateObject(const std::string& className) {
    for (const auto& [name, make] : ClassTable()) {
        if (className == name) return make();
    }
    return nullptr;
}

void ObjectPlacement(const std::string& path) {
    for (const std::string& line : ReadLines(path)) {
        std::string className;
        std::vector<std::string> params;
        if (!ParsePlacementLine(line, className, params)) continue;
        CharacterBase* object = CreateObject(className);
        if (!object) continue;
        object->Init(params);
        AddObject(object);
    }
}
