#pragma once
// Splits one line into words and counts each through the word table.

#include <string>

#include "app/CommentMarkers.h"
#include "scan/ScanOptions.h"
#include "scan/WordTable.h"

namespace vesk {

// What the scanner calls between words: the event pump and the stop flag.
class ScanEvents {
public:
    virtual ~ScanEvents() = default;
    virtual void PumpEvents() = 0;
    virtual bool IsStopRequested() const = 0;
};

class LineScanner {
public:
    LineScanner(WordTable& table, CommentMarkers& comments, const LiveScanOptions& live);

    void SetLiveOptions(const LiveScanOptions& live) { m_live = live; }
    void SetSnapshot(const AllowSnapshot& snapshot);
    const AllowSnapshot& Snapshot() const { return m_snapshot; }
    void SetView(WordTableView* view) { m_view = view; }
    void SetEvents(ScanEvents* events) { m_events = events; }

    // ScanLine: `currentLine` is the line as the caller prepared it (trimmed, lower-cased unless case is
    // significant, one space appended); it is rewritten in place. Returns early when a stop was requested.
    void ScanLine(std::string& currentLine);

private:
    WordTable& m_table;
    CommentMarkers& m_comments;
    LiveScanOptions m_live;
    AllowSnapshot m_snapshot;
    WordTableView* m_view = nullptr;
    ScanEvents* m_events = nullptr;
};

}  // namespace vesk
