#include "tests/support/Pattern.h"

#include <regex>

struct Pattern::Compiled {
    std::regex expression;
};

namespace {

PatternMatch From(const std::smatch& m) {
    PatternMatch out;
    for (const auto& group : m) {
        out.groups.push_back(group.str());
        out.took.push_back(group.matched);
    }
    return out;
}

}  // namespace

Pattern::Pattern(const std::string& expression) : compiled(new Compiled{std::regex(expression)}) {}
Pattern::~Pattern() = default;
Pattern::Pattern(Pattern&&) noexcept = default;

PatternMatch Pattern::Search(const std::string& text) const {
    std::smatch m;
    return std::regex_search(text, m, compiled->expression) ? From(m) : PatternMatch{};
}

PatternMatch Pattern::Whole(const std::string& text) const {
    std::smatch m;
    return std::regex_match(text, m, compiled->expression) ? From(m) : PatternMatch{};
}

std::vector<PatternMatch> Pattern::All(const std::string& text) const {
    std::vector<PatternMatch> out;
    for (std::sregex_iterator it(text.begin(), text.end(), compiled->expression), end; it != end; ++it)
        out.push_back(From(*it));
    return out;
}

std::string Pattern::Replace(const std::string& text, const std::string& with) const {
    return std::regex_replace(text, compiled->expression, with);
}
