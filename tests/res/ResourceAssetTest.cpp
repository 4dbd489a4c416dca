// ResourceAssetTest.cpp: every picture, the icon and every wave the program names, in the
// formats the program reads them in.
#include "platform/win32/kernel/ResourcePictures.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "res/resource.h"
#include "tests/res/ByteReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

class ResourceAssets : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        m_module = pilo_install_resources(&error);
        ASSERT_NE(m_module, nullptr) << error;
    }

    std::span<const std::byte> resource(WORD id, LPCSTR type) {
        HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(id), type);
        if (r == nullptr) {
            return {};
        }
        const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(m_module, r)));
        return {p, SizeofResource(m_module, r)};
    }

    HINSTANCE m_module = nullptr;
};

struct BitmapCase {
    const char* name;
    WORD id;
    std::int32_t width, height;
    std::uint16_t bits;
    std::uint32_t colours;  // entries of the colour table
};

const BitmapCase kBitmaps[] = {
    {"texture", IDB_TEXTURE, 159, 160, 8, 256},
    {"cross board button", IDB_SHAPE_CROSS, 24, 24, 4, 16},
    {"square board button", IDB_SHAPE_SQUARE, 24, 24, 4, 16},
    {"new game button", IDB_NEW_GAME, 24, 24, 4, 16},
    {"new game pressed", IDB_NEW_GAME_PRESSED, 24, 24, 4, 16},
    {"exit button", IDB_EXIT, 24, 24, 4, 16},
    {"exit pressed", IDB_EXIT_PRESSED, 24, 24, 4, 16},
    {"splash", IDB_SPLASH, 512, 384, 8, 256},
    {"crosses", IDB_CROSSES, 108, 54, 8, 256},
    {"balls", IDB_BALLS, 108, 54, 8, 256},
    {"stars", IDB_STARS, 108, 54, 8, 256},
};

TEST_F(ResourceAssets, BitmapsArePackedDibsOfTheirSizeAndDepth) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.name);
        const auto dib = kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(c.id));
        ASSERT_FALSE(dib.empty());
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(dib.data()) % 4, 0u);
        test::ByteReader r(dib);
        EXPECT_EQ(r.u32(), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(r.s32(), c.width);
        EXPECT_EQ(r.s32(), c.height) << "bottom-up";
        EXPECT_EQ(r.u16(), 1) << "planes";
        EXPECT_EQ(r.u16(), c.bits);
        EXPECT_EQ(r.u32(), 0u) << "BI_RGB";
        r.skip(12);
        const std::uint32_t used = r.u32();
        EXPECT_TRUE(used == 0 || used == c.colours) << used;
        // No file header: header, colour table and bits, nothing more.
        const std::size_t stride = (static_cast<std::size_t>(c.width) * c.bits + 31) / 32 * 4;
        EXPECT_EQ(dib.size(), 40 + c.colours * 4 + stride * static_cast<std::size_t>(c.height));
    }
}

TEST_F(ResourceAssets, SpriteSheetsHaveColourTablesOfTheirOwn) {
    const auto crosses = kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(IDB_CROSSES));
    const auto balls = kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(IDB_BALLS));
    const auto stars = kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(IDB_STARS));
    ASSERT_GE(crosses.size(), 40u + 1024u);
    ASSERT_GE(balls.size(), 40u + 1024u);
    ASSERT_GE(stars.size(), 40u + 1024u);
    auto table = [](std::span<const std::byte> dib) { return dib.subspan(40, 1024); };
    EXPECT_FALSE(std::ranges::equal(table(crosses), table(balls)));
    EXPECT_FALSE(std::ranges::equal(table(crosses), table(stars)));
    EXPECT_FALSE(std::ranges::equal(table(balls), table(stars)));
}

TEST_F(ResourceAssets, IconGroupOffersA32By32ImageThatMatchesItsDirectory) {
    const auto group = resource(IDR_MAINFRAME, RT_GROUP_ICON);
    ASSERT_FALSE(group.empty());
    test::ByteReader r(group);
    EXPECT_EQ(r.u16(), 0);
    EXPECT_EQ(r.u16(), 1) << "icon, not cursor";
    const std::uint16_t count = r.u16();
    ASSERT_GE(count, 1);
    bool has_32 = false;
    for (std::uint16_t i = 0; i < count; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const int width = r.u8();
        const int height = r.u8();
        r.skip(2);  // colour count, reserved
        EXPECT_EQ(r.u16(), 1) << "planes";
        const std::uint16_t bits = r.u16();
        const std::uint32_t bytes = r.u32();
        const std::uint16_t id = r.u16();
        ASSERT_TRUE(r.ok());
        has_32 = has_32 || (width == 32 && height == 32);

        const auto image = resource(id, RT_ICON);
        ASSERT_EQ(image.size(), bytes);
        test::ByteReader ir(image);
        EXPECT_EQ(ir.u32(), 40u);
        EXPECT_EQ(ir.s32(), width);
        EXPECT_EQ(ir.s32(), 2 * height) << "colour bits and mask";
        ir.u16();
        EXPECT_EQ(ir.u16(), bits);
        // Header, table, colour bits, 1-bit mask.
        const std::size_t colours = bits <= 8 ? (std::size_t{1} << bits) : 0;
        const std::size_t xor_bits = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
        const std::size_t and_bits = (static_cast<std::size_t>(width) + 31) / 32 * 4;
        EXPECT_EQ(image.size(), 40 + colours * 4 + (xor_bits + and_bits) * height);
    }
    EXPECT_TRUE(has_32);
    const auto picked = kernel::icon_resource_bytes(m_module, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_GE(picked.size(), 12u);
    test::ByteReader pr(picked);
    pr.u32();
    EXPECT_EQ(pr.s32(), 32);
    EXPECT_EQ(pr.s32(), 64);
}

struct WaveCase {
    const char* name;
    WORD id;
    std::uint16_t channels;
    std::uint32_t rate;
    double min_seconds, max_seconds;
};

const WaveCase kWaves[] = {
    {"farewell", IDW_FAREWELL, 2, 11025, 1.67, 1.69},
    {"announce", IDW_ANNOUNCE, 1, 22050, 2.05, 2.07},
    {"digit 0", IDW_DIGIT0, 1, 22050, 0.54, 0.97},
    {"digit 1", IDW_DIGIT1, 1, 22050, 0.54, 0.97},
    {"digit 2", IDW_DIGIT2, 1, 22050, 0.54, 0.97},
    {"digit 3", IDW_DIGIT3, 1, 22050, 0.54, 0.97},
    {"digit 4", IDW_DIGIT4, 1, 22050, 0.54, 0.97},
    {"digit 5", IDW_DIGIT5, 1, 22050, 0.54, 0.97},
    {"digit 6", IDW_DIGIT6, 1, 22050, 0.54, 0.97},
    {"digit 7", IDW_DIGIT7, 1, 22050, 0.54, 0.97},
    {"digit 8", IDW_DIGIT8, 1, 22050, 0.54, 0.97},
    {"digit 9", IDW_DIGIT9, 1, 22050, 0.54, 0.97},
};

TEST_F(ResourceAssets, WavesAreWholeRiffFilesOfTheirFormatAndLength) {
    for (const WaveCase& c : kWaves) {
        SCOPED_TRACE(c.name);
        // The type is looked up as the program spells it.
        const auto wave = resource(c.id, "sound");
        ASSERT_FALSE(wave.empty());
        test::ByteReader r(wave);
        EXPECT_EQ(r.tag(), "RIFF");
        EXPECT_EQ(r.u32(), wave.size() - 8);
        EXPECT_EQ(r.tag(), "WAVE");
        EXPECT_EQ(r.tag(), "fmt ");
        EXPECT_EQ(r.u32(), 18u);
        EXPECT_EQ(r.u16(), 1) << "PCM";
        EXPECT_EQ(r.u16(), c.channels);
        EXPECT_EQ(r.u32(), c.rate);
        EXPECT_EQ(r.u32(), c.rate * c.channels) << "bytes per second";
        EXPECT_EQ(r.u16(), c.channels) << "block align";
        EXPECT_EQ(r.u16(), 8) << "bits per sample";
        EXPECT_EQ(r.u16(), 0) << "cbSize";
        EXPECT_EQ(r.tag(), "fact");
        EXPECT_EQ(r.u32(), 4u);
        const std::uint32_t frames = r.u32();
        EXPECT_EQ(r.tag(), "data");
        const std::uint32_t data = r.u32();
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(frames * c.channels, data);
        // An odd chunk carries one pad byte.
        EXPECT_EQ(r.left(), data + data % 2);
        const double seconds = static_cast<double>(frames) / c.rate;
        EXPECT_GE(seconds, c.min_seconds);
        EXPECT_LE(seconds, c.max_seconds);
    }
}

TEST_F(ResourceAssets, NoWaveBeyondTheDigits) {
    SetLastError(0);
    EXPECT_EQ(FindResourceA(m_module, MAKEINTRESOURCEA(155), "sound"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

}  // namespace
