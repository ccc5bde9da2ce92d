#pragma once

// A statement handle: one statement, prepared on the server, executed, and
// for a query read through a cursor in batches, so memory stays bounded and
// a caller that stops early costs nothing more.

#include "ocipg/ColumnTypes.h"
#include "ocipg/Connection.h"
#include "ocipg/Handles.h"
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

    // conn: the environment's session, when there is one, which parses the
    // statement at once; else that waits for the execute.
    sword Prepare(std::string_view text, const std::shared_ptr<Connection>& conn, ErrorRecord& error);
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
    bool PrepareOn(const std::shared_ptr<Connection>& conn, ErrorRecord& error);
    bool BindValues(ub4 iteration, std::vector<std::optional<std::string>>& values, ErrorRecord& error) const;
    sword ExecuteQuery(Connection& conn, ub4 iters, ErrorRecord& error);
    sword ExecuteOther(Connection& conn, ub4 iters, ub4 rowoff, ub4 mode, ErrorRecord& error);
    // Moves to the next row, reading the next batch when needed; false at
    // the end (error empty) or on failure.
    bool NextRow(ErrorRecord& error);
    void CopyRow(ub4 row, bool& truncated, bool& nullLost);
    void CloseCursor();
    void Reset();

    SqlText m_sql;
    std::string m_strText;  // as the caller gave it
    bool m_bPrepared = false;
    std::weak_ptr<Connection> m_pConnection;  // parsed on, and the cursor's
    std::vector<ColumnInfo> m_columns;
    std::map<ub4, std::unique_ptr<Define>> m_defines;
    std::map<ub4, std::unique_ptr<Bind>> m_binds;
    std::map<ub4, std::unique_ptr<Param>> m_params;

    bool m_bExecuted = false;
    bool m_bCursorOpen = false;
    bool m_bLastBatch = false;
    bool m_bBroken = false;  // the cursor failed or went with a commit
    std::string m_strCursor;
    unsigned m_nCursorGeneration = 0;
    ResultPtr m_pBatch{nullptr, PQclear};
    int m_nBatchRow = -1;

    ub4 m_nRowCount = 0;
    ub4 m_nRowsFetched = 0;
    ub4 m_nPrefetchRows = 1;
};

}  // namespace ocipg
