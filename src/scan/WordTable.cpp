#include "scan/WordTable.h"

// Placeholder: not written yet.

namespace vesk {

WordTable::WordTable() { Reset(); }
void WordTable::Reset() { m_records.assign(1, WordRecord{}); }
void WordTable::AddWord(std::string_view, WordTableView*) {}
void WordTable::Finish() {}
void WordTable::ComputeStatistics() {}

}  // namespace vesk
