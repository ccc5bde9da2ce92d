#pragma once

#include <functional>
#include <string>

namespace platform {

// Shows a text to the user in a message box with an OK button only. The text
// is in the locale's character set and may hold line breaks. The GUI
// installs a handler that shows a real box; until then the text goes to
// standard error.
void ShowUserMessage(const std::string& strText);

using UserMessageHandler = std::function<void(const std::string& strText)>;

// Installs the handler of ShowUserMessage and returns the one it replaces.
// An empty handler restores the default.
UserMessageHandler SetUserMessageHandler(UserMessageHandler handler);

}  // namespace platform
