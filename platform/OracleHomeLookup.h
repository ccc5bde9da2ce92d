#pragma once

#include <string>
#include <vector>

namespace platform {

// Where the installed Oracle client keeps its tnsnames.ora. One version per
// system, since each records its Oracle homes its own way.
class OracleHomeLookup {
public:
    virtual ~OracleHomeLookup();

    // Paths of tnsnames.ora in the order the client would look, best first.
    // The first that exists is the one to read; when none exists, the last.
    // Looking never creates anything.
    virtual std::vector<std::string> TnsNamesCandidates() const = 0;
};

}  // namespace platform
