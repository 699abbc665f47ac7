#include "listing/NumberFormat.h"

// Placeholder: not written yet.

namespace vesk {

std::string FormatGrouped(std::int64_t) { return {}; }
std::string FormatGroupedDecimal(double, int) { return {}; }
void SetNumberSeparatorsForTesting(const std::string&, const std::string&) {}

}  // namespace vesk
