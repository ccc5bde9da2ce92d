#include "ocipg/dictionary/Dictionary.h"

namespace ocipg {

std::string Dictionary::SetupSql()
{
    return {};
}

std::string Dictionary::PrepareFor(std::string_view)
{
    return {};
}

}  // namespace ocipg
