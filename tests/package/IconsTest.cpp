// IconsTest.cpp: the desktop icons the build makes are the icon's own frames zoomed by whole
// numbers, every pixel a sharp square (no smoothing), and the frame chosen for each size.
#include "platform/win32/gdi/png/PngFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

Picture read_icon(int size) {
    Picture p;
    const std::string path = std::string(PILO_ICON_DIR) + "/" + std::to_string(size) + ".png";
    EXPECT_TRUE(gdi::png::read_rgb(path, p.width, p.height, p.pixels)) << path;
    return p;
}

TEST(Icons, EachSizeIsAFrameOfTheIconZoomedByAWholeNumber) {
    struct Case {
        int size;
        int frame;  // the 16 or 32 pixel frame it is made from
        const char* pins;
    };
    const Case cases[] = {
        {48, 16, "48 is no whole multiple of 32: the 16 frame three times"},
        {64, 32, "the larger frame where both divide the size"},
        {128, 32, "four times"},
        {256, 32, "eight times"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pins);
        const Picture big = read_icon(c.size);
        const Picture small = read_icon(c.frame);
        ASSERT_EQ(big.width, c.size);
        ASSERT_EQ(big.height, c.size);
        ASSERT_EQ(small.width, c.frame);
        const int zoom = c.size / c.frame;
        int differ = 0;
        for (int y = 0; y < c.size; ++y) {
            for (int x = 0; x < c.size; ++x) {
                differ +=
                    big.pixels[y * c.size + x] != small.pixels[(y / zoom) * c.frame + x / zoom];
            }
        }
        EXPECT_EQ(differ, 0);
    }
}

}  // namespace
