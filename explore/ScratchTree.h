#pragma once
// The content tree the explorer plays in: links to the built content's files in a folder of its own,
// so that the game's saves land there and never in the built tree. Each run starts it with a chosen
// progress: none (a new game) or a save holding 1 .. 3. Removed when the explorer is done with it.
#include <filesystem>
#include <optional>

class ScratchTree {
public:
    // from: the built content tree; the copy goes into a new folder under the system's temporary one.
    explicit ScratchTree(const std::filesystem::path& from);
    ~ScratchTree();
    ScratchTree(const ScratchTree&) = delete;
    ScratchTree& operator=(const ScratchTree&) = delete;

    // Puts the saved progress back as a run should find it (nullopt: a new game, no save).
    void SetProgress(std::optional<int> progress);
    // The saved progress now, or nullopt without a readable save.
    std::optional<int> Progress() const;

    const std::filesystem::path& Root() const { return root; }

private:
    std::filesystem::path from;
    std::filesystem::path root;
};
