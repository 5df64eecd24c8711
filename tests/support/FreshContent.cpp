// Before every test the process's content tree is made afresh, so that each test of a run of the whole
// binary starts from a tree of its own, as it does in a process of its own.
#include <gtest/gtest.h>

#include "tests/support/ContentRoot.h"

namespace {

class FreshContent : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { contentroot::Renew(); }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshContent);
    return true;
}();

}  // namespace
