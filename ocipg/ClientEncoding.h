#pragma once

#include <string>

namespace ocipg {

// PostgreSQL's name of the client encoding for this process: the character
// set NLS_LANG names after its ".", else the one of the environment's locale.
std::string ClientEncoding();

}  // namespace ocipg
