#pragma once
// The client library as a whole: ended once a program no longer speaks to any server.

namespace fb {

// Closes whatever the client library still holds open and ends its own threads, so that
// nothing of it is still stopping while the program exits. No connection may be made after it.
void shutdownClient();

} // namespace fb
