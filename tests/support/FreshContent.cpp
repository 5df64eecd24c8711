// Before every test the process's content tree is made afresh, so that each test of a run of the whole
// binary starts from a tree of its own, as it does in a process of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/ContentRoot.h"

namespace {

class FreshContent : public ::testing::EmptyTestEventListener {
    // A test that left the process working inside the tree would otherwise go on in a deleted folder:
    // it is taken back to the same place in the new tree.
    void OnTestStart(const ::testing::TestInfo&) override {
        std::error_code error;
        const std::string before = std::filesystem::current_path(error).string();
        contentroot::Renew();
        if (!error && before.starts_with(contentroot::Root())) std::filesystem::current_path(before, error);
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshContent);
    return true;
}();

}  // namespace
