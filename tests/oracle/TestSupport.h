#pragma once

// Helpers of the session and document tests.

#include "platform/UserMessage.h"
#include "tests/support/ScopedEnv.h"

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

using testfixture::ScopedEnv;

}  // namespace oracletest
