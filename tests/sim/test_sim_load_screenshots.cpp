// Loading-screen pictures named F+K on the runner's command line.
#include <gtest/gtest.h>

#include "sim/SimOptions.h"

TEST(SimLoadScreenshots, FramePlusPictureNamesALoadingPicture) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({"--render", "--screenshot", "0+3:a.png", "--screenshot", "5:b.png"}, options, error))
        << error;
    ASSERT_EQ(options.loadScreenshots.size(), 1u);
    EXPECT_EQ(options.loadScreenshots.begin()->first, (std::pair<int, int>{0, 3}));
    EXPECT_EQ(options.loadScreenshots.begin()->second, "a.png");
    EXPECT_EQ(options.screenshots.at(5), "b.png");
    for (const char* bad : {"0:a.png", "0+0:a.png", "+1:a.png", "1+:a.png", "-1+2:a.png", "1+2", "1+x:a.png"}) {
        SimOptions rejected;
        EXPECT_FALSE(ParseSimOptions({"--render", "--screenshot", bad}, rejected, error)) << bad;
    }
    SimOptions headless;
    EXPECT_FALSE(ParseSimOptions({"--screenshot", "0+1:a.png"}, headless, error)) << "pictures need --render";
}
