#pragma once

// Resolving a connect string as Oracle's client does: a net service name of
// tnsnames.ora, a connect descriptor, or Easy Connect host[:port][/service].

#include "oci/oci_api.h"

#include <string>
#include <string_view>
#include <vector>

namespace ocipg {

// One address to try: a socket folder (beginning with "/") or a TCP host.
struct ConnectTarget {
    std::string m_strHost;
    int m_nPort = 5432;
    std::string m_strDatabase;  // empty: PostgreSQL's default
    bool m_bTls = false;        // TCPS: TLS, the server's certificate verified
};

// Fills targets in the order to try them; returns 0 or the Oracle error
// number (ORA-12154 for a name it cannot resolve).
sb4 ResolveConnectString(std::string_view text, std::vector<ConnectTarget>& targets);

}  // namespace ocipg
