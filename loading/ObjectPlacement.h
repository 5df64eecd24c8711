#pragma once
// Builds a stage from its placement file: one object per valid line, created by class name, given its
// parameter fields and appended to the object list in file order.
#include <string>
#include <vector>

class CharacterBase;

// Reads the file and appends its objects; a file that cannot be read places nothing.
void ObjectPlacement(const std::string& path);

// One line's class name and parameter list (item 0 is what followed the class name's ")"), or false
// when the line names no class ("Name(" missing or not at the very start).
bool ParsePlacementLine(const std::string& line, std::string& className, std::vector<std::string>& params);

// A new object of the named class with its kind set, or null for a name the game does not know.
CharacterBase* CreateObject(const std::string& className);
