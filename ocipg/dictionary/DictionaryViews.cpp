#include "ocipg/dictionary/DictionaryViews.h"

#include <string_view>

// The dictionary views over PostgreSQL's catalogs. Each category is one query
// template that gives its DBA_, ALL_ and USER_ views; the tokens in braces are
// expanded by ExpandTokens below. Aliases are fixed per template: n is the
// schema of the object, c its table where it has one. No literal holds a
// backslash, so the text means the same under standard_conforming_strings off.

namespace ocipg {
namespace {

struct Category {
    const char* pszSuffix;       // view name after DBA_/ALL_/USER_
    const char* pszOwnerColumn;  // Oracle's name of the owner column
    const char* pszOwnerExpr;    // its value
    bool bUserKeepsOwner;        // USER_ form keeps the owner column (as Oracle's USER_CONSTRAINTS)
    const char* pszAllScope;     // predicate of the ALL_ form
    const char* pszUserScope;    // predicate of the USER_ form
    const char* pszBody;         // SELECT with {owner} and {scope}
};

constexpr const char* kOwnSchema = "n.nspname = current_user";
constexpr const char* kUsableRelation =
    "has_schema_privilege(n.oid, 'USAGE') AND "
    "(has_any_column_privilege(c.oid, 'SELECT,INSERT,UPDATE,REFERENCES') OR "
    "has_table_privilege(c.oid, 'DELETE,TRUNCATE,TRIGGER'))";

const Category kCategories[] = {
    {"tables", "owner", "{name:n.nspname}", false, kUsableRelation, kOwnSchema, R"(
SELECT {owner}
       {name:c.relname} AS table_name,
       CASE WHEN c.relkind IN ('r', 'm') THEN {name:coalesce(ts.spcname, {db_tablespace})} END AS tablespace_name,
       NULL::varchar(128) AS cluster_name,
       (CASE c.relpersistence WHEN 'u' THEN 'NO' ELSE 'YES' END)::varchar(3) AS logging,
       'N'::varchar(1) AS backed_up,
       CASE WHEN {analyzed:c.oid} IS NOT NULL AND c.reltuples >= 0 THEN c.reltuples::bigint END AS num_rows,
       CASE WHEN {analyzed:c.oid} IS NOT NULL THEN
           (SELECT sum(s.avg_width) FROM pg_stats s
             WHERE s.schemaname = n.nspname AND s.tablename = c.relname AND NOT s.inherited)::bigint
       END AS avg_row_len,
       'ENABLED'::varchar(8) AS table_lock,
       NULL::bigint AS sample_size,
       {analyzed:c.oid}::date AS last_analyzed,
       (CASE c.relkind WHEN 'p' THEN 'YES' ELSE 'NO' END)::varchar(3) AS partitioned,
       (CASE c.relpersistence WHEN 't' THEN 'Y' ELSE 'N' END)::varchar(1) AS temporary
  FROM pg_class c
  JOIN pg_namespace n ON n.oid = c.relnamespace
  LEFT JOIN pg_tablespace ts ON ts.oid = c.reltablespace
 WHERE c.relkind IN ('r', 'p', 'm', 'f') AND NOT c.relispartition AND {app_schema} AND ({scope}))"},

    {"views", "owner", "{name:n.nspname}", false, kUsableRelation, kOwnSchema, R"(
SELECT {owner}
       {name:c.relname} AS view_name,
       length(pg_get_viewdef(c.oid))::bigint AS text_length,
       pg_get_viewdef(c.oid) AS text,
       NULL::bigint AS type_text_length,
       NULL::varchar(4000) AS type_text,
       NULL::bigint AS oid_text_length,
       NULL::varchar(4000) AS oid_text,
       NULL::varchar(128) AS view_type_owner,
       NULL::varchar(128) AS view_type,
       NULL::varchar(128) AS superview_name
  FROM pg_class c
  JOIN pg_namespace n ON n.oid = c.relnamespace
 WHERE c.relkind = 'v' AND {app_schema} AND ({scope}))"},

    {"indexes", "owner", "{name:n.nspname}", false, kUsableRelation, kOwnSchema, R"(
SELECT {owner}
       {name:ic.relname} AS index_name,
       (CASE WHEN am.amname <> 'btree' THEN 'DOMAIN'
             WHEN i.indexprs IS NOT NULL THEN 'FUNCTION-BASED NORMAL'
             ELSE 'NORMAL' END)::varchar(27) AS index_type,
       {name:n.nspname} AS table_owner,
       {name:c.relname} AS table_name,
       'TABLE'::varchar(11) AS table_type,
       (CASE WHEN i.indisunique THEN 'UNIQUE' ELSE 'NONUNIQUE' END)::varchar(9) AS uniqueness,
       'DISABLED'::varchar(8) AS compression,
       NULL::bigint AS prefix_length,
       CASE WHEN ic.relkind = 'i' THEN {name:coalesce(ts.spcname, {db_tablespace})} END AS tablespace_name,
       (CASE ic.relpersistence WHEN 'u' THEN 'NO' ELSE 'YES' END)::varchar(3) AS logging,
       NULL::bigint AS distinct_keys,
       (CASE WHEN i.indisvalid THEN 'VALID' ELSE 'UNUSABLE' END)::varchar(8) AS status,
       CASE WHEN {analyzed:c.oid} IS NOT NULL AND ic.reltuples >= 0 THEN ic.reltuples::bigint END AS num_rows,
       NULL::bigint AS sample_size,
       {analyzed:c.oid}::date AS last_analyzed,
       (CASE ic.relkind WHEN 'I' THEN 'YES' ELSE 'NO' END)::varchar(3) AS partitioned,
       (CASE ic.relpersistence WHEN 't' THEN 'Y' ELSE 'N' END)::varchar(1) AS temporary,
       'N'::varchar(1) AS secondary
  FROM pg_index i
  JOIN pg_class ic ON ic.oid = i.indexrelid
  JOIN pg_class c ON c.oid = i.indrelid
  JOIN pg_namespace n ON n.oid = c.relnamespace
  JOIN pg_am am ON am.oid = ic.relam
  LEFT JOIN pg_tablespace ts ON ts.oid = ic.reltablespace
 WHERE NOT ic.relispartition AND {app_schema} AND ({scope}))"},

    // PostgreSQL has no packages: every routine stands alone, and it is
    // listed under its own name as PROCEDURE_NAME too.
    {"procedures", "owner", "{name:n.nspname}", false,
     "has_schema_privilege(n.oid, 'USAGE') AND has_function_privilege(p.oid, 'EXECUTE')", kOwnSchema, R"(
SELECT {owner}
       {name:p.proname} AS object_name,
       {name:p.proname} AS procedure_name,
       p.oid::bigint AS object_id,
       (CASE p.prokind WHEN 'p' THEN 'PROCEDURE' ELSE 'FUNCTION' END)::varchar(13) AS object_type,
       (CASE p.prokind WHEN 'a' THEN 'YES' ELSE 'NO' END)::varchar(3) AS aggregate,
       (CASE WHEN p.proretset THEN 'YES' ELSE 'NO' END)::varchar(3) AS pipelined,
       NULL::varchar(128) AS impltypeowner,
       NULL::varchar(128) AS impltypename,
       (CASE p.proparallel WHEN 's' THEN 'YES' ELSE 'NO' END)::varchar(3) AS parallel,
       'NO'::varchar(3) AS interface,
       (CASE p.provolatile WHEN 'i' THEN 'YES' ELSE 'NO' END)::varchar(3) AS deterministic,
       (CASE WHEN p.prosecdef THEN 'DEFINER' ELSE 'CURRENT_USER' END)::varchar(12) AS authid
  FROM pg_proc p
  JOIN pg_namespace n ON n.oid = p.pronamespace
 WHERE {app_schema} AND ({scope}))"},

    {"triggers", "owner", "{name:n.nspname}", false, kUsableRelation, kOwnSchema, R"(
SELECT {owner}
       {name:t.tgname} AS trigger_name,
       (CASE WHEN t.tgtype & 64 <> 0 THEN 'INSTEAD OF'
             ELSE (CASE WHEN t.tgtype & 2 <> 0 THEN 'BEFORE' ELSE 'AFTER' END) ||
                  (CASE WHEN t.tgtype & 1 <> 0 THEN ' EACH ROW' ELSE ' STATEMENT' END)
        END)::varchar(16) AS trigger_type,
       concat_ws(' OR ', CASE WHEN t.tgtype & 4 <> 0 THEN 'INSERT' END,
                         CASE WHEN t.tgtype & 16 <> 0 THEN 'UPDATE' END,
                         CASE WHEN t.tgtype & 8 <> 0 THEN 'DELETE' END,
                         CASE WHEN t.tgtype & 32 <> 0 THEN 'TRUNCATE' END)::varchar(227) AS triggering_event,
       {name:n.nspname} AS table_owner,
       (CASE c.relkind WHEN 'v' THEN 'VIEW' ELSE 'TABLE' END)::varchar(16) AS base_object_type,
       {name:c.relname} AS table_name,
       NULL::varchar(4000) AS column_name,
       'REFERENCING NEW AS NEW OLD AS OLD'::varchar(128) AS referencing_names,
       substring(pg_get_triggerdef(t.oid) FROM ' WHEN [(](.*)[)] EXECUTE (?:FUNCTION|PROCEDURE) ')::varchar(4000) AS when_clause,
       (CASE t.tgenabled WHEN 'D' THEN 'DISABLED' ELSE 'ENABLED' END)::varchar(8) AS status,
       substring(pg_get_triggerdef(t.oid) FROM '^CREATE (?:CONSTRAINT )?TRIGGER (.*) EXECUTE (?:FUNCTION|PROCEDURE) ')::varchar(4000) AS description,
       'CALL'::varchar(11) AS action_type,
       'CALL ' || substring(pg_get_triggerdef(t.oid) FROM ' EXECUTE (?:FUNCTION|PROCEDURE) (.*)$') AS trigger_body
  FROM pg_trigger t
  JOIN pg_class c ON c.oid = t.tgrelid
  JOIN pg_namespace n ON n.oid = c.relnamespace
 WHERE NOT t.tgisinternal AND NOT c.relispartition AND {app_schema} AND ({scope}))"},

    {"sequences", "sequence_owner", "{name:n.nspname}", false,
     // The CASE keeps the test from running on other relations, where it fails.
     "has_schema_privilege(n.oid, 'USAGE') AND "
     "CASE WHEN c.relkind = 'S' THEN has_sequence_privilege(c.oid, 'SELECT,USAGE,UPDATE') END", kOwnSchema, R"(
SELECT {owner}
       {name:c.relname} AS sequence_name,
       s.seqmin AS min_value,
       s.seqmax AS max_value,
       s.seqincrement AS increment_by,
       (CASE WHEN s.seqcycle THEN 'Y' ELSE 'N' END)::varchar(1) AS cycle_flag,
       'N'::varchar(1) AS order_flag,
       (CASE WHEN s.seqcache = 1 THEN 0 ELSE s.seqcache END)::bigint AS cache_size,
       CASE WHEN has_sequence_privilege(c.oid, 'SELECT,USAGE')
            THEN coalesce(pg_sequence_last_value(c.oid), s.seqstart) END AS last_number
  FROM pg_sequence s
  JOIN pg_class c ON c.oid = s.seqrelid
  JOIN pg_namespace n ON n.oid = c.relnamespace
 WHERE {app_schema} AND ({scope}))"},

    // PostgreSQL has no synonyms.
    {"synonyms", "owner", "NULL::varchar(128)", false, "true", "true", R"(
SELECT {owner}
       NULL::varchar(128) AS synonym_name,
       NULL::varchar(128) AS table_owner,
       NULL::varchar(128) AS table_name,
       NULL::varchar(128) AS db_link
 WHERE false AND ({scope}))"},

    {"constraints", "owner", "{name:n.nspname}", true, kUsableRelation, kOwnSchema, R"(
SELECT {owner}
       {name:k.conname} AS constraint_name,
       (CASE k.contype WHEN 'p' THEN 'P' WHEN 'f' THEN 'R' WHEN 'u' THEN 'U' ELSE 'C' END)::varchar(1) AS constraint_type,
       {name:c.relname} AS table_name,
       CASE WHEN k.contype = 'c' THEN pg_get_expr(k.conbin, k.conrelid) END AS search_condition,
       CASE WHEN k.contype = 'f' THEN {name:rn.nspname} END AS r_owner,
       CASE WHEN k.contype = 'f' THEN {name:rk.conname} END AS r_constraint_name,
       (CASE WHEN k.contype = 'f' THEN
            CASE k.confdeltype WHEN 'c' THEN 'CASCADE' WHEN 'n' THEN 'SET NULL' WHEN 'd' THEN 'SET DEFAULT'
                               WHEN 'r' THEN 'RESTRICT' ELSE 'NO ACTION' END
        END)::varchar(11) AS delete_rule,
       'ENABLED'::varchar(8) AS status,
       (CASE WHEN k.condeferrable THEN 'DEFERRABLE' ELSE 'NOT DEFERRABLE' END)::varchar(14) AS deferrable,
       (CASE WHEN k.condeferred THEN 'DEFERRED' ELSE 'IMMEDIATE' END)::varchar(9) AS deferred,
       (CASE WHEN k.convalidated THEN 'VALIDATED' ELSE 'NOT VALIDATED' END)::varchar(13) AS validated,
       NULL::varchar(14) AS generated,
       NULL::varchar(3) AS bad,
       NULL::varchar(4) AS rely,
       NULL::date AS last_change,
       CASE WHEN k.contype IN ('p', 'u') THEN {name:n.nspname} END AS index_owner,
       CASE WHEN k.contype IN ('p', 'u') THEN {name:ic.relname} END AS index_name,
       NULL::varchar(7) AS invalid,
       NULL::varchar(14) AS view_related
  FROM pg_constraint k
  JOIN pg_class c ON c.oid = k.conrelid
  JOIN pg_namespace n ON n.oid = c.relnamespace
  LEFT JOIN pg_class ic ON ic.oid = k.conindid
  LEFT JOIN pg_class rc ON rc.oid = k.confrelid
  LEFT JOIN pg_namespace rn ON rn.oid = rc.relnamespace
  LEFT JOIN pg_constraint rk ON k.contype = 'f' AND rk.conrelid = k.confrelid
                            AND rk.conindid = k.conindid AND rk.contype IN ('p', 'u')
 WHERE k.contype IN ('p', 'f', 'u', 'c') AND NOT c.relispartition AND {app_schema} AND ({scope}))"},

    {"tab_columns", "owner", "{name:n.nspname}", false, kUsableRelation, kOwnSchema, R"(
SELECT {owner}
       {name:c.relname} AS table_name,
       {name:a.attname} AS column_name,
       ty.data_type::varchar(106) AS data_type,
       NULL::varchar(3) AS data_type_mod,
       CASE WHEN bn.nspname <> 'pg_catalog' THEN {name:bn.nspname} END AS data_type_owner,
       ty.data_length::bigint AS data_length,
       ty.data_precision::bigint AS data_precision,
       ty.data_scale::bigint AS data_scale,
       (CASE WHEN a.attnotnull THEN 'N' ELSE 'Y' END)::varchar(1) AS nullable,
       (SELECT count(*) FROM pg_attribute a2
         WHERE a2.attrelid = a.attrelid AND a2.attnum > 0 AND NOT a2.attisdropped AND a2.attnum <= a.attnum) AS column_id,
       length(pg_get_expr(ad.adbin, ad.adrelid))::bigint AS default_length,
       pg_get_expr(ad.adbin, ad.adrelid) AS data_default,
       (CASE WHEN st.n_distinct >= 0 THEN st.n_distinct ELSE -st.n_distinct * greatest(c.reltuples, 0) END)::bigint AS num_distinct,
       NULL::bytea AS low_value,
       NULL::bytea AS high_value,
       NULL::float8 AS density,
       (st.null_frac * greatest(c.reltuples, 0))::bigint AS num_nulls,
       NULL::bigint AS num_buckets,
       CASE WHEN st.avg_width IS NOT NULL THEN {analyzed:c.oid}::date END AS last_analyzed,
       NULL::bigint AS sample_size,
       (CASE WHEN ty.char_used IS NOT NULL OR ty.data_type = 'CLOB' THEN 'CHAR_CS' END)::varchar(44) AS character_set_name,
       CASE WHEN ty.char_used IS NOT NULL THEN ty.data_length::bigint END AS char_col_decl_length,
       'NO'::varchar(3) AS global_stats,
       'NO'::varchar(3) AS user_stats,
       st.avg_width::bigint AS avg_col_len,
       coalesce(ty.char_length, 0)::bigint AS char_length,
       ty.char_used::varchar(1) AS char_used,
       'NO'::varchar(3) AS v80_fmt_image,
       'YES'::varchar(3) AS data_upgraded,
       (CASE WHEN st.histogram_bounds IS NOT NULL THEN 'HEIGHT BALANCED'
             WHEN st.most_common_vals IS NOT NULL THEN 'FREQUENCY'
             ELSE 'NONE' END)::varchar(15) AS histogram
  FROM pg_attribute a
  JOIN pg_class c ON c.oid = a.attrelid
  JOIN pg_namespace n ON n.oid = c.relnamespace
  JOIN pg_type t ON t.oid = a.atttypid
  JOIN pg_type bt ON bt.oid = CASE WHEN t.typtype = 'd' THEN t.typbasetype ELSE t.oid END
  JOIN pg_namespace bn ON bn.oid = bt.typnamespace
  CROSS JOIN LATERAL (SELECT CASE WHEN t.typtype = 'd' THEN t.typtypmod ELSE a.atttypmod END AS mod,
                             pg_encoding_max_length(pg_char_to_encoding(getdatabaseencoding())) AS char_bytes) b
  CROSS JOIN LATERAL (SELECT
       CASE
         WHEN bt.oid IN ('int2'::regtype, 'int4'::regtype, 'int8'::regtype, 'numeric'::regtype) THEN 'NUMBER'
         WHEN bt.oid = 'float4'::regtype THEN 'BINARY_FLOAT'
         WHEN bt.oid = 'float8'::regtype THEN 'BINARY_DOUBLE'
         WHEN bt.oid = 'varchar'::regtype AND b.mod >= 4 THEN 'VARCHAR2'
         WHEN bt.oid = 'bpchar'::regtype AND b.mod >= 4 THEN 'CHAR'
         WHEN bt.oid = '"char"'::regtype THEN 'CHAR'
         WHEN bt.oid = 'name'::regtype THEN 'VARCHAR2'
         WHEN bt.oid IN ('text'::regtype, 'varchar'::regtype, 'bpchar'::regtype) THEN 'CLOB'
         WHEN bt.oid = 'bytea'::regtype THEN 'BLOB'
         WHEN bt.oid = 'date'::regtype THEN 'DATE'
         WHEN bt.oid = 'timestamp'::regtype
           THEN 'TIMESTAMP(' || CASE WHEN b.mod >= 0 THEN b.mod ELSE 6 END || ')'
         WHEN bt.oid = 'timestamptz'::regtype
           THEN 'TIMESTAMP(' || CASE WHEN b.mod >= 0 THEN b.mod ELSE 6 END || ') WITH LOCAL TIME ZONE'
         WHEN bn.nspname = 'pg_catalog' THEN upper(format_type(bt.oid, b.mod))
         ELSE {name:bt.typname}
       END AS data_type,
       CASE
         WHEN bt.oid IN ('int2'::regtype, 'int4'::regtype, 'int8'::regtype, 'numeric'::regtype) THEN 22
         WHEN bt.oid IN ('varchar'::regtype, 'bpchar'::regtype) AND b.mod >= 4 THEN (b.mod - 4) * b.char_bytes
         WHEN bt.oid IN ('text'::regtype, 'varchar'::regtype, 'bpchar'::regtype, 'bytea'::regtype) THEN 4000
         WHEN bt.oid = 'date'::regtype THEN 7
         WHEN bt.oid IN ('timestamp'::regtype, 'timestamptz'::regtype) THEN 11
         WHEN bt.typlen > 0 THEN bt.typlen
       END AS data_length,
       CASE
         WHEN bt.oid = 'int2'::regtype THEN 5
         WHEN bt.oid = 'int4'::regtype THEN 10
         WHEN bt.oid = 'int8'::regtype THEN 19
         WHEN bt.oid = 'numeric'::regtype AND b.mod >= 4 THEN ((b.mod - 4) >> 16) & 65535
       END AS data_precision,
       CASE
         WHEN bt.oid IN ('int2'::regtype, 'int4'::regtype, 'int8'::regtype) THEN 0
         WHEN bt.oid = 'numeric'::regtype AND b.mod >= 4 THEN (((b.mod - 4) & 2047) # 1024) - 1024
         WHEN bt.oid IN ('timestamp'::regtype, 'timestamptz'::regtype) THEN CASE WHEN b.mod >= 0 THEN b.mod ELSE 6 END
       END AS data_scale,
       CASE
         WHEN bt.oid IN ('varchar'::regtype, 'bpchar'::regtype) AND b.mod >= 4 THEN b.mod - 4
         WHEN bt.oid = '"char"'::regtype THEN 1
         WHEN bt.oid = 'name'::regtype THEN 63
       END AS char_length,
       CASE
         WHEN bt.oid IN ('varchar'::regtype, 'bpchar'::regtype) AND b.mod >= 4 THEN 'C'
         WHEN bt.oid IN ('"char"'::regtype, 'name'::regtype) THEN 'B'
       END AS char_used) ty
  LEFT JOIN pg_attrdef ad ON ad.adrelid = a.attrelid AND ad.adnum = a.attnum
  LEFT JOIN LATERAL (SELECT s.n_distinct, s.null_frac, s.avg_width, s.histogram_bounds IS NOT NULL AS histogram_bounds,
                            s.most_common_vals IS NOT NULL AS most_common_vals
                       FROM pg_stats s
                      WHERE s.schemaname = n.nspname AND s.tablename = c.relname AND s.attname = a.attname
                      ORDER BY s.inherited LIMIT 1) st ON true
 WHERE a.attnum > 0 AND NOT a.attisdropped AND c.relkind IN ('r', 'p', 'v', 'm', 'f') AND NOT c.relispartition
   AND {app_schema} AND ({scope}))"},

    // A link is a user mapping of a foreign server; its owner is the mapped
    // role, or PUBLIC.
    {"db_links", "owner", "{name:m.usename}", false,
     "(m.umuser = 0 OR m.usename = current_user) AND has_server_privilege(m.srvid, 'USAGE')",
     "m.umuser <> 0 AND m.usename = current_user", R"(
SELECT {owner}
       {name:m.srvname} AS db_link,
       (SELECT o.option_value FROM pg_options_to_table(m.umoptions) o WHERE o.option_name = 'user')::varchar(128) AS username,
       concat((SELECT o.option_value FROM pg_options_to_table(s.srvoptions) o WHERE o.option_name = 'host'),
              ':' || (SELECT o.option_value FROM pg_options_to_table(s.srvoptions) o WHERE o.option_name = 'port'),
              '/' || (SELECT o.option_value FROM pg_options_to_table(s.srvoptions) o WHERE o.option_name = 'dbname'))::varchar(2000) AS host,
       NULL::date AS created
  FROM pg_user_mappings m
  JOIN pg_foreign_server s ON s.oid = m.srvid
 WHERE ({scope}))"},
};

// Views outside the categories.
const char* const kDbaUsers = R"(
SELECT {name:r.rolname} AS username,
       r.oid::bigint AS user_id,
       NULL::varchar(30) AS password,
       (CASE WHEN r.rolvaliduntil < now() THEN CASE WHEN r.rolcanlogin THEN 'EXPIRED' ELSE 'EXPIRED & LOCKED' END
             WHEN NOT r.rolcanlogin THEN 'LOCKED'
             ELSE 'OPEN' END)::varchar(32) AS account_status,
       NULL::date AS lock_date,
       CASE WHEN isfinite(r.rolvaliduntil) THEN r.rolvaliduntil::date END AS expiry_date,
       {name:{db_tablespace}} AS default_tablespace,
       {name:{db_tablespace}} AS temporary_tablespace,
       NULL::date AS created,
       'DEFAULT'::varchar(128) AS profile,
       'DEFAULT_CONSUMER_GROUP'::varchar(128) AS initial_rsrc_consumer_group,
       NULL::varchar(4000) AS external_name
  FROM pg_roles r
 WHERE left(r.rolname, 3) <> 'pg_')";

const char* const kAllUsers = R"(
SELECT {name:r.rolname} AS username,
       r.oid::bigint AS user_id,
       NULL::date AS created
  FROM pg_roles r
 WHERE left(r.rolname, 3) <> 'pg_')";

const char* const kDual = "SELECT 'X'::varchar(1) AS dummy";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Expands the shared pieces of SQL. {name:EXPR} is the name rule, the
// library's OracleName: a name an unquoted Oracle identifier reaches (a
// lower-case ASCII letter, then lower-case ASCII letters, digits and '_')
// shows in upper case, any other as stored, so that a quoted identifier made
// of what is shown finds it. Collation "C" keeps the test and upper() to
// ASCII whatever the database's locale, and sorts and compares bytewise as
// Oracle's names do. The tokens without arguments go first, so that another
// token may hold them.
std::string ExpandTokens(std::string text)
{
    ReplaceAll(text, "{app_schema}", "left(n.nspname, 3) <> 'pg_' AND n.nspname <> 'information_schema'");
    ReplaceAll(text, "{db_tablespace}",
               "(SELECT dt.spcname FROM pg_database d JOIN pg_tablespace dt ON dt.oid = d.dattablespace"
               " WHERE d.datname = current_database())");
    for (size_t at = text.find("{analyzed:"); at != std::string::npos; at = text.find("{analyzed:", at)) {
        const size_t end = text.find('}', at);
        const std::string expr = text.substr(at + 10, end - at - 10);
        text.replace(at, end - at + 1,
                     "greatest(pg_stat_get_last_analyze_time(" + expr + "), pg_stat_get_last_autoanalyze_time(" +
                         expr + "))");
    }
    for (size_t at = text.find("{name:"); at != std::string::npos; at = text.find("{name:", at)) {
        const size_t end = text.find('}', at);
        const std::string expr = text.substr(at + 6, end - at - 6);
        const std::string name = "(" + expr + ")::text COLLATE \"C\"";
        text.replace(at, end - at + 1,
                     "(CASE WHEN " + name + " ~ '^[a-z][a-z0-9_]*$' THEN upper(" + name + ") ELSE " + name +
                         " END)::varchar(128) COLLATE \"C\"");
    }
    return text;
}

std::string CategoryView(const Category& category, std::string_view scope)
{
    std::string text = category.pszBody;
    const bool owner = scope != "user" || category.bUserKeepsOwner;
    ReplaceAll(text, "{owner}",
               owner ? std::string(category.pszOwnerExpr) + " AS " + category.pszOwnerColumn + "," : std::string());
    ReplaceAll(text, "{scope}",
               scope == "dba" ? "true" : scope == "all" ? category.pszAllScope : category.pszUserScope);
    return ExpandTokens(std::move(text));
}

std::vector<DictionaryView> BuildViews()
{
    std::vector<DictionaryView> views;
    for (const Category& category : kCategories) {
        for (const char* scope : {"dba", "all", "user"}) {
            views.push_back({std::string(scope) + "_" + category.pszSuffix, CategoryView(category, scope),
                             std::string_view(scope) == "dba"});
        }
    }
    views.push_back({"dba_users", ExpandTokens(kDbaUsers), true});
    views.push_back({"all_users", ExpandTokens(kAllUsers), false});
    views.push_back({"dual", kDual, false});
    return views;
}

}  // namespace

const std::vector<DictionaryView>& DictionaryViews()
{
    static const std::vector<DictionaryView> views = BuildViews();
    return views;
}

}  // namespace ocipg
