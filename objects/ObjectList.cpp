#include "objects/ObjectList.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The list lives for the whole run. Objects still in it when the process ends (the last scene is not
// finalised at shutdown) are freed with it; their destructors touch nothing but their own memory.
struct ObjectStore {
    std::vector<CharacterBase*> objects;
    ~ObjectStore() {
        for (CharacterBase* object : objects) delete object;
    }
};

}  // namespace

std::vector<CharacterBase*>& GetObjectList() {
    static ObjectStore store;
    return store.objects;
}

void AddObject(CharacterBase* object) { GetObjectList().push_back(object); }

void ClearObjects() {
    std::vector<CharacterBase*>& objects = GetObjectList();
    for (CharacterBase*& object : objects) {
        delete object;
        object = nullptr;
    }
    objects.clear();
}

void RemoveDeadObjects() {
    std::vector<CharacterBase*>& objects = GetObjectList();
    const auto firstDead = std::stable_partition(objects.begin(), objects.end(),
                                                 [](const CharacterBase* object) { return !object || object->dead != 1; });
    for (auto it = firstDead; it != objects.end(); ++it) delete *it;
    objects.erase(firstDead, objects.end());
}

void CollectByKind(std::vector<CharacterBase*>& out, int kind) {
    for (CharacterBase* object : GetObjectList()) {
        if (object && object->kind == kind) out.push_back(object);
    }
}

CharacterBase* FirstOfKind(int kind) {
    for (CharacterBase* object : GetObjectList()) {
        if (object && object->kind == kind) return object;
    }
    return nullptr;
}

CharacterBase* PlacementTarget(const std::string& value) {
    return value == "Player" ? FirstOfKind(KIND_PLAYER) : nullptr;
}

void UpdateObjects() {
    std::vector<CharacterBase*>& objects = GetObjectList();
    for (size_t i = 0; i < objects.size(); ++i) objects[i]->Update();
}

void DrawObjects2D() {
    std::vector<CharacterBase*>& objects = GetObjectList();
    for (size_t i = 0; i < objects.size(); ++i) objects[i]->Draw2D();
}

std::optional<ObjectCopies> CopyObjects(const std::vector<CharacterBase*>& from) {
    ObjectCopies copies;
    copies.reserve(from.size());
    std::unordered_map<const CharacterBase*, CharacterBase*> counterparts;
    for (const CharacterBase* object : from) {
        if (!object) continue;
        CharacterBase* copy = object->Clone();
        if (!copy) return std::nullopt;
        copies.emplace_back(copy);
        counterparts[object] = copy;
    }
    // A reference to an object outside the list (none in a stage) is dropped rather than shared.
    const CharacterBase::Counterpart counterpart = [&](const CharacterBase* object) -> CharacterBase* {
        const auto found = counterparts.find(object);
        return found == counterparts.end() ? nullptr : found->second;
    };
    for (const std::unique_ptr<CharacterBase>& copy : copies) copy->Relink(counterpart);
    return copies;
}
