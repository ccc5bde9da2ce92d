#pragma once

// How a PostgreSQL result column is described to an OCI caller.

#include "oci/oci_api.h"

#include <libpq-fe.h>

#include <string>

namespace ocipg {

// Display size of the types without a bound (text, bytea, unconstrained
// varchar and numeric, json, arrays, ...), and the cap of any display size.
inline constexpr ub2 kUnboundedDisplaySize = 4000;
inline constexpr ub2 kMaxDisplaySize = 32767;

struct ColumnInfo {
    std::string m_strName;  // as Oracle reports it
    ub2 m_nDataType = SQLT_CHR;
    ub2 m_nDataSize = 0;
    ub2 m_nDisplaySize = 0;
};

// maxCharBytes: bytes per character of the database's encoding at most; a
// size is the database's, never enlarged for the client's character set.
ColumnInfo DescribeColumn(const char* name, Oid type, int typmod, int maxCharBytes);

}  // namespace ocipg
