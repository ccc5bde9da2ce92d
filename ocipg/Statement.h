#pragma once

// A statement handle: one statement, prepared here and parsed by the server
// at execute, as Oracle's client does; a query is described at execute and
// read through a cursor.

#include "ocipg/ColumnTypes.h"
#include "ocipg/Connection.h"
#include "ocipg/Handles.h"
#include "ocipg/QueryCursor.h"
#include "ocipg/SqlText.h"

#include <map>
#include <optional>

namespace ocipg {

struct Define : Handle {
    static constexpr ub4 kType = OCI_HTYPE_DEFINE;
    explicit Define(Env* pEnv) : Handle(kType, pEnv) {}
    char* m_pValue = nullptr;
    sb4 m_nValueSize = 0;
    sb2* m_pIndicator = nullptr;
    ub2* m_pLength = nullptr;
    ub2* m_pCode = nullptr;
};

struct Bind : Handle {
    static constexpr ub4 kType = OCI_HTYPE_BIND;
    explicit Bind(Env* pEnv) : Handle(kType, pEnv) {}
    const char* m_pValue = nullptr;
    sb4 m_nValueSize = 0;
    ub2 m_nType = SQLT_STR;
    const sb2* m_pIndicator = nullptr;
    const ub2* m_pLength = nullptr;
};

// A parameter descriptor of OCIParamGet: the environment's, not the
// statement's, until OCIDescriptorFree, as in Oracle's client.
struct Param : Handle {
    static constexpr ub4 kType = OCI_DTYPE_PARAM;
    Param(Env* pEnv, const ColumnInfo& column) : Handle(kType, pEnv), m_column(column) {}
    ColumnInfo m_column;
};

class Statement : public Handle {
public:
    static constexpr ub4 kType = OCI_HTYPE_STMT;
    explicit Statement(Env* pEnv) : Handle(kType, pEnv) {}
    ~Statement() override;

    // Local, as Oracle's: the server sees the text at execute.
    sword Prepare(std::string_view text, ErrorRecord& error);
    sword Execute(const std::shared_ptr<Connection>& conn, ub4 iters, ub4 rowoff, ub4 mode, ErrorRecord& error);
    sword Fetch(ub4 nrows, ub2 orientation, ErrorRecord& error);
    sword DefineByPos(OCIDefine** defnp, ub4 position, void* valuep, sb4 valueSize, ub2 type, void* indp,
                      ub2* rlenp, ub2* rcodep, ErrorRecord& error);
    sword BindByPos(OCIBind** bindp, ub4 position, void* valuep, sb4 valueSize, ub2 type, void* indp,
                    ub2* alenp, ErrorRecord& error);
    sword ParamGet(ub4 position, void** parmdpp, ErrorRecord& error);
    sword AttrGet(void* attributep, ub4* sizep, ub4 attribute, ErrorRecord& error) const;
    sword AttrSet(const void* attributep, ub4 attribute, ErrorRecord& error);

private:
    bool IsQuery() const { return m_sql.m_nType == OCI_STMT_SELECT; }
    bool BindValues(ub4 iteration, std::vector<std::optional<std::string>>& values, ErrorRecord& error) const;
    sword ExecuteQuery(const std::shared_ptr<Connection>& conn, ub4 iters, ErrorRecord& error);
    sword ExecuteOther(Connection& conn, ub4 iters, ub4 rowoff, ub4 mode, ErrorRecord& error);
    sword Describe(Connection& conn, ErrorRecord& error);
    void CopyRow(ub4 row, bool& truncated, bool& nullLost);
    void Reset();
    // Appends the round trips of the last execute and its fetches to the
    // file OCIPG_ROUND_TRIPS names.
    void LogRoundTrips();

    SqlText m_sql;
    std::string m_strText;  // as the caller gave it
    bool m_bPrepared = false;
    std::vector<ColumnInfo> m_columns;
    bool m_bDescribed = false;  // m_columns are the select list of the last execute
    std::map<ub4, std::unique_ptr<Define>> m_defines;
    std::map<ub4, std::unique_ptr<Bind>> m_binds;

    bool m_bExecuted = false;
    bool m_bFetchEnded = false;  // the last fetch found the end, or cancelled the query
    QueryCursor m_cursor;
    Prefetch m_prefetch;
    ub4 m_nRowCount = 0;
    ub4 m_nRowsFetched = 0;
    unsigned m_nRoundTrips = 0;  // of the last execute, fetches aside
    bool m_bLogPending = false;
};

}  // namespace ocipg
