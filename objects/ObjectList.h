#pragma once
// The objects of the running stage, stage geometry included, in insertion (placement) order. The list
// owns them: an object leaves only by being deleted. Objects find one another through it, by kind.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "objects/CharacterBase.h"

std::vector<CharacterBase*>& GetObjectList();

void AddObject(CharacterBase* object);
// Deletes every object in list order and empties the list.
void ClearObjects();
// Deletes every object whose dead flag is 1, keeping the order of the others.
void RemoveDeadObjects();
// Appends every object of the kind, in list order, to out (which is not cleared first).
void CollectByKind(std::vector<CharacterBase*>& out, int kind);
// Calls visit on every object of the kind, in list order, without gathering them first; visit must
// not add objects to the list or remove any.
template <typename Visit>
void ForEachOfKind(int kind, Visit&& visit) {
    for (CharacterBase* object : GetObjectList())
        if (object && object->kind == kind) visit(object);
}
// A copy of every object of a list, in its order, each pointing at the others' copies; nothing when
// an object of the list cannot be copied.
using ObjectCopies = std::vector<std::unique_ptr<CharacterBase>>;
std::optional<ObjectCopies> CopyObjects(const std::vector<CharacterBase*>& from);
// The first object of the kind, or null.
CharacterBase* FirstOfKind(int kind);
// The object a "Target" placement value names: the first player in the list for "Player", null for
// anything else or when no player stands in the list yet.
CharacterBase* PlacementTarget(const std::string& value);

// --- the passes the scenes run ---
// Update on every object; the length is read anew at every step, so objects appended during the pass
// are updated in the same pass.
void UpdateObjects();
// Draw2D on every object, the same way.
void DrawObjects2D();
