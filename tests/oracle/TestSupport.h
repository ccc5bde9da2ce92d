#pragma once

// Helpers of the session and document tests.

#include "platform/UserMessage.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace oracletest {

// Records the texts the code under test would show in message boxes.
class MessageRecorder {
public:
    MessageRecorder()
        : m_previous(platform::SetUserMessageHandler(
              [this](const std::string& strText) { m_texts.push_back(strText); }))
    {
    }
    ~MessageRecorder() { platform::SetUserMessageHandler(std::move(m_previous)); }

    std::vector<std::string> m_texts;

private:
    platform::UserMessageHandler m_previous;
};

// Sets (or, given nullptr, removes) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName)
    {
        if (const char* pszOld = std::getenv(pszName))
            m_strOld = pszOld;
        if (pszValue)
            setenv(pszName, pszValue, 1);
        else
            unsetenv(pszName);
    }
    ~ScopedEnv()
    {
        if (m_strOld)
            setenv(m_strName.c_str(), m_strOld->c_str(), 1);
        else
            unsetenv(m_strName.c_str());
    }

private:
    std::string m_strName;
    std::optional<std::string> m_strOld;
};

}  // namespace oracletest
