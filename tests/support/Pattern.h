#pragma once
// A regular expression for reading dumps, logs and map files. The standard library's regex templates
// take seconds to build in every file that uses them (more under the sanitizers), so they are built
// once, in Pattern.cpp, and the tests see only this plain interface.
#include <memory>
#include <string>
#include <vector>

// One match: [0] the whole of it, then each group ("" where a group took no part).
struct PatternMatch {
    std::vector<std::string> groups;
    std::vector<bool> took;  // whether each group took part in the match
    explicit operator bool() const { return !groups.empty(); }
    const std::string& operator[](size_t i) const { return groups.at(i); }
};

class Pattern {
public:
    explicit Pattern(const std::string& expression);
    ~Pattern();
    Pattern(Pattern&&) noexcept;

    // The first match anywhere in the text (false when none).
    PatternMatch Search(const std::string& text) const;
    // The match of the whole text (false when the text does not match as a whole).
    PatternMatch Whole(const std::string& text) const;
    // Every match, left to right, without overlaps.
    std::vector<PatternMatch> All(const std::string& text) const;
    // The text with every match replaced ($1 and so on name groups).
    std::string Replace(const std::string& text, const std::string& with) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled;
};
