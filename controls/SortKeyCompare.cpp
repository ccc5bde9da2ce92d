#include "controls/SortKeyCompare.h"

namespace controls {

namespace {

unsigned char Folded(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

}  // namespace

int CompareSortKeys(std::string_view first, std::string_view second)
{
    const std::size_t nCommon = first.size() < second.size() ? first.size() : second.size();
    for (std::size_t i = 0; i < nCommon; ++i) {
        const unsigned char a = Folded(first[i]);
        const unsigned char b = Folded(second[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (first.size() == second.size())
        return 0;
    return first.size() < second.size() ? -1 : 1;
}

}  // namespace controls
