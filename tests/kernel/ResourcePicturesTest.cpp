// ResourcePicturesTest.cpp: the bytes behind LoadBitmapA and the icon image LoadIconA picks.
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/kernel/ResourcePictures.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

namespace {

struct IconEntry {
    std::uint8_t width, height, colours;
    std::uint16_t bits;
    std::uint16_t id;
};

std::vector<std::uint8_t> icon_group(const std::vector<IconEntry>& entries) {
    std::vector<std::uint8_t> g = {0, 0, 1, 0, static_cast<std::uint8_t>(entries.size()), 0};
    for (const IconEntry& e : entries) {
        const std::uint8_t rec[14] = {e.width,
                                      e.height,
                                      e.colours,
                                      0,
                                      1,
                                      0,
                                      static_cast<std::uint8_t>(e.bits),
                                      0,
                                      40,
                                      0,
                                      0,
                                      0,
                                      static_cast<std::uint8_t>(e.id),
                                      static_cast<std::uint8_t>(e.id >> 8)};
        g.insert(g.end(), rec, rec + 14);
    }
    return g;
}

class ResourcePictures : public testing::Test {
protected:
    void SetUp() override {
        m_builder.add(2, 130, {'B', 'M', 'P'});
        // Each icon image is one byte: its own id, so the test sees which one was picked.
        for (std::uint16_t id = 1; id <= 9; ++id) {
            m_builder.add(3, id, {static_cast<std::uint8_t>(id)});
        }
        m_builder.add(14, 128,
                      icon_group({{16, 16, 16, 4, 1},
                                  {32, 32, 16, 4, 2},
                                  {32, 32, 0, 8, 3},
                                  {32, 32, 0, 32, 4},
                                  {48, 48, 0, 8, 5}}));
        m_builder.add(14, 129, icon_group({{16, 16, 0, 32, 6}, {0, 0, 0, 32, 7}}));
        m_builder.add(14, 200, icon_group({{32, 32, 2, 0, 8}, {32, 32, 16, 0, 9}}));
        m_builder.add(14, 201, icon_group({{32, 32, 16, 4, 99}}));  // image missing
        m_builder.add(14, 202, {0, 0, 1, 0, 3, 0, 32, 32});         // directory cut short
        m_builder.add(14, 203, {0, 0, 2, 0, 0, 0});                 // a cursor directory
        m_image = m_builder.bytes();
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { kernel::remove_resource_image(m_module); }

    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
};

TEST_F(ResourcePictures, BitmapBytesAreThePackedDibInPlace) {
    const auto dib = kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(130));
    ASSERT_EQ(dib.size(), 3u);
    EXPECT_EQ(dib.data(), m_image.data() + 64);
    SetLastError(0);
    EXPECT_TRUE(kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(131)).empty());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

struct IconCase {
    const char* name;
    WORD group;
    int cx, cy, display_bits;
    int picked;  // id of the image, 0 for none
};

TEST_F(ResourcePictures, PicksTheNearestSizeThenTheBestDepthForTheDisplay) {
    const IconCase cases[] = {
        {"32 x 32 on a 256-colour display", 128, 32, 32, 8, 3},
        {"32 x 32 on a true-colour display", 128, 32, 32, 32, 4},
        {"32 x 32 on a 16-colour display", 128, 32, 32, 4, 2},
        {"small icon", 128, 16, 16, 8, 1},
        {"nearest size above", 128, 44, 44, 8, 5},
        {"all too deep: the shallowest", 129, 16, 16, 8, 6},
        {"width byte 0 is 256", 129, 250, 250, 32, 7},
        {"bit count from the colour count", 200, 32, 32, 8, 9},
        {"bit count from two colours", 200, 32, 32, 1, 8},
        {"image the group names is missing", 201, 32, 32, 8, 0},
        {"directory shorter than its count", 202, 32, 32, 8, 0},
        {"not an icon directory", 203, 32, 32, 8, 0},
        {"no such group", 127, 32, 32, 8, 0},
    };
    for (const IconCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto bytes = kernel::icon_resource_bytes(m_module, MAKEINTRESOURCEA(c.group), c.cx,
                                                       c.cy, c.display_bits);
        if (c.picked == 0) {
            EXPECT_TRUE(bytes.empty());
        } else {
            ASSERT_EQ(bytes.size(), 1u);
            EXPECT_EQ(std::to_integer<int>(bytes[0]), c.picked);
        }
    }
}

}  // namespace
