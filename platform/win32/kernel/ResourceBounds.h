// ResourceBounds.h: how far readers of resource memory may read.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace kernel {

// The bytes from p to the end of the loaded resource that contains p. A pointer inside a
// resource image but past its resource's data (padding, entry headers, the very end) has
// nothing left to read: an empty span. Only a pointer outside every loaded image gives
// nullopt, and then the caller has nothing but the data's own headers to go by.
std::optional<std::span<const std::byte>> resource_bytes_from(const void* p);

}  // namespace kernel
