// LastError.cpp: the thread's last error code and MulDiv.
#include "platform/win32/winbase.h"

namespace {
thread_local DWORD g_last_error = ERROR_SUCCESS;
}

DWORD GetLastError() {
    return g_last_error;
}

void SetLastError(DWORD error) {
    g_last_error = error;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (magnitude + divisor / 2) / divisor;
    const std::int64_t result = negative ? -q : q;
    if (result > INT32_MAX || result < INT32_MIN) {
        return -1;
    }
    return static_cast<int>(result);
}
