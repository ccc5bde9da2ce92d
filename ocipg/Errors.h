#pragma once

// The error record of an error handle, and the Oracle errors the library
// reports: Oracle's number and text, PostgreSQL's own message on a second line
// where it says more.

#include "oci/oci_api.h"
#include "ocipg/OraError.h"

#include <libpq-fe.h>

#include <string>
#include <string_view>

namespace ocipg {

struct ErrorRecord {
    sb4 m_nCode = 0;
    std::string m_strText;

    bool Empty() const { return m_nCode == 0; }
    void Clear();
    // fill replaces the %s of Oracle's text; serverMessage, PostgreSQL's (the
    // server's or libpq's), when given, becomes the second line, marked as
    // PostgreSQL's.
    void Set(sb4 code, std::string_view fill = {}, std::string_view serverMessage = {});
    // An exception caught at the C boundary: ORA-21501 for exhausted memory,
    // ORA-21500 with what() as its first argument for anything else. Without
    // memory for the text, the number alone.
    void SetOutOfMemory() noexcept;
    void SetInternal(const char* what) noexcept;
};

// The Oracle error nearest to a PostgreSQL error, by SQLSTATE.
void SetFromServer(ErrorRecord& error, const PGresult* result);
// Same for an error known only by SQLSTATE and message (a failed logon).
void SetFromSqlState(ErrorRecord& error, std::string_view sqlState, std::string_view message);

// How Oracle shows a PostgreSQL name: one an unquoted Oracle identifier
// reaches (a lower-case ASCII letter, then lower-case ASCII letters, digits
// and '_') in upper case, as Oracle shows unquoted names; any other as
// stored, so that the quoted identifier made of it finds it. The
// dictionary's views apply the same rule in SQL ({name:} in DictionaryViews).
std::string OracleName(std::string_view pgName);

}  // namespace ocipg
