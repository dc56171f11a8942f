#pragma once
// Places in the Firebird client layer where a test can make the next pass
// fail as a broken connection would, to try the paths that only a dying
// server or network reaches; and the count of client handles this layer
// holds, to see that none is left behind on those paths. Nothing is armed
// while the program runs.

namespace fb {

enum class FailPoint {
    BlobRead,          // a segment of a blob being read, or a text taken from its row
    BlobWrite,         // a segment of a blob being written
    Describe,          // reading what a statement just prepared takes and gives
    CommitNotSent,     // the connection broke before the commit reached the server
    CommitAnswerLost,  // the commit reached the server, its answer did not come back
    Count
};

// The next pass through the point fails, once.
void armFailPoint(FailPoint point);
void disarmFailPoints();

// Attachments, transactions, statements, cursors and blobs held right now.
int openHandles();

} // namespace fb
