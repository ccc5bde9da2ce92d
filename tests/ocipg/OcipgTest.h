#pragma once

#include "tests/ocipg/OciClient.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace ocitest {

inline const OciApi& Oci()
{
    const OciApi* api = LoadOci(testfixture::OcipgLibrary());
    if (!api) {
        ADD_FAILURE() << "cannot load " << testfixture::OcipgLibrary();
        std::abort();
    }
    return *api;
}

using testfixture::AdminValue;
using testfixture::ScopedEnv;

inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// An administrator's clean-up statement, run at once (against what an
// earlier run left) and again when the scope ends, also after a failed
// assertion.
class AdminCleanup {
public:
    explicit AdminCleanup(std::string sql) : m_strSql("SET client_min_messages = warning; " + std::move(sql))
    {
        AdminValue(m_strSql);
    }
    ~AdminCleanup() { AdminValue(m_strSql); }
    AdminCleanup(const AdminCleanup&) = delete;
    AdminCleanup& operator=(const AdminCleanup&) = delete;

private:
    std::string m_strSql;
};

}  // namespace ocitest
