#pragma once

#include "ocipg/ConnectString.h"

namespace ocipg {

// Whether something accepts connections at the target's address: the socket
// of a socket folder, or any address of a TCP host, within timeoutSeconds.
// Only the transport is tried, so no server process is started for the
// question; the logon that follows finds out whether PostgreSQL answers.
bool Listening(const ConnectTarget& target, int timeoutSeconds);

}  // namespace ocipg
