// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The listed words of a ranked word table as a file for other programs: CSV, TSV or JSON, every listed word
// in rank order with its frequency and its share of the listed occurrences. Written as it goes to a stream,
// never built whole in memory. Texts are written as the table holds them, UTF-8.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "engine/WordTable.h"

namespace vesk {

enum class ExportFormat { Csv, Tsv, Json };

// ".csv", ".tsv", ".json" (any case) at the end of a file name; nothing for another ending.
std::optional<ExportFormat> ExportFormatOfPath(std::string_view path);
// "csv", "tsv", "json".
std::optional<ExportFormat> ExportFormatOfName(std::string_view name);

// A value of the JSON "settings" object: true/false, a number or a text.
using ExportSettingValue = std::variant<bool, std::int64_t, std::string>;
// The settings in the caller's order, under their names.
using ExportSettings = std::vector<std::pair<std::string, ExportSettingValue>>;

// `part` of `whole` as a percentage with one decimal, "." and no grouping whatever the locale: "12.5".
std::string FormatPercent(std::int64_t part, std::int64_t whole);

// Writes every listed word of `table`, ranked (`chainHead` as RankByFrequency returned it), in rank order;
// the statistics come from the table, so ComputeStatistics must have run. `settings` is written only in JSON.
// Failures of the stream are left in its state for the caller to see.
void WriteWordExport(std::ostream& out, ExportFormat format, const WordTable& table, std::int64_t chainHead,
                     const ExportSettings& settings);

// `text` as a JSON string with its quotes; bytes that are not well-formed UTF-8 become U+FFFD, so that the
// document stays valid whatever the text holds.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace vesk
