#pragma once
// A check that cannot pass vacuously: a Ran counts the passes of a loop (or the items of a recording
// that a test looks at), and EXPECT_RAN(ran) fails unless it counted at least once, EXPECT_RAN(ran, n)
// unless at least n times. Every "each X ..." check over a recording goes with one.
#include <gtest/gtest.h>

class Ran {
public:
    void operator()() { ++count; }
    // Counts a pass when it holds; returns whether it did, to guard that pass's own checks.
    bool If(bool holds) {
        count += holds ? 1 : 0;
        return holds;
    }
    int count = 0;
};

namespace randetail {
constexpr int AtLeast(int times = 1) { return times; }
}  // namespace randetail

#define EXPECT_RAN(ran, ...) \
    EXPECT_GE((ran).count, ::randetail::AtLeast(__VA_ARGS__)) << "too few passes of " #ran
