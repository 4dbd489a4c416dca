// ResourceImage.h: the reader of a compiled resource file (.res): a list of typed, named blobs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kernel {

// A resource type or name: an integer id, or a UTF-16 string as the file stores it.
struct ResourceId {
    bool is_integer = true;
    std::uint16_t id = 0;
    std::u16string name;
};

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::uint16_t memory_flags = 0;
    std::span<const std::byte> data;  // inside the image
};

// Reads every entry of `image` after the leading empty one into `entries`. Returns an empty
// string on success, else one line saying what is wrong and at which offset; then `entries`
// is left as it was. Reads nothing outside `image`.
std::string read_resource_image(std::span<const std::byte> image,
                                std::vector<ResourceEntry>& entries);

// The same checks without keeping the entries: "" when the image is sound.
std::string validate_resource_image(std::span<const std::byte> image);

}  // namespace kernel
