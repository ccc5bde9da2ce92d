-- The benchmark's data: one table of ten mixed columns per size, and a
-- schema of many small tables for the catalog listing. Deterministic, so
-- that runs compare. Variable: owner, the account the figures log on as.
\set ON_ERROR_STOP 1
CREATE SCHEMA IF NOT EXISTS bench AUTHORIZATION :"owner";
SET search_path = bench;
SELECT setseed(0.42);

CREATE TABLE rows_template (
    id        integer PRIMARY KEY,
    amount    numeric(12,2),
    code      varchar(12),
    name      varchar(40),
    note      text,
    born      date,
    stamp     timestamp,
    qty       integer,
    ratio     double precision,
    label     varchar(20)
);

INSERT INTO rows_template
SELECT g,
       round((random() * 1000000)::numeric, 2),
       'C' || lpad((g % 99991)::text, 6, '0'),
       -- mixed case and a shared start, so the sort must look past eight bytes
       -- for some keys
       CASE WHEN g % 7 = 0 THEN 'Customer ' ELSE '' END ||
           initcap(substr(md5(g::text), 1, 4 + g % 9)) || ' ' || upper(substr(md5((g * 7)::text), 1, 6)),
       CASE WHEN g % 11 = 0 THEN NULL ELSE repeat(substr(md5((g * 3)::text), 1, 10), 1 + g % 8) END,
       date '1950-01-01' + (g * 37) % 25000,
       timestamp '2000-01-01 00:00:00' + ((g::bigint * 7919) % 700000000) * interval '1 second',
       CASE WHEN g % 5 = 0 THEN NULL ELSE (g * 13) % 10000 END,
       CASE WHEN g % 13 = 0 THEN NULL ELSE random() * 1000 END,
       CASE g % 4 WHEN 0 THEN 'open' WHEN 1 THEN 'closed' WHEN 2 THEN 'pending review' ELSE NULL END
FROM generate_series(1, 1000000) AS g;

CREATE TABLE t1k AS SELECT * FROM rows_template WHERE id <= 1000 ORDER BY id;
CREATE TABLE t10k AS SELECT * FROM rows_template WHERE id <= 10000 ORDER BY id;
CREATE TABLE t100k AS SELECT * FROM rows_template WHERE id <= 100000 ORDER BY id;
CREATE TABLE t1m AS SELECT * FROM rows_template ORDER BY id;
DROP TABLE rows_template;
ALTER TABLE t1k OWNER TO :"owner";
ALTER TABLE t10k OWNER TO :"owner";
ALTER TABLE t100k OWNER TO :"owner";
ALTER TABLE t1m OWNER TO :"owner";
VACUUM ANALYZE t1k;
VACUUM ANALYZE t10k;
VACUUM ANALYZE t100k;
VACUUM ANALYZE t1m;

-- Many tables in one schema; one transaction each, so no lock table fills.
CREATE SCHEMA IF NOT EXISTS wide AUTHORIZATION :"owner";
SELECT format('CREATE TABLE wide.w%s (id integer, txt varchar(20))', lpad(i::text, 5, '0'))
FROM generate_series(1, 10000) AS i
\gexec
