#pragma once

#include <string_view>

namespace controls {

// The result list's order of texts: byte by byte with A-Z folded to a-z,
// every other byte by its unsigned value, no locale collation; the first
// difference decides and a prefix comes first. Returns -1, 0 or 1.
int CompareSortKeys(std::string_view first, std::string_view second);

}  // namespace controls
