/* Oracle Call Interface: the types, constants and prototypes that Lumidex
 * calls and libocipg implements. Values are Oracle's published ones, so either
 * library can stand behind the same binary. Only what the two programs use is
 * declared here. */
#ifndef LUMIDEX_OCI_API_H
#define LUMIDEX_OCI_API_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char  ub1;
typedef signed char    sb1;
typedef unsigned short ub2;
typedef signed short   sb2;
typedef unsigned int   ub4;
typedef signed int     sb4;
typedef int            sword;
typedef unsigned int   uword;
typedef unsigned char  OraText;
typedef void           dvoid;

/* Opaque handles and descriptors. */
typedef struct OCIEnv      OCIEnv;
typedef struct OCIError    OCIError;
typedef struct OCISvcCtx   OCISvcCtx;
typedef struct OCIStmt     OCIStmt;
typedef struct OCIBind     OCIBind;
typedef struct OCIDefine   OCIDefine;
typedef struct OCIDescribe OCIDescribe;
typedef struct OCIServer   OCIServer;
typedef struct OCISession  OCISession;
typedef struct OCISnapshot OCISnapshot;
typedef struct OCIParam    OCIParam;

/* Return statuses. */
#define OCI_SUCCESS            0
#define OCI_SUCCESS_WITH_INFO  1
#define OCI_NO_DATA            100
#define OCI_ERROR              (-1)
#define OCI_INVALID_HANDLE     (-2)
#define OCI_NEED_DATA          99
#define OCI_STILL_EXECUTING    (-3123)
#define OCI_CONTINUE           (-24200)

/* Modes. */
#define OCI_DEFAULT            0x00000000
#define OCI_THREADED           0x00000001
#define OCI_OBJECT             0x00000002
#define OCI_ENV_NO_UCB         0x00000001
#define OCI_DESCRIBE_ONLY      0x00000010
#define OCI_COMMIT_ON_SUCCESS  0x00000020

/* Handle and descriptor types. */
#define OCI_HTYPE_ENV          1
#define OCI_HTYPE_ERROR        2
#define OCI_HTYPE_SVCCTX       3
#define OCI_HTYPE_STMT         4
#define OCI_HTYPE_BIND         5
#define OCI_HTYPE_DEFINE       6
#define OCI_HTYPE_DESCRIBE     7
#define OCI_HTYPE_SERVER       8
#define OCI_HTYPE_SESSION      9
#define OCI_DTYPE_PARAM        53

/* Attributes. Parameter-descriptor attributes share numbers with handle
 * attributes; the handle type tells them apart. */
#define OCI_ATTR_DATA_SIZE     1
#define OCI_ATTR_DATA_TYPE     2
#define OCI_ATTR_DISP_SIZE     3
#define OCI_ATTR_NAME          4
#define OCI_ATTR_PRECISION     5
#define OCI_ATTR_SCALE         6
#define OCI_ATTR_IS_NULL       7
#define OCI_ATTR_ENV           5
#define OCI_ATTR_SERVER        6
#define OCI_ATTR_SESSION       7
#define OCI_ATTR_ROW_COUNT     9
#define OCI_ATTR_PREFETCH_ROWS 11
#define OCI_ATTR_PREFETCH_MEMORY 13
#define OCI_ATTR_PARAM_COUNT   18
#define OCI_ATTR_USERNAME      22
#define OCI_ATTR_PASSWORD      23
#define OCI_ATTR_STMT_TYPE     24
#define OCI_ATTR_ROWS_FETCHED  197

/* Credentials and session modes of OCISessionBegin. */
#define OCI_CRED_RDBMS         1
#define OCI_CRED_EXT           2
#define OCI_SYSDBA             0x00000002
#define OCI_SYSOPER            0x00000004

/* Statement languages. */
#define OCI_NTV_SYNTAX         1
#define OCI_V7_SYNTAX          2
#define OCI_V8_SYNTAX          3

/* Statement types (OCI_ATTR_STMT_TYPE). */
#define OCI_STMT_UNKNOWN       0
#define OCI_STMT_SELECT        1
#define OCI_STMT_UPDATE        2
#define OCI_STMT_DELETE        3
#define OCI_STMT_INSERT        4
#define OCI_STMT_CREATE        5
#define OCI_STMT_DROP          6
#define OCI_STMT_ALTER         7
#define OCI_STMT_BEGIN         8
#define OCI_STMT_DECLARE       9
#define OCI_STMT_CALL          10
#define OCI_STMT_MERGE         16

/* Fetch orientations. */
#define OCI_FETCH_CURRENT      0x00000001
#define OCI_FETCH_NEXT         0x00000002
#define OCI_FETCH_FIRST        0x00000004
#define OCI_FETCH_LAST         0x00000008
#define OCI_FETCH_PRIOR        0x00000010
#define OCI_FETCH_ABSOLUTE     0x00000020
#define OCI_FETCH_RELATIVE     0x00000040

/* External data types. */
#define SQLT_CHR               1
#define SQLT_NUM               2
#define SQLT_INT               3
#define SQLT_FLT               4
#define SQLT_STR               5
#define SQLT_VNU               6
#define SQLT_LNG               8
#define SQLT_VCS               9
#define SQLT_DAT               12
#define SQLT_BFLOAT            21
#define SQLT_BDOUBLE           22
#define SQLT_BIN               23
#define SQLT_LBI               24
#define SQLT_UIN               68
#define SQLT_AFC               96
#define SQLT_IBFLOAT           100
#define SQLT_IBDOUBLE          101
#define SQLT_RDD               104
#define SQLT_CLOB              112
#define SQLT_BLOB              113
#define SQLT_DATE              184
#define SQLT_TIMESTAMP         187
#define SQLT_TIMESTAMP_TZ      188
#define SQLT_INTERVAL_YM       189
#define SQLT_INTERVAL_DS       190
#define SQLT_TIMESTAMP_LTZ     232
#define SQLT_BOL               252

/* The entry points. */
sword OCIInitialize(ub4 mode, dvoid *ctxp,
                    dvoid *(*malocfp)(dvoid *ctxp, size_t size),
                    dvoid *(*ralocfp)(dvoid *ctxp, dvoid *memptr, size_t newsize),
                    void (*mfreefp)(dvoid *ctxp, dvoid *memptr));
sword OCIEnvInit(OCIEnv **envp, ub4 mode, size_t xtramem_sz, dvoid **usrmempp);
sword OCIHandleAlloc(const dvoid *parenth, dvoid **hndlpp, const ub4 type,
                     const size_t xtramem_sz, dvoid **usrmempp);
sword OCIServerAttach(OCIServer *srvhp, OCIError *errhp, const OraText *dblink,
                      sb4 dblink_len, ub4 mode);
sword OCIAttrSet(dvoid *trgthndlp, ub4 trghndltyp, dvoid *attributep, ub4 size,
                 ub4 attrtype, OCIError *errhp);
sword OCIAttrGet(const dvoid *trgthndlp, ub4 trghndltyp, dvoid *attributep,
                 ub4 *sizep, ub4 attrtype, OCIError *errhp);
sword OCIBindByPos(OCIStmt *stmtp, OCIBind **bindp, OCIError *errhp, ub4 position,
                   dvoid *valuep, sb4 value_sz, ub2 dty, dvoid *indp, ub2 *alenp,
                   ub2 *rcodep, ub4 maxarr_len, ub4 *curelep, ub4 mode);
sword OCIHandleFree(dvoid *hndlp, const ub4 type);
sword OCIDescriptorFree(void *descp, const ub4 type);
sword OCISessionBegin(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp,
                      ub4 credt, ub4 mode);
sword OCISessionEnd(OCISvcCtx *svchp, OCIError *errhp, OCISession *usrhp, ub4 mode);
sword OCIStmtExecute(OCISvcCtx *svchp, OCIStmt *stmtp, OCIError *errhp, ub4 iters,
                     ub4 rowoff, const OCISnapshot *snap_in, OCISnapshot *snap_out,
                     ub4 mode);
sword OCIStmtPrepare(OCIStmt *stmtp, OCIError *errhp, const OraText *stmt,
                     ub4 stmt_len, ub4 language, ub4 mode);
sword OCIStmtFetch(OCIStmt *stmtp, OCIError *errhp, ub4 nrows, ub2 orientation,
                   ub4 mode);
sword OCIDefineByPos(OCIStmt *stmtp, OCIDefine **defnp, OCIError *errhp,
                     ub4 position, dvoid *valuep, sb4 value_sz, ub2 dty,
                     dvoid *indp, ub2 *rlenp, ub2 *rcodep, ub4 mode);
sword OCIErrorGet(dvoid *hndlp, ub4 recordno, OraText *sqlstate, sb4 *errcodep,
                  OraText *bufp, ub4 bufsiz, ub4 type);
sword OCIParamGet(const dvoid *hndlp, ub4 htype, OCIError *errhp, dvoid **parmdpp,
                  ub4 pos);
sword OCIServerDetach(OCIServer *srvhp, OCIError *errhp, ub4 mode);
sword OCITerminate(ub4 mode);

#ifdef __cplusplus
}
#endif

#endif
