#include "list/EntryRowIndex.h"

#include <climits>
#include <cstdlib>

namespace {
constexpr int kRowIdPrefixLength = 3;
} // namespace

int EntryRowIndex(const CString& elementId) {
    if (elementId.GetLength() <= kRowIdPrefixLength) {
        return 0;
    }
    const char* digits = elementId.GetString() + kRowIdPrefixLength;
    const long value = std::strtol(digits, nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}
