#pragma once

#include <string>
#include <vector>

#include "platform/OracleHomeLookup.h"

namespace platform {

// The Oracle homes of a Unix system: TNS_ADMIN first when set, because the
// client itself reads it first; then the first home (ORACLE_HOME, else
// ORA_CRS_HOME) and the second (the first entry of the oratab file), each
// with network/admin before net80/admin. The environment and the oratab file
// are read at each call.
class UnixOracleHomeLookup final : public OracleHomeLookup {
public:
    explicit UnixOracleHomeLookup(std::string oratabPath = "/etc/oratab");

    std::vector<std::string> TnsNamesCandidates() const override;

private:
    std::string m_strOratabPath;
};

}  // namespace platform
