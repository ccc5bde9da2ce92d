#pragma once

#include <string>
#include <vector>

#include "platform/OracleHomeLookup.h"

namespace settings {

// The local net service names of the installed Oracle client, read afresh
// from its tnsnames.ora each time one is made. Never fails: whatever cannot
// be found or read gives fewer names, down to none.
class TnsNamesReader {
public:
    // Looks where this system's Oracle client looks.
    TnsNamesReader();
    explicit TnsNamesReader(const platform::OracleHomeLookup& lookup);
    virtual ~TnsNamesReader();

    // The names in the order their entries end in the file.
    const std::vector<std::string>& Names() const { return m_arrNames; }

private:
    std::vector<std::string> m_arrNames;
};

}  // namespace settings
