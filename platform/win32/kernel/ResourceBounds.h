// ResourceBounds.h: how far readers of resource memory may read.
#pragma once

#include <cstddef>
#include <span>

namespace kernel {

// The bytes from p to the end of the loaded resource that contains p, or an empty span
// when p lies in no resource (then the caller trusts the data's own headers).
std::span<const std::byte> resource_bytes_from(const void* p);

}  // namespace kernel
