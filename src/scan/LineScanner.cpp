#include "scan/LineScanner.h"

// Placeholder: not written yet.

namespace vesk {

LineScanner::LineScanner(WordTable& table, CommentMarkers& comments, const LiveScanOptions& live) : m_table(table), m_comments(comments), m_live(live) {}
void LineScanner::SetSnapshot(const AllowSnapshot& snapshot) { m_snapshot = snapshot; }
void LineScanner::ScanLine(std::string&) {}

}  // namespace vesk
