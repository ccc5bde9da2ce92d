#include "platform/OracleHomeLookup.h"

namespace platform {

OracleHomeLookup::~OracleHomeLookup() = default;

}  // namespace platform
