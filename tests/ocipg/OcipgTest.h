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

}  // namespace ocitest
