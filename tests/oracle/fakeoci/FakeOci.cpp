// A stand-in OCI client: one query of FAKEOCI_COLUMNS columns (wider than PostgreSQL allows) and no rows, the
// password "wrong" refused, counts of its live handles, set-ups and tear-downs. FAKEOCI_OMIT_<name> leaves
// that entry point out.
#include "oci/oci_api.h"

#include <cstring>

extern "C" {

// The counts, read by the tests under these names.
int g_nLiveHandles = 0;
int g_nInitializeCalls = 0;
int g_nTerminateCalls = 0;
static bool g_bWrongPassword = false;

static void* NewHandle()
{
    ++g_nLiveHandles;
    return new char;
}

#ifndef FAKEOCI_OMIT_OCIInitialize
sword OCIInitialize(ub4, dvoid*, dvoid* (*)(dvoid*, size_t), dvoid* (*)(dvoid*, dvoid*, size_t),
                    void (*)(dvoid*, dvoid*))
{
    ++g_nInitializeCalls;
    return OCI_SUCCESS;
}
#endif

sword OCIEnvInit(OCIEnv** envp, ub4, size_t, dvoid**)
{
    *envp = static_cast<OCIEnv*>(NewHandle());
    return OCI_SUCCESS;
}

sword OCIHandleAlloc(const dvoid*, dvoid** hndlpp, const ub4, const size_t, dvoid**)
{
    *hndlpp = NewHandle();
    return OCI_SUCCESS;
}

sword OCIServerAttach(OCIServer*, OCIError*, const OraText*, sb4, ub4) { return OCI_SUCCESS; }

sword OCIAttrSet(dvoid*, ub4 trghndltyp, dvoid* attributep, ub4 size, ub4 attrtype, OCIError*)
{
    if (trghndltyp == OCI_HTYPE_SESSION && attrtype == OCI_ATTR_PASSWORD)
        g_bWrongPassword = size == 5 && std::memcmp(attributep, "wrong", 5) == 0;
    return OCI_SUCCESS;
}

sword OCIAttrGet(const dvoid*, ub4, dvoid* attributep, ub4* sizep, ub4 attrtype, OCIError*)
{
    static OraText name[] = "C";
    if (attrtype == OCI_ATTR_NAME) {
        *static_cast<OraText**>(attributep) = name;
        *sizep = 1;
    } else if (attrtype == OCI_ATTR_DISP_SIZE) {
        *static_cast<ub2*>(attributep) = 10;
    } else {
        *static_cast<ub4*>(attributep) = attrtype == OCI_ATTR_PARAM_COUNT  ? FAKEOCI_COLUMNS
                                         : attrtype == OCI_ATTR_STMT_TYPE ? OCI_STMT_SELECT
                                                                          : 0;
    }
    return OCI_SUCCESS;
}

#ifndef FAKEOCI_OMIT_OCIBindByPos
sword OCIBindByPos(OCIStmt*, OCIBind**, OCIError*, ub4, dvoid*, sb4, ub2, dvoid*, ub2*, ub2*, ub4, ub4*, ub4)
{
    return OCI_ERROR;
}
#endif

sword OCIHandleFree(dvoid* hndlp, const ub4)
{
    --g_nLiveHandles;
    delete static_cast<char*>(hndlp);
    return OCI_SUCCESS;
}

sword OCISessionBegin(OCISvcCtx*, OCIError*, OCISession*, ub4, ub4)
{
    return g_bWrongPassword ? OCI_ERROR : OCI_SUCCESS;
}

sword OCISessionEnd(OCISvcCtx*, OCIError*, OCISession*, ub4) { return OCI_SUCCESS; }

sword OCIStmtExecute(OCISvcCtx*, OCIStmt*, OCIError*, ub4, ub4, const OCISnapshot*, OCISnapshot*, ub4)
{
    return OCI_SUCCESS;
}

sword OCIStmtPrepare(OCIStmt*, OCIError*, const OraText*, ub4, ub4, ub4) { return OCI_SUCCESS; }

#ifndef FAKEOCI_OMIT_OCIStmtFetch
sword OCIStmtFetch(OCIStmt*, OCIError*, ub4, ub2, ub4) { return OCI_NO_DATA; }
#endif

sword OCIDefineByPos(OCIStmt*, OCIDefine**, OCIError*, ub4, dvoid*, sb4, ub2, dvoid*, ub2*, ub2*, ub4)
{
    return OCI_SUCCESS;
}

sword OCIErrorGet(dvoid*, ub4, OraText*, sb4*, OraText*, ub4, ub4) { return OCI_NO_DATA; }

sword OCIParamGet(const dvoid*, ub4, OCIError*, dvoid** parmdpp, ub4)
{
    *parmdpp = NewHandle();
    return OCI_SUCCESS;
}

sword OCIDescriptorFree(dvoid* descp, const ub4) { return OCIHandleFree(descp, OCI_DTYPE_PARAM); }

sword OCIServerDetach(OCIServer*, OCIError*, ub4) { return OCI_SUCCESS; }

#ifndef FAKEOCI_OMIT_OCITerminate
sword OCITerminate(ub4)
{
    ++g_nTerminateCalls;
    return OCI_SUCCESS;
}
#endif

}  // extern "C"
