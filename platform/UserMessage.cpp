#include "platform/UserMessage.h"

#include <cstdio>
#include <utility>

namespace platform {

namespace {

UserMessageHandler& CurrentHandler()
{
    static UserMessageHandler handler;
    return handler;
}

}  // namespace

void ShowUserMessage(const std::string& strText)
{
    if (const UserMessageHandler& handler = CurrentHandler())
        handler(strText);
    else
        std::fprintf(stderr, "%s\n", strText.c_str());
}

UserMessageHandler SetUserMessageHandler(UserMessageHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace platform
