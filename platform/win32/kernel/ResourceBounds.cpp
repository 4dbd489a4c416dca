// ResourceBounds.cpp: placeholder until the resource table exists: no pointer is in a resource.
#include "platform/win32/kernel/ResourceBounds.h"

namespace kernel {

std::span<const std::byte> resource_bytes_from(const void*) { return {}; }

}  // namespace kernel
