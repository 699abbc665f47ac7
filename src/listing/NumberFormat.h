// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as the user's locale writes them, with digit grouping ("," and "." where the locale has none).

#include <cstdint>
#include <string>

namespace vesk {

// 1234567 -> "1,234,567"
std::string FormatGrouped(std::int64_t value);
// With `decimals` decimals: 228.7314 -> "228.73", 12345.5 -> "12,345.50"
std::string FormatGroupedDecimal(double value, int decimals);
// Forces the separators (tests); empty strings restore the locale's.
void SetNumberSeparatorsForTesting(const std::string& thousands, const std::string& decimal);

}  // namespace vesk
