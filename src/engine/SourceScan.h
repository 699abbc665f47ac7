// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read loop of a count: every line of a source through the line scanner.

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "engine/ByteSource.h"
#include "engine/LineScanner.h"

namespace vesk {

// What the read loop reports, line by line.
class SourceObserver {
  public:
    virtual ~SourceObserver() = default;
    // The bytes consumed so far, before each line read is handled.
    virtual void OnProgress(std::int64_t bytesRead) { (void)bytesRead; }
    // A line failed after it was read (in OnProgress or in its scan). True goes on with the next line; by
    // default the failure ends the reading.
    virtual bool OnLineFailure(std::exception_ptr failure) { std::rethrow_exception(std::move(failure)); }
};

// Reads `source` line by line into `line` and scans each line as a count of a file does: without its line
// end, trimmed of spaces, skipped when empty, one space appended. The reading ends at the end of input, after
// a line that the scanner's observer stopped, after a failed line that the observer does not go on from, or
// when a line cannot be read: that failure is returned (null otherwise), for the caller to raise once it
// has finished the table.
std::exception_ptr ScanSource(ByteSource& source, LineScanner& scanner, std::string& line, SourceObserver& observer);

}  // namespace vesk
