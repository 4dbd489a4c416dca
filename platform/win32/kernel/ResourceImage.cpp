// ResourceImage.cpp: reads the RESOURCEHEADER sequence of a .res file, checking every size.
#include "platform/win32/kernel/ResourceImage.h"

#include <algorithm>
#include <utility>

namespace kernel {

namespace {

// DataSize, HeaderSize, two ordinals, DataVersion, MemoryFlags, LanguageId, Version,
// Characteristics: the smallest header there is.
constexpr std::size_t kMinHeaderSize = 32;
// DataVersion .. Characteristics, after the names.
constexpr std::size_t kHeaderTailSize = 16;
// Beyond this the handle encoding of entries runs out.
constexpr std::size_t kMaxEntries = 0xFFFFF;

std::uint16_t read_u16(std::span<const std::byte> s, std::size_t at) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(s[at]) |
                                      (std::to_integer<unsigned>(s[at + 1]) << 8));
}

std::uint32_t read_u32(std::span<const std::byte> s, std::size_t at) {
    return static_cast<std::uint32_t>(read_u16(s, at)) |
           (static_cast<std::uint32_t>(read_u16(s, at + 2)) << 16);
}

constexpr std::size_t align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

std::string at_offset(const std::string& what, std::size_t offset) {
    return "resource image: " + what + " at offset " + std::to_string(offset);
}

// Reads a type or name field from `header` starting at `pos`, never past header.size().
// Returns "" or the complaint.
std::string read_id(std::span<const std::byte> header, std::size_t& pos, ResourceId& id) {
    if (pos + 2 > header.size()) {
        return "type or name runs past the header";
    }
    if (read_u16(header, pos) == 0xFFFF) {
        if (pos + 4 > header.size()) {
            return "integer type or name runs past the header";
        }
        id.is_integer = true;
        id.id = read_u16(header, pos + 2);
        id.name.clear();
        pos += 4;
        return {};
    }
    id.is_integer = false;
    id.id = 0;
    id.name.clear();
    while (true) {
        if (pos + 2 > header.size()) {
            return "unterminated type or name";
        }
        const char16_t c = read_u16(header, pos);
        pos += 2;
        if (c == 0) {
            return {};
        }
        id.name.push_back(c);
    }
}

}  // namespace

std::string read_resource_image(std::span<const std::byte> image,
                                std::vector<ResourceEntry>& entries) {
    std::vector<ResourceEntry> found;
    std::size_t offset = 0;
    bool first = true;
    while (offset < image.size()) {
        const std::size_t left = image.size() - offset;
        if (left < 8) {
            return at_offset("truncated header", offset);
        }
        const std::uint32_t data_size = read_u32(image, offset);
        const std::uint32_t header_size = read_u32(image, offset + 4);
        if (header_size < kMinHeaderSize) {
            return at_offset("header size " + std::to_string(header_size) + " below 32", offset);
        }
        if (header_size % 4 != 0) {
            return at_offset("header size " + std::to_string(header_size) + " not DWORD-aligned",
                             offset);
        }
        if (header_size > left) {
            return at_offset(
                "header of " + std::to_string(header_size) + " bytes runs past the end", offset);
        }
        if (data_size > left - header_size) {
            return at_offset("data of " + std::to_string(data_size) + " bytes runs past the end",
                             offset);
        }
        const auto header = image.subspan(offset, header_size);
        // The names end where the fixed tail begins.
        const auto names = header.first(header_size - kHeaderTailSize);
        ResourceEntry entry;
        std::size_t pos = 8;
        if (std::string e = read_id(names, pos, entry.type); !e.empty()) {
            return at_offset(e, offset);
        }
        if (std::string e = read_id(names, pos, entry.name); !e.empty()) {
            return at_offset(e, offset);
        }
        if (align4(pos) != names.size()) {
            return at_offset(
                "header size " + std::to_string(header_size) + " does not match its names", offset);
        }
        const std::size_t tail = names.size();
        entry.memory_flags = read_u16(header, tail + 4);
        entry.language = read_u16(header, tail + 6);
        entry.data = image.subspan(offset + header_size, data_size);

        if (first) {
            // Every resource file opens with an empty entry of integer type and name 0; it
            // tells 32-bit files from 16-bit ones.
            if (data_size != 0 || !entry.type.is_integer || entry.type.id != 0 ||
                !entry.name.is_integer || entry.name.id != 0) {
                return at_offset("not a 32-bit resource file: no leading empty entry", offset);
            }
            first = false;
        } else {
            if (found.size() == kMaxEntries) {
                return at_offset("too many entries", offset);
            }
            found.push_back(std::move(entry));
        }
        // Data is padded to a DWORD; the last entry's padding may be missing.
        const std::size_t end = offset + header_size + data_size;
        offset = std::min(align4(end), image.size());
    }
    if (first) {
        return "resource image: empty";
    }
    entries = std::move(found);
    return {};
}

std::string validate_resource_image(std::span<const std::byte> image) {
    std::vector<ResourceEntry> entries;
    return read_resource_image(image, entries);
}

}  // namespace kernel
