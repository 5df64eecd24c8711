// The splitter and the conversions that every text format goes through.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "loading/TextData.h"
#include "../support/GraphicsFixture.h"

namespace {
std::vector<std::string> SplitOf(const std::string& text, const std::string& delimiter = ",") {
    std::vector<std::string> out{"stale"};
    Split(text, delimiter, out);
    return out;
}
using Fields = std::vector<std::string>;
}  // namespace

TEST(Split, DropsEmptyFieldsAndTrimsNothing) {
    EXPECT_EQ(SplitOf("1,0,data/a.png"), (Fields{"1", "0", "data/a.png"}));
    EXPECT_EQ(SplitOf(",1,,0,"), (Fields{"1", "0"}));
    EXPECT_EQ(SplitOf(",,1"), (Fields{"1"}));
    EXPECT_EQ(SplitOf(" 1 , 0 ,path "), (Fields{" 1 ", " 0 ", "path "}));
    EXPECT_EQ(SplitOf("no delimiter"), (Fields{"no delimiter"}));
    EXPECT_EQ(SplitOf(""), Fields{});
    EXPECT_EQ(SplitOf(",,,"), Fields{});
    EXPECT_EQ(SplitOf("Player\tPos(1,2,3)\t\tAngle(90)", "\t"), (Fields{"Player", "Pos(1,2,3)", "Angle(90)"}));
}

TEST(ParseInt, StrictReadsTheLeadingNumberOnly) {
    int n = -7;
    EXPECT_TRUE(ParseIntStrict("3", n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(ParseIntStrict("2abc", n));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(ParseIntStrict(" \t2", n));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(ParseIntStrict("-12", n));
    EXPECT_EQ(n, -12);
    EXPECT_TRUE(ParseIntStrict("+5x", n));
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(ParseIntStrict("2147483647", n));
    EXPECT_EQ(n, 2147483647);
    EXPECT_TRUE(ParseIntStrict("-2147483648", n));
    EXPECT_EQ(n, -2147483647 - 1);
    n = 99;
    for (const char* bad : {"", "abc", " ", "-", "+x", "x1", "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_FALSE(ParseIntStrict(bad, n)) << bad;
        EXPECT_EQ(n, 99) << "a failed conversion leaves the value alone: " << bad;
    }
}

TEST(ParseInt, LenientGivesZeroWithoutANumberAndHoldsTheRange) {
    EXPECT_EQ(ParseIntLenient("3"), 3);
    EXPECT_EQ(ParseIntLenient(" 3x"), 3);
    EXPECT_EQ(ParseIntLenient("x3"), 0);
    EXPECT_EQ(ParseIntLenient(""), 0);
    EXPECT_EQ(ParseIntLenient("-4"), -4);
    EXPECT_EQ(ParseIntLenient("99999999999"), 2147483647);
    EXPECT_EQ(ParseIntLenient("-99999999999"), -2147483647 - 1);
}

TEST(ParseFloat, LenientLeadingNumber) {
    EXPECT_FLOAT_EQ(ParseFloat("1.5"), 1.5f);
    EXPECT_FLOAT_EQ(ParseFloat(" -2.25)"), -2.25f);
    EXPECT_FLOAT_EQ(ParseFloat("abc"), 0.0f);
    EXPECT_FLOAT_EQ(ParseFloat(""), 0.0f);
    EXPECT_FLOAT_EQ(ParseFloat("inf"), 0.0f);
    EXPECT_FLOAT_EQ(ParseFloat("nan"), 0.0f);
}

TEST(ReadLines, TextModeLinesAndMissingFiles) {
    testsupport::TempDir dir("lines");
    std::ofstream("list.txt", std::ios::binary) << "a,b\r\n\r\nlast\rline\nno end";
    EXPECT_EQ(ReadLines("list.txt"), (Fields{"a,b", "", "last\rline", "no end"}));
    std::ofstream("ends.txt", std::ios::binary) << "one\n";
    EXPECT_EQ(ReadLines("ENDS.TXT"), (Fields{"one"}));
    std::ofstream("empty.txt", std::ios::binary);
    EXPECT_TRUE(ReadLines("empty.txt").empty());
    EXPECT_TRUE(ReadLines("missing.txt").empty());
}

// Random bytes through every reader: nothing may crash, and the lines put back together give the file
// (less the "\r" of "\r\n" pairs).
TEST(ReadLines, RandomBytesNeverCrashTheReaders) {
    testsupport::TempDir dir("fuzz");
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 7 == 0 ? ",\t\r\n "[random() % 5] : random() % 256);
        std::ofstream("fuzz.txt", std::ios::binary | std::ios::trunc) << bytes;
        size_t total = 0;
        for (const std::string& line : ReadLines("fuzz.txt")) {
            total += line.size() + 1;
            std::vector<std::string> fields;
            Split(line, ",", fields);
            for (const std::string& field : fields) {
                EXPECT_FALSE(field.empty());
                int n = 0;
                ParseIntStrict(field, n);
                ParseIntLenient(field);
                ParseFloat(field);
            }
        }
        EXPECT_LE(total, bytes.size() + 1);
    }
}
