#pragma once

namespace xmlexport {

// Results of the XML writers' operations.
constexpr int kWriterOk = 0;
// Not open, the file could not be created, or a write failed (the writer is
// then closed).
constexpr int kWriterFailed = 1;
// Open called on a writer that is already open.
constexpr int kWriterAlreadyOpen = 2;

}  // namespace xmlexport
