// ResourceImageTest.cpp: the .res reader on sound, truncated and corrupted images.
#include "platform/win32/kernel/ResourceImage.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using kernel::ResourceEntry;
using test::ResourceImageBuilder;

// Leading empty entry: 32 bytes at 0.
// Entry 1 at 32: type 2, name 130, header 32, data 3 bytes at 64, padded to 68.
// Entry 2 at 68: type "SOUND" (12 bytes), name 143, header 8 + 12 + 4 + 16 = 40, data 5 bytes
//   at 108, padded to 116.
// Entry 3 at 116: type "SOUND", name "FAREWELL" (18 bytes), 8 + 12 + 18 = 38 -> 40, + 16 = 56,
//   data 4 bytes at 172, ends at 176.
ResourceImageBuilder three_entries() {
    ResourceImageBuilder b;
    b.add(2, 130, {1, 2, 3});
    b.add(u"SOUND", 143, {10, 11, 12, 13, 14}, 0x0409);
    b.add(u"SOUND", u"FAREWELL", {20, 21, 22, 23});
    return b;
}

std::size_t offset_in(const std::vector<std::byte>& image, std::span<const std::byte> part) {
    return static_cast<std::size_t>(part.data() - image.data());
}

TEST(ResourceImage, ReadsIntegerAndStringTypesAndNames) {
    const auto b = three_entries();
    const auto& image = b.bytes();
    ASSERT_EQ(image.size(), 176u);
    std::vector<ResourceEntry> entries;
    ASSERT_EQ(kernel::read_resource_image(image, entries), "");
    ASSERT_EQ(entries.size(), 3u);

    EXPECT_TRUE(entries[0].type.is_integer);
    EXPECT_EQ(entries[0].type.id, 2);
    EXPECT_TRUE(entries[0].name.is_integer);
    EXPECT_EQ(entries[0].name.id, 130);
    EXPECT_EQ(offset_in(image, entries[0].data), 64u);
    EXPECT_EQ(entries[0].data.size(), 3u);
    EXPECT_EQ(entries[0].language, 0x0415);

    EXPECT_FALSE(entries[1].type.is_integer);
    EXPECT_EQ(entries[1].type.name, u"SOUND");
    EXPECT_EQ(entries[1].name.id, 143);
    EXPECT_EQ(offset_in(image, entries[1].data), 108u);
    EXPECT_EQ(entries[1].data.size(), 5u);
    EXPECT_EQ(std::to_integer<int>(entries[1].data[4]), 14);
    EXPECT_EQ(entries[1].language, 0x0409);

    EXPECT_FALSE(entries[2].name.is_integer);
    EXPECT_EQ(entries[2].name.name, u"FAREWELL");
    EXPECT_EQ(offset_in(image, entries[2].data), 172u);
    EXPECT_EQ(std::to_integer<int>(entries[2].data[0]), 20);
}

TEST(ResourceImage, OnlyCutsAtEntryBoundariesAreSound) {
    const auto b = three_entries();
    const auto& full = b.bytes();
    // Ends of entries, with all, some or none of the padding after the last one's data.
    const std::set<std::size_t> sound = {32, 67, 68, 113, 114, 115, 116, 176};
    for (std::size_t n = 0; n <= full.size(); ++n) {
        SCOPED_TRACE("length " + std::to_string(n));
        // A copy of exactly n bytes, so a read past it is a sanitizer fault.
        const std::vector<std::byte> cut(full.begin(), full.begin() + static_cast<long>(n));
        const std::string error = kernel::validate_resource_image(cut);
        EXPECT_EQ(error.empty(), sound.count(n) == 1) << error;
    }
}

void put32(std::vector<std::byte>& image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        image[at + i] = static_cast<std::byte>(v >> (8 * i));
    }
}

struct BrokenCase {
    const char* name;
    void (*corrupt)(std::vector<std::byte>&);
    const char* expected;
};

// The base image: the empty entry, then type 2, name 130, 4 data bytes: header at 32, data at
// 64, 68 bytes in all.
const BrokenCase kBroken[] = {
    {"nothing", [](std::vector<std::byte>& im) { im.clear(); }, "resource image: empty"},
    {"leading entry has data", [](std::vector<std::byte>& im) { put32(im, 0, 4); },
     "no leading empty entry at offset 0"},
    {"leading entry has a type", [](std::vector<std::byte>& im) { im[10] = std::byte{5}; },
     "no leading empty entry at offset 0"},
    {"stray bytes after the last entry",
     [](std::vector<std::byte>& im) { im.resize(im.size() + 4); }, "truncated header at offset 68"},
    {"header size below 32", [](std::vector<std::byte>& im) { put32(im, 36, 28); },
     "header size 28 below 32 at offset 32"},
    {"header size not a DWORD multiple", [](std::vector<std::byte>& im) { put32(im, 36, 34); },
     "header size 34 not DWORD-aligned at offset 32"},
    {"header past the end", [](std::vector<std::byte>& im) { put32(im, 36, 0x1000); },
     "header of 4096 bytes runs past the end at offset 32"},
    {"data past the end", [](std::vector<std::byte>& im) { put32(im, 32, 5); },
     "data of 5 bytes runs past the end at offset 32"},
    {"data size near 4 GiB", [](std::vector<std::byte>& im) { put32(im, 32, 0xFFFFFFFF); },
     "data of 4294967295 bytes runs past the end at offset 32"},
    {"header longer than its names",
     [](std::vector<std::byte>& im) {
         put32(im, 32, 0);
         put32(im, 36, 36);
     },
     "header size 36 does not match its names at offset 32"},
};

TEST(ResourceImage, RefusesBrokenImagesSayingWhereAndWhy) {
    ResourceImageBuilder b;
    b.add(2, 130, {1, 2, 3, 4});
    ASSERT_EQ(b.bytes().size(), 68u);
    for (const BrokenCase& c : kBroken) {
        SCOPED_TRACE(c.name);
        std::vector<std::byte> image = b.bytes();
        c.corrupt(image);
        std::vector<ResourceEntry> entries(1);
        const std::string error = kernel::read_resource_image(image, entries);
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_EQ(entries.size(), 1u) << "a refused image leaves the caller's list alone";
    }
}

TEST(ResourceImage, RefusesANameThatRunsIntoTheFixedTail) {
    ResourceImageBuilder b;
    b.add(u"SOUND", 143, {1});
    std::vector<std::byte> image = b.bytes();
    // The type's terminator (at 32 + 8 + 10) becomes 'X': the string then runs through the
    // name field up to where the fixed 16-byte tail begins.
    image[50] = std::byte{'X'};
    const std::string error = kernel::validate_resource_image(image);
    EXPECT_NE(error.find("unterminated type or name at offset 32"), std::string::npos) << error;
}

}  // namespace
